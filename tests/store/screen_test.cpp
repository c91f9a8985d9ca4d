// Screen animation layers and their frames.
#include "store_fixture.h"

namespace {

class ScreenTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(Open());
    }
    static std::vector<ScreenFrameRecord> Frames(int ledId, std::initializer_list<int> indexes)
    {
        std::vector<ScreenFrameRecord> frames;
        for (int i : indexes)
            frames.push_back({0, ledId, QString(u"帧%1"_qs).arg(i), 100 + i, i, QString(u"%1.png"_qs).arg(i)});
        return frames;
    }
};

TEST_F(ScreenTest, NewLayerIsNamedAfterItself)
{
    const int led = Store().InsertScreenLayer(1, u"动画"_qs);
    ScreenLayerRecord read;
    ASSERT_TRUE(Store().GetScreenLayer(led, read));
    EXPECT_EQ(read.led_id, led);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.type, 0);
    EXPECT_EQ(read.name, u"动画"_qs);
    EXPECT_EQ(read.frame_size, 0);
    EXPECT_EQ(read.file_dir, u"动画"_qs);
    EXPECT_EQ(read.first_file, u"动画"_qs);

    EXPECT_TRUE(Store().SetScreenLayerFrameCount(led, 12));
    EXPECT_TRUE(Store().SetScreenLayerFirstFile(led, u"0.png"_qs));
    ASSERT_TRUE(Store().GetScreenLayer(led, read));
    EXPECT_EQ(read.frame_size, 12);
    EXPECT_EQ(read.first_file, u"0.png"_qs);
    EXPECT_EQ(read.file_dir, u"动画"_qs);
    EXPECT_FALSE(Store().GetScreenLayer(led + 1, read));

    Store().InsertScreenLayer(1, u"second"_qs);
    Store().InsertScreenLayer(2, u"elsewhere"_qs);
    std::vector<ScreenLayerRecord> list;
    ASSERT_EQ(Store().ListScreenLayers(1, list), 2);
    EXPECT_EQ(list[1].name, u"second"_qs);
}

TEST_F(ScreenTest, FramesListByIndexAndGoWithTheirLayer)
{
    const int a = Store().InsertScreenLayer(1, u"a"_qs);
    const int b = Store().InsertScreenLayer(1, u"b"_qs);
    EXPECT_EQ(Store().InsertScreenFrames(Frames(a, {3, 1, 0, 2})), 4);
    EXPECT_EQ(Store().InsertScreenFrames(Frames(b, {0})), 1);
    EXPECT_EQ(Store().CountScreenFrames(a), 4);

    std::vector<ScreenFrameRecord> read;
    ASSERT_EQ(Store().ListScreenFrames(a, read), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(read[i].frame_index, i);
        EXPECT_EQ(read[i].led_id, a);
        EXPECT_EQ(read[i].name, QString(u"帧%1"_qs).arg(i));
        EXPECT_EQ(read[i].delay_time, 100 + i);
        EXPECT_EQ(read[i].file_name, QString(u"%1.png"_qs).arg(i));
    }

    EXPECT_TRUE(Store().DeleteScreenLayer(a));
    EXPECT_EQ(Store().CountScreenFrames(a), 0);
    EXPECT_EQ(Store().CountScreenFrames(b), 1);
    ScreenLayerRecord layer;
    EXPECT_FALSE(Store().GetScreenLayer(a, layer));

    Store().DeleteAllScreenLayers();
    EXPECT_EQ(Store().CountScreenFrames(b), 0);
    std::vector<ScreenLayerRecord> layers;
    EXPECT_EQ(Store().ListScreenLayers(1, layers), 0);
}

}  // namespace

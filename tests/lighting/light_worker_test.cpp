// The light page's worker side against the simulated keyboard: the active
// effect and the side light in each connection's form, and the mirror of the
// keyboard's own colours onto the picture.
#include <thread>

#include "features/lighting/light_mode_worker.h"
#include "tests/lighting/light_page_fakes.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

// A picture with the layout's keys and one key that has no light position.
class FakePicture : public KeyColourSink {
public:
    std::map<int, uint32_t> colours;
    int repaints = 0;

    explicit FakePicture(const LayoutFile& layout)
    {
        for (const LayoutKey& k : layout.keys) colours[k.code] = kUnread;
        colours[kNoLightKey] = kUnread;
    }
    std::vector<int> KeyValues() const override
    {
        std::vector<int> keys;
        for (const auto& [code, colour] : colours) keys.push_back(code);
        return keys;
    }
    void SetKeyColour(int keyValue, uint32_t colour) override { colours[keyValue] = colour; }
    void Repaint() override { ++repaints; }

    static constexpr uint32_t kUnread = 0x00ABCDEF;
    static constexpr int kNoLightKey = 0x2C;
};

class LightWorkerTest : public LightPageTest, protected ConnectedKeyboard {
protected:
    void TearDown() override
    {
        ExpectNoFirmwareErrors();
        LightPageTest::TearDown();
    }
    // The light block of a cable light transaction: the payload of its one
    // data packet (ConfigBegin and DataAnnounce each with their read-back
    // come first).
    std::vector<uint8_t> CableBlock()
    {
        const std::vector<SimTraceLine> lines = rig.Take("cmd");
        if (lines.size() < 5) return {};
        EXPECT_EQ(Bytes("000413"), std::vector<uint8_t>(lines[2].bytes.begin(), lines[2].bytes.begin() + 3));
        return PayloadOf(lines[4]);
    }
};

TEST_F(LightWorkerTest, ActiveEffectGoesOutByCable)
{
    Connect(kK104, 0);
    logic.LoadLightPage();
    Update(11, [](LightModeRecord& r) {
        r.colorful = 0;
        r.color_value = 0x00112233;
    });
    LoadAndChoose(11);
    view.sliders[LightSlider::kBrightness] = 5;
    logic.OnBrightnessChanged();
    logic.OnDirectionClicked(1);

    EXPECT_EQ(SendLightMode(Context(), Store(), logic.State()), CommandOutcome::kDone);
    EXPECT_EQ(CableBlock(), Pad(Bytes("0B 33 22 11 00 00 00 00 00 05 02 01 00 00 AA 55")));
    const SimLightMode m = Memory().light;
    EXPECT_EQ((std::vector<int>{m.mode, m.red, m.green, m.blue, m.colorful, m.brightness, m.speed, m.direction}),
              (std::vector<int>{11, 0x33, 0x22, 0x11, 0, 5, 2, 1}));
}

TEST_F(LightWorkerTest, EffectZeroSendsTheModeAlone)
{
    Connect(kK104, 0);
    LoadAndChoose(0);
    for (LightGroup g : {LightGroup::kBrightness, LightGroup::kSpeed, LightGroup::kDirectionLabel,
                         LightGroup::kDirectionLeftRight, LightGroup::kDirectionUpDown, LightGroup::kCurrentColour,
                         LightGroup::kColourful, LightGroup::kColourGroup})
        EXPECT_FALSE(view.shown.at(g));
    // The record itself still holds brightness 4, speed 2, colourful red.
    EXPECT_EQ(SendLightMode(Context(), Store(), logic.State()), CommandOutcome::kDone);
    EXPECT_EQ(CableBlock(), Pad(Bytes("00 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55")));
}

TEST_F(LightWorkerTest, ActiveEffectAndSideLightByReceiver)
{
    Connect(kK104, 2);
    LoadAndChoose(3);  // colourful red, brightness 4, speed 2, direction 0
    logic.LoadSideLightList();
    ASSERT_TRUE(view.SelectSideLight(41));
    logic.OnSideLightSelected();

    EXPECT_EQ(SendLightMode(Context(), Store(), logic.State()), CommandOutcome::kDone);
    std::vector<SimTraceLine> lines = rig.Take("rcv");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(std::vector<uint8_t>(lines[0].bytes.begin(), lines[0].bytes.begin() + 20),
              Bytes("00 05 10 00 03 FF 00 00 00 00 00 00 01 04 02 00 00 00 AA 55"));

    EXPECT_EQ(SendSideLightMode(Context(), logic.State()), CommandOutcome::kDone);
    lines = rig.Take("rcv");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(std::vector<uint8_t>(lines[0].bytes.begin(), lines[0].bytes.begin() + 20),
              Bytes("00 05 01 00 29 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55"));
    EXPECT_EQ(Memory().sideLightMode, 41);
}

TEST_F(LightWorkerTest, SideLightByCable)
{
    Connect(kK87, 0);
    logic.LoadSideLightList();
    ASSERT_TRUE(view.SelectSideLight(34));
    logic.OnSideLightSelected();
    EXPECT_EQ(SendSideLightMode(Context(), logic.State()), CommandOutcome::kDone);
    EXPECT_EQ(CableBlock(), Pad(Bytes("22 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55")));
    EXPECT_EQ(Memory().sideLightMode, 34);
}

TEST_F(LightWorkerTest, BluetoothStoresButSendsNothing)
{
    Connect(kK104, 1);
    LoadAndChoose(2);
    view.sliders[LightSlider::kSpeed] = 5;
    logic.OnSpeedChanged();
    EXPECT_EQ(Record(2).speed, 5);
    EXPECT_EQ(SendLightMode(Context(), Store(), logic.State()), CommandOutcome::kSkipped);
    EXPECT_EQ(SendSideLightMode(Context(), logic.State()), CommandOutcome::kSkipped);
    FakePicture picture(layout);
    EXPECT_FALSE(MirrorKeyColors(Context(), picture));
    EXPECT_TRUE(rig.Take().empty());
    EXPECT_EQ(picture.repaints, 0);
}

TEST_F(LightWorkerTest, MissingActiveRecordSendsNothing)
{
    Connect(kK104, 0);
    EXPECT_EQ(SendLightMode(Context(), Store(), logic.State()), CommandOutcome::kRefused);  // page not loaded
    LoadAndChoose(7);
    {
        std::lock_guard lock(Store().Lock());
        ASSERT_EQ(Store().Connection().Exec("DELETE FROM t_light_data WHERE mode = 7"), 0);
    }
    EXPECT_EQ(SendLightMode(Context(), Store(), logic.State()), CommandOutcome::kRefused);
    EXPECT_TRUE(rig.Take().empty());
}

TEST_F(LightWorkerTest, MirrorGivesPictureKeysTheKeyboardsColours)
{
    Connect(kK104, 0);
    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{0x29, 0x000000FF}, {0x04, 0x00123456}}),
              CommandOutcome::kDone);
    FakePicture picture(layout);
    EXPECT_TRUE(MirrorKeyColors(Context(), picture));
    EXPECT_EQ(picture.colours.at(0x29), 0x000000FFu);
    EXPECT_EQ(picture.colours.at(0x04), 0x00123456u);
    EXPECT_EQ(picture.colours.at(0x3A), 0u);
    EXPECT_EQ(picture.colours.at(FakePicture::kNoLightKey), FakePicture::kUnread);
    EXPECT_EQ(picture.repaints, 1);
}

TEST_F(LightWorkerTest, SingleColourKeyboardMirrorsGreys)
{
    Connect(kK87, 0);
    // Level 0x80 at light position 1 (key 0x29), nothing elsewhere.
    ASSERT_EQ(SendLiveFrame(Context(), LiveFrameSingle({{1, 0x80}})), CommandOutcome::kDone);
    FakePicture picture(layout);
    EXPECT_TRUE(MirrorKeyColors(Context(), picture));
    EXPECT_EQ(picture.colours.at(0x29), 0x007F7F7Fu);  // 128 * 255 / 256 = 127
    EXPECT_EQ(picture.colours.at(0x04), 0u);
    EXPECT_EQ(picture.colours.at(FakePicture::kNoLightKey), FakePicture::kUnread);
}

TEST_F(LightWorkerTest, EmptyLightMapChangesNoKey)
{
    Connect(kK104, 0);
    ASSERT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{0x29, 0x000000FF}}), CommandOutcome::kDone);
    tables.lightPositions.clear();
    FakePicture picture(layout);
    EXPECT_TRUE(MirrorKeyColors(Context(), picture));
    for (const auto& [code, colour] : picture.colours) EXPECT_EQ(colour, FakePicture::kUnread) << code;
}

TEST_F(LightWorkerTest, WorkerReadsWhileTheUserSwitchesEffects)
{
    logic.LoadLightPage();
    std::atomic<bool> stop{false};
    std::atomic<int> strange{0};
    std::thread worker([&] {
        while (!stop.load()) {
            const std::optional<LightModeValues> v = ActiveLightModeValues(Store(), logic.State());
            if (v && v->mode != 2 && v->mode != 3 && v->mode != 11) ++strange;
        }
    });
    for (int i = 0; i < 200; ++i) {
        Choose(i % 2 ? 2 : 11);
        view.sliders[LightSlider::kBrightness] = 1 + i % 5;
        logic.OnBrightnessChanged();
    }
    stop = true;
    worker.join();
    EXPECT_EQ(strange.load(), 0);
}

}  // namespace

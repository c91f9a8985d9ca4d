// Preset light modes, per-key colour sets, per-key effects and music layers.
#include "store_fixture.h"

namespace {

class LightingTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(Open());
    }
    QStringList Raw(const char* sql)
    {
        RawDatabase db(PathOf(u"vn87"_qs));
        return db.Rows(sql);
    }
    static CustomKeyRecord Key(int effect, int keycode, int rgb, int lightMode)
    {
        return {0, effect, keycode, rgb, lightMode, 2, 3};
    }
};

TEST_F(LightingTest, LightModesLiveUnderTheSettingsProfile)
{
    LightModeRecord r{0, 5, u"Wave"_qs, 3, 4, 2, 1, 1, 6, 0x00FF00, 7, 8, 0};
    EXPECT_EQ(Store().InsertLightMode(r), 1);
    r.name = u"Breath"_qs;
    r.mode = 4;
    EXPECT_EQ(Store().InsertLightMode(r), 2);
    EXPECT_EQ(Store().CountLightModes(), 2);
    // The record's own profile is not used.
    EXPECT_EQ(Raw("SELECT DISTINCT profile FROM t_light_data"), QStringList{u"1"_qs});

    LightModeRecord read;
    ASSERT_TRUE(Store().GetLightMode(3, read));
    EXPECT_EQ(read.light_id, 1);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.name, u"Wave"_qs);
    EXPECT_EQ((std::vector<int>{read.mode, read.brightness, read.speed, read.direction, read.colorful,
                                read.colorindex, read.color_value, read.config_func, read.reserved, read.status}),
              (std::vector<int>{3, 4, 2, 1, 1, 6, 0x00FF00, 7, 8, 0}));

    // The update sets brightness..reserved of the mode, nothing else.
    LightModeRecord update{99, 9, u"ignored"_qs, 99, 1, 2, 3, 4, 5, 6, 7, 8, 1};
    EXPECT_TRUE(Store().UpdateLightMode(3, update));
    ASSERT_TRUE(Store().GetLightMode(3, read));
    EXPECT_EQ(read.name, u"Wave"_qs);
    EXPECT_EQ((std::vector<int>{read.light_id, read.mode, read.brightness, read.speed, read.direction,
                                read.colorful, read.colorindex, read.color_value, read.config_func,
                                read.reserved, read.status}),
              (std::vector<int>{1, 3, 1, 2, 3, 4, 5, 6, 7, 8, 0}));

    EXPECT_EQ(Store().GetActiveLightMode(1), 0);
    EXPECT_TRUE(Store().SetActiveLightMode(3));
    EXPECT_TRUE(Store().SetActiveLightMode(4));
    EXPECT_EQ(Store().GetActiveLightMode(1), 4);
    EXPECT_EQ(Raw("SELECT mode, status FROM t_light_data ORDER BY light_id"),
              (QStringList{u"3|0"_qs, u"4|1"_qs}));

    std::vector<LightModeRecord> list;
    ASSERT_EQ(Store().ListLightModes(1, list), 2);
    EXPECT_EQ(list[0].mode, 3);
    EXPECT_EQ(list[1].mode, 4);
    EXPECT_EQ(Store().ListLightModes(2, list), 0);
    EXPECT_FALSE(Store().GetLightMode(9, read));
}

TEST_F(LightingTest, UserLightSetsAndColours)
{
    const int set = Store().InsertUserLight(1, u"红色"_qs);
    const int other = Store().InsertUserLight(1, u"Other"_qs);
    EXPECT_EQ(Store().CountUserLights(), 2);
    EXPECT_EQ(Raw("SELECT * FROM t_userlight_data WHERE userlight_id = 1"), QStringList{u"1|1|红色|15|15|0"_qs});
    EXPECT_TRUE(Store().RenameUserLight(set, u"Red"_qs));

    std::vector<UserLightColourRecord> colours = {{0, 1, set, 41, 0x0000FF}, {0, 1, set, 30, 0xFFFFFF},
                                                  {0, 1, other, 41, 0x00FF00}};
    EXPECT_EQ(Store().InsertUserLightColours(colours), 3);
    std::vector<UserLightColourRecord> read;
    ASSERT_EQ(Store().ListUserLightColours(set, read), 2);
    EXPECT_EQ(read[0].userlightrgb_id, 1);
    EXPECT_EQ(read[0].profile, 1);
    EXPECT_EQ(read[0].userlight_id, set);
    EXPECT_EQ(read[0].key_code, 41);
    EXPECT_EQ(read[0].key_rgb, 0x0000FF);
    EXPECT_EQ(read[1].key_rgb, 0xFFFFFF);

    std::vector<UserLightRecord> sets;
    ASSERT_EQ(Store().ListUserLights(sets), 2);
    EXPECT_EQ(sets[0].name, u"Red"_qs);
    EXPECT_EQ((std::vector<int>{sets[0].speed, sets[0].brightness, sets[0].status}), (std::vector<int>{15, 15, 0}));

    // Deleting a set removes its row only; its colours go separately.
    EXPECT_TRUE(Store().DeleteUserLight(set));
    EXPECT_EQ(Store().ListUserLightColours(set, read), 2);
    EXPECT_TRUE(Store().DeleteUserLightColours(set));
    EXPECT_EQ(Store().ListUserLightColours(set, read), 0);
    EXPECT_EQ(Store().ListUserLightColours(other, read), 1);
}

TEST_F(LightingTest, CustomLightDefaultsAndSpeed)
{
    const int effect = Store().InsertCustomLight(1, u"Ripple"_qs);
    EXPECT_EQ(Raw("SELECT profile, name, speed, brightness, typeof(status) FROM t_customlight_data"),
              QStringList{u"1|Ripple|15|15|null"_qs});
    EXPECT_TRUE(Store().SetCustomLightSpeed(effect, 3));
    int speed = -1;
    EXPECT_TRUE(Store().GetCustomLightSpeed(effect, speed));
    EXPECT_EQ(speed, 3);
    speed = -1;
    EXPECT_TRUE(Store().GetCustomLightSpeed(99, speed));
    EXPECT_EQ(speed, -1);

    std::vector<CustomLightRecord> list;
    ASSERT_EQ(Store().ListCustomLights(1, list), 1);
    EXPECT_EQ(list[0].customlight_id, effect);
    EXPECT_EQ(list[0].profile, 1);
    EXPECT_EQ(list[0].name, u"Ripple"_qs);
    EXPECT_EQ(list[0].speed, 0);  // not read by the list
}

TEST_F(LightingTest, CustomKeysOneRowPerKey)
{
    const int effect = Store().InsertCustomLight(1, u"A"_qs);
    const int first = Store().SaveCustomKey(Key(effect, 41, 0xFF, 2));
    EXPECT_EQ(first, 1);
    const int second = Store().SaveCustomKey(Key(effect, 41, 0xFF00, 5));
    EXPECT_GT(second, first);
    std::vector<CustomKeyRecord> keys;
    ASSERT_EQ(Store().ListCustomKeys(effect, keys), 1);
    EXPECT_EQ((std::vector<int>{keys[0].customrgb_id, keys[0].customlight_id, keys[0].keycode, keys[0].rgbvalue,
                                keys[0].light_mode, keys[0].colortype, keys[0].light_type}),
              (std::vector<int>{second, effect, 41, 0xFF00, 5, 2, 3}));

    // light_mode 0 clears the key.
    EXPECT_EQ(Store().SaveCustomKey(Key(effect, 41, 0, 0)), 0);
    EXPECT_EQ(Store().ListCustomKeys(effect, keys), 0);

    // The bulk form replaces per key and inserts every element, light_mode 0
    // included.
    Store().SaveCustomKey(Key(effect, 30, 1, 1));
    Store().SaveCustomKeys({Key(effect, 30, 2, 1), Key(effect, 31, 3, 0)});
    ASSERT_EQ(Store().ListCustomKeys(effect, keys), 2);
    EXPECT_EQ(Raw("SELECT keycode, rgbvalue, light_mode FROM t_customrgb_data ORDER BY keycode"),
              (QStringList{u"30|2|1"_qs, u"31|3|0"_qs}));
}

TEST_F(LightingTest, DeleteCustomLightTouchesNoOtherEffect)
{
    const int a = Store().InsertCustomLight(1, u"A"_qs);
    const int b = Store().InsertCustomLight(1, u"B"_qs);
    Store().SaveCustomKeys({Key(a, 4, 1, 1), Key(a, 5, 1, 1), Key(b, 4, 2, 1)});
    EXPECT_TRUE(Store().DeleteCustomLight(a));
    std::vector<CustomKeyRecord> keys;
    EXPECT_EQ(Store().ListCustomKeys(a, keys), 0);
    ASSERT_EQ(Store().ListCustomKeys(b, keys), 1);
    EXPECT_EQ(keys[0].rgbvalue, 2);
    std::vector<CustomLightRecord> list;
    ASSERT_EQ(Store().ListCustomLights(1, list), 1);
    EXPECT_EQ(list[0].name, u"B"_qs);
}

TEST_F(LightingTest, MusicLayers)
{
    const int layer = Store().InsertMusicLayer(u"Bass"_qs, 2);
    const int other = Store().InsertMusicLayer(u"Beat"_qs, 1);
    EXPECT_EQ(Store().CountMusicLayers(), 2);
    EXPECT_EQ(Raw("SELECT * FROM t_musiclayer_data ORDER BY layer_id"),
              (QStringList{u"1|1|Bass|0|2|300|0|100|0"_qs, u"2|1|Beat|0|1|300|0|100|0"_qs}));

    EXPECT_TRUE(Store().UpdateMusicLayer(layer, {0, 0, u"ignored"_qs, 3, 4, 250, 1, 80, 1}));
    EXPECT_TRUE(Store().RenameMusicLayer(layer, u"低音"_qs));
    EXPECT_EQ(Store().GetSelectedMusicLayer(), 0);
    EXPECT_TRUE(Store().SelectMusicLayer(other));
    EXPECT_TRUE(Store().SelectMusicLayer(layer));
    EXPECT_EQ(Store().GetSelectedMusicLayer(), layer);
    EXPECT_EQ(Raw("SELECT sel FROM t_musiclayer_data ORDER BY layer_id"), (QStringList{u"1"_qs, u"0"_qs}));

    MusicLayerRecord read;
    read.sel = 42;  // not read
    ASSERT_TRUE(Store().GetMusicLayer(layer, read));
    EXPECT_EQ(read.name, u"低音"_qs);
    EXPECT_EQ((std::vector<int>{read.layer_id, read.profile, read.deviceindex, read.foremode, read.fore_amplitude,
                                read.backmode, read.backb_right, read.sel}),
              (std::vector<int>{layer, 1, 3, 4, 250, 1, 80, 42}));

    std::vector<MusicLayerRecord> list;
    ASSERT_EQ(Store().ListMusicLayers(list), 2);
    EXPECT_EQ(list[1].name, u"Beat"_qs);
    EXPECT_EQ(list[1].fore_amplitude, 0);  // not read by the list
    EXPECT_TRUE(Store().DeleteMusicLayer(other));
    EXPECT_EQ(Store().ListMusicLayers(list), 1);
    EXPECT_FALSE(Store().GetMusicLayer(other, read));
}

}  // namespace

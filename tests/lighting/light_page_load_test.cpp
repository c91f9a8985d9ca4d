// Loading the light page: the default effects of a new store, the controls
// each effect offers, and the side-light list.
#include "tests/lighting/light_page_fakes.h"

namespace {

using G = LightGroup;

TEST_F(LightPageTest, EmptyStoreGetsTheTwentyDefaultEffects)
{
    logic.LoadLightPage();

    ASSERT_EQ(view.effects.size(), 20u);
    for (int i = 0; i < 19; ++i) {
        EXPECT_EQ(view.effects[i].text, TestText(521 + i));
        EXPECT_EQ(view.effects[i].data, i + 1);
    }
    EXPECT_EQ(view.effects[19].text, TestText(540));
    EXPECT_EQ(view.effects[19].data, 0);
    EXPECT_EQ(view.selectedEffect, 3);  // the layout's default mode
    EXPECT_EQ(logic.State().ActiveEffect(), 3);
    EXPECT_EQ(logic.State().ConfigFunc(), 0x33);

    // The stored set: name, mode and controls from the table; brightness and
    // speed from the layout; direction 0, colourful, red, only 3 active.
    const int configFunc[20] = {0x31, 0x33, 0x33, 0x33, 0x33, 0x03, 0x33, 0x03, 0x33, 0x3B,
                                0x37, 0x37, 0x33, 0x33, 0x33, 0x37, 0x33, 0x37, 0x33, 0x00};
    std::vector<LightModeRecord> rows;
    ASSERT_EQ(Store().ListLightModes(DataStore::kSettingsProfile, rows), 20);
    for (int i = 0; i < 20; ++i) {
        const LightModeRecord& r = rows[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(r.name, CString::number(521 + i));
        EXPECT_EQ(r.mode, i == 19 ? 0 : i + 1);
        EXPECT_EQ(r.config_func, configFunc[i]);
        EXPECT_EQ((std::vector<int>{r.brightness, r.speed, r.direction, r.colorful, r.colorindex, r.color_value,
                                    r.reserved, r.status}),
                  (std::vector<int>{4, 2, 0, 1, 0, 0xFF, 0, r.mode == 3 ? 1 : 0}));
    }

    // Brightness takes the layout's maximum; speed keeps its starting range.
    EXPECT_EQ(view.maxima.at(LightSlider::kBrightness), 8);
    EXPECT_EQ(view.maxima.at(LightSlider::kSpeed), 5);
}

TEST_F(LightPageTest, ReloadKeepsTheStoredSetAndTheChosenEffect)
{
    logic.LoadLightPage();
    Choose(11);
    logic.LoadLightPage();
    EXPECT_EQ(Store().CountLightModes(), 20);
    EXPECT_EQ(view.effects.size(), 20u);
    EXPECT_EQ(view.selectedEffect, 11);
    EXPECT_EQ(Store().GetActiveLightMode(DataStore::kSettingsProfile), 11);
}

TEST_F(LightPageTest, NoActiveRecordSelectsNothing)
{
    LightInfo light = TestLightInfo();
    light.defaultMode = 25;  // names no effect of the set
    logic.SetLayout(light, true);
    logic.LoadLightPage();
    EXPECT_EQ(view.effects.size(), 20u);
    EXPECT_FALSE(view.selectedEffect.has_value());
    EXPECT_EQ(logic.State().ActiveEffect(), LightPageState::kNoEffect);
    for (G g : {G::kBrightness, G::kSpeed, G::kColourGroup, G::kColourful}) EXPECT_FALSE(view.shown.at(g));
}

// Which controls an effect offers, by its config_func.
struct ShownCase {
    int mode;
    int configFunc;  // of the default set, for the reader
    bool brightness, speed, directionLabel, leftRight, upDown, colour, colourGroup;
};

TEST_F(LightPageTest, EffectShowsTheControlsItsBitsOffer)
{
    const ShownCase cases[] = {
        {1, 0x31, true, false, false, false, false, true, true},
        {6, 0x03, true, true, false, false, false, false, false},
        {11, 0x37, true, true, true, true, false, true, true},
        {10, 0x3B, true, true, true, false, true, true, true},
        {0, 0x00, false, false, false, false, false, false, false},
    };
    logic.LoadLightPage();
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(c.mode);
        view.shown.clear();
        Choose(c.mode);
        EXPECT_EQ(logic.State().ConfigFunc(), c.configFunc);
        EXPECT_EQ(view.shown.at(G::kBrightness), c.brightness);
        EXPECT_EQ(view.shown.at(G::kSpeed), c.speed);
        EXPECT_EQ(view.shown.at(G::kDirectionLabel), c.directionLabel);
        EXPECT_EQ(view.shown.at(G::kDirectionLeftRight), c.leftRight);
        EXPECT_EQ(view.shown.at(G::kDirectionUpDown), c.upDown);
        EXPECT_EQ(view.shown.at(G::kCurrentColour), c.colour);
        EXPECT_EQ(view.shown.at(G::kColourful), c.colour);
        EXPECT_EQ(view.shown.at(G::kColourGroup), c.colourGroup);
        // A hidden level slider is set to 0, a shown one to the stored level.
        EXPECT_EQ(view.SliderValue(LightSlider::kBrightness), c.brightness ? 4 : 0);
        EXPECT_EQ(view.SliderValue(LightSlider::kSpeed), c.speed ? 2 : 0);
        EXPECT_EQ(tasks.Take(), std::vector<int>{kTaskWriteLightMode});
        EXPECT_EQ(Store().GetActiveLightMode(DataStore::kSettingsProfile), c.mode);
    }
}

struct DirectionCase {
    int mode;
    int stored;
    int checked;
};

TEST_F(LightPageTest, DirectionRadioFollowsTheStoredDirection)
{
    const DirectionCase cases[] = {
        {11, 1, 1}, {11, 0, 0}, {11, 3, 0},  // left/right: right only for 1
        {10, 2, 2}, {10, 3, 3}, {10, 0, 3},  // up/down: up only for 2
    };
    logic.LoadLightPage();
    for (const DirectionCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.mode << " " << c.stored);
        LightModeRecord r = Record(c.mode);
        r.direction = c.stored;
        ASSERT_TRUE(Store().UpdateLightMode(c.mode, r));
        view.checkedDirection.reset();
        Choose(c.mode);
        EXPECT_EQ(view.checkedDirection, c.checked);
    }
}

TEST_F(LightPageTest, ColourControlsShowTheStoredColour)
{
    logic.LoadLightPage();
    // Colourful: the box is checked, the picture shows the rainbow and the
    // fields start from red.
    Choose(2);
    EXPECT_TRUE(view.colourful);
    EXPECT_EQ(view.currentColour, 0xFFu);
    ASSERT_FALSE(view.picture.empty());
    EXPECT_TRUE(view.picture.back().colourful);
    EXPECT_EQ(view.Fields(), u"255,0,0"_qs);

    // One colour: the fields and sliders show its bytes (red is the low byte).
    Update(2, [](LightModeRecord& r) {
        r.colorful = 0;
        r.color_value = 0x00112233;
    });
    Choose(2);
    EXPECT_FALSE(view.colourful);
    EXPECT_EQ(view.currentColour, 0x00112233u);
    EXPECT_FALSE(view.picture.back().colourful);
    EXPECT_EQ(view.picture.back().colour, 0x00112233u);
    EXPECT_EQ(view.Fields(), u"51,34,17"_qs);
    EXPECT_EQ(view.ChannelSliders(), (std::vector<int>{51, 34, 17}));
}

TEST_F(LightPageTest, ColourFieldsStartFromTheWheel)
{
    view.wheel = 0x00804020;
    logic.InitColourFields();
    EXPECT_EQ(view.Fields(), u"32,64,128"_qs);
    EXPECT_EQ(view.ChannelSliders(), (std::vector<int>{32, 64, 128}));
}

TEST_F(LightPageTest, SideLightListSelectsTheStoredChoice)
{
    logic.LoadSideLightList();
    ASSERT_EQ(view.sideLights.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(view.sideLights[i].text, TestText(661 + i));
        EXPECT_EQ(view.sideLights[i].data, 32 + i);
    }
    EXPECT_TRUE(view.shown.at(G::kSideLight));
    EXPECT_EQ(view.selectedSideLight, 32);  // default "1"
    EXPECT_EQ(logic.State().SideLight(), 32);

    // The user's choice is remembered, queued and stored minus 31.
    ASSERT_TRUE(view.SelectSideLight(36));
    logic.OnSideLightSelected();
    EXPECT_EQ(logic.State().SideLight(), 36);
    EXPECT_EQ(tasks.Take(), std::vector<int>{kTaskWriteSideLightMode});
    CString stored;
    ASSERT_TRUE(Store().GetConfigValue(DataStore::kSettingsProfile, u"lightmode"_qs, stored));
    EXPECT_EQ(stored, u"5"_qs);
    logic.LoadSideLightList();
    EXPECT_EQ(view.selectedSideLight, 36);

    // A stored value without an item still becomes the side-light mode.
    ASSERT_TRUE(Store().SetConfigValue(DataStore::kSettingsProfile, u"lightmode"_qs, u"15"_qs));
    logic.LoadSideLightList();
    EXPECT_FALSE(view.selectedSideLight.has_value());
    EXPECT_EQ(logic.State().SideLight(), 46);

    // A store without the value starts from the first choice.
    {
        std::lock_guard lock(Store().Lock());
        ASSERT_EQ(Store().Connection().Exec("DELETE FROM t_config_data WHERE key = 'lightmode'"), 0);
    }
    logic.LoadSideLightList();
    EXPECT_EQ(view.selectedSideLight, 32);
    EXPECT_EQ(logic.State().SideLight(), 32);

    // Without the side light in the layout the list stays hidden.
    logic.SetLayout(TestLightInfo(), false);
    logic.LoadSideLightList();
    EXPECT_FALSE(view.shown.at(G::kSideLight));
}

TEST_F(LightPageTest, RestoreDefaultsReloadsFromTheFreshStore)
{
    logic.LoadLightPage();
    logic.LoadSideLightList();
    Choose(11);
    ASSERT_TRUE(view.SelectSideLight(40));
    logic.OnSideLightSelected();

    // The store's defaults are restored by starting a new database.
    Store().DeleteDatabaseFile(dir.path(), u"vn104"_qs);
    ASSERT_TRUE(Store().OpenForDevice(dir.path(), u"vn104"_qs));
    Store().InsertDefaultConfig();
    logic.RestoreDefaults();
    EXPECT_EQ(view.effects.size(), 20u);
    EXPECT_EQ(view.selectedEffect, 3);
    EXPECT_EQ(logic.State().ActiveEffect(), 3);
    EXPECT_EQ(view.selectedSideLight, 32);
    EXPECT_EQ(logic.State().SideLight(), 32);
}

}  // namespace

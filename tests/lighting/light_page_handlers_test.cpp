// The light page's handlers: every change is stored at once and queues the
// send; colour editing and the colourful box work together.
#include "tests/lighting/light_page_fakes.h"

#include "features/lighting/light_swatches.h"

namespace {

using C = ColourChannel;

TEST_F(LightPageTest, LevelsAndDirectionAreStoredAndSent)
{
    LoadAndChoose(11);
    view.sliders[LightSlider::kBrightness] = 5;
    logic.OnBrightnessChanged();
    view.sliders[LightSlider::kSpeed] = 1;
    logic.OnSpeedChanged();
    logic.OnDirectionClicked(1);
    const LightModeRecord r = Record(11);
    EXPECT_EQ(r.brightness, 5);
    EXPECT_EQ(r.speed, 1);
    EXPECT_EQ(r.direction, 1);
    EXPECT_EQ(tasks.Take(), std::vector<int>(3, kTaskWriteLightMode));
    // Other effects keep their values.
    EXPECT_EQ(Record(12).brightness, 4);

    logic.OnDirectionClicked(4);  // no such radio
    EXPECT_EQ(Record(11).direction, 1);
    EXPECT_TRUE(tasks.Take().empty());
}

TEST_F(LightPageTest, TabEntryResendsTheActiveEffect)
{
    LoadAndChoose(6);
    view.shown.clear();
    logic.OnLightTabEntered();
    EXPECT_EQ(tasks.Take(), std::vector<int>{kTaskWriteLightMode});
    EXPECT_TRUE(view.shown.at(LightGroup::kSpeed));
}

struct FieldCase {
    const char16_t* typed;
    const char16_t* shown;  // the field afterwards
    int value;              // the red slider and the red byte of the colour
};

TEST_F(LightPageTest, TypedChannelIsParsedClampedAndRewritten)
{
    const FieldCase cases[] = {
        {u"300", u"255", 255},
        {u"-5", u"0", 0},
        {u"12", u"12", 12},
        {u"abc", u"abc", 0},  // not a number: reads as 0
        {u"", u"", 0},
    };
    LoadAndChoose(2);
    view.SetChannelText(C::kGreen, u"16"_qs);
    view.SetChannelText(C::kBlue, u"1"_qs);
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(CString::fromUtf16(c.typed).toStdString());
        view.channels[C::kRed] = CString::fromUtf16(c.typed);
        logic.OnChannelTextChanged(C::kRed);
        EXPECT_EQ(view.ChannelText(C::kRed), CString::fromUtf16(c.shown));
        EXPECT_EQ(view.SliderValue(LightSlider::kRed), c.value);
        EXPECT_EQ(Record(2).color_value, c.value | 0x10 << 8 | 0x01 << 16);
        EXPECT_EQ(view.currentColour, uint32_t(c.value | 0x10 << 8 | 0x01 << 16));
    }
}

TEST_F(LightPageTest, UncheckingColourfulByClickStartsFromRed)
{
    logic.LoadLightPage();
    Update(2, [](LightModeRecord& r) { r.color_value = 0x00112233; });
    LoadAndChoose(2);
    ASSERT_TRUE(view.colourful);

    view.colourful = false;  // the click
    logic.OnColourfulClicked();
    LightModeRecord r = Record(2);
    EXPECT_EQ(r.colorful, 0);
    EXPECT_EQ(r.color_value, 0xFF);
    EXPECT_EQ(view.Fields(), u"255,0,0"_qs);
    EXPECT_EQ(view.currentColour, 0xFFu);
    ASSERT_FALSE(view.picture.empty());
    EXPECT_FALSE(view.picture.back().colourful);
    EXPECT_EQ(view.picture.back().colour, 0xFFu);
    ASSERT_FALSE(tasks.queued.empty());
    EXPECT_EQ(tasks.queued.back(), kTaskWriteLightMode);

    // Checking it again keeps the single colour stored beside it.
    tasks.Take();
    view.colourful = true;
    logic.OnColourfulClicked();
    r = Record(2);
    EXPECT_EQ(r.colorful, 1);
    EXPECT_EQ(r.color_value, 0xFF);
    EXPECT_TRUE(view.picture.back().colourful);
    EXPECT_EQ(tasks.Take(), std::vector<int>{kTaskWriteLightMode});
}

// Each way of picking a colour while the colourful box is checked: the check
// is cleared and the picked colour kept.
struct PickCase {
    const char* name;
    void (*pick)(FakeLightView&, LightModeLogic&);
    uint32_t colour;
    const char16_t* fields;
};

TEST_F(LightPageTest, PickingAColourClearsColourfulAndKeepsTheColour)
{
    const PickCase cases[] = {
        {"wheel",
         [](FakeLightView& v, LightModeLogic& l) {
             v.wheel = 0x00804020;
             l.OnWheelColourChanged();
         },
         0x00804020, u"32,64,128"},
        {"green swatch", [](FakeLightView&, LightModeLogic& l) { l.OnSwatchClicked(kLightSwatchColours[3]); },
         0x0000FF00, u"0,255,0"},
        {"black swatch", [](FakeLightView&, LightModeLogic& l) { l.OnSwatchClicked(kLightSwatchColours[8]); }, 0,
         u"0,0,0"},
        // The fields show red while colourful; the green slider adds to it.
        {"green slider",
         [](FakeLightView& v, LightModeLogic& l) {
             v.sliders[LightSlider::kGreen] = 128;
             l.OnChannelSliderChanged(ColourChannel::kGreen);
         },
         0x000080FF, u"255,128,0"},
        {"blue field",
         [](FakeLightView& v, LightModeLogic& l) {
             v.channels[ColourChannel::kBlue] = u"64"_qs;
             l.OnChannelTextChanged(ColourChannel::kBlue);
         },
         0x004000FF, u"255,0,64"},
    };
    logic.LoadLightPage();
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.name);
        Update(5, [](LightModeRecord& r) {
            r.colorful = 1;
            r.color_value = 0x00112233;
        });
        Choose(5);
        ASSERT_TRUE(view.colourful);
        tasks.Take();

        c.pick(view, logic);
        EXPECT_FALSE(view.colourful);
        const LightModeRecord r = Record(5);
        EXPECT_EQ(r.colorful, 0);
        EXPECT_EQ(uint32_t(r.color_value), c.colour);
        EXPECT_EQ(view.currentColour, c.colour);
        EXPECT_EQ(view.Fields(), CString::fromUtf16(c.fields));
        EXPECT_FALSE(view.picture.back().colourful);
        EXPECT_EQ(view.picture.back().colour, c.colour);
        ASSERT_FALSE(tasks.queued.empty());
        EXPECT_EQ(tasks.queued.back(), kTaskWriteLightMode);
    }
}

TEST_F(LightPageTest, ShowOnlyEffectNeitherStoresNorSendsAColour)
{
    logic.LoadLightPage();
    Update(1, [](LightModeRecord& r) {
        r.config_func = 0x131;
        r.colorful = 0;
        r.color_value = 0x00112233;
    });
    LoadAndChoose(1);
    logic.OnSwatchClicked(kLightSwatchColours[4]);
    EXPECT_EQ(view.currentColour, 0x00FF0000u);
    EXPECT_EQ(Record(1).color_value, 0x00112233);
    EXPECT_TRUE(tasks.Take().empty());
}

TEST_F(LightPageTest, MissingActiveRecordMakesEveryHandlerDoNothing)
{
    logic.LoadLightPage();
    Choose(7);
    view.colourful = true;
    {
        std::lock_guard lock(Store().Lock());
        ASSERT_EQ(Store().Connection().Exec("DELETE FROM t_light_data WHERE mode = 7"), 0);
    }
    tasks.Take();
    std::vector<LightModeRecord> before;
    Store().ListLightModes(DataStore::kSettingsProfile, before);
    const CString fields = view.Fields();

    view.sliders[LightSlider::kBrightness] = 1;
    logic.OnBrightnessChanged();
    logic.OnSpeedChanged();
    logic.OnDirectionClicked(2);
    logic.OnColourfulClicked();
    view.wheel = 0x00ABCDEF;
    logic.OnWheelColourChanged();
    logic.OnSwatchClicked(0x00FFFFFF);
    logic.OnChannelSliderChanged(C::kRed);
    view.channels[C::kRed] = u"300"_qs;
    logic.OnChannelTextChanged(C::kRed);
    logic.OnLightTabEntered();

    EXPECT_TRUE(tasks.queued.empty());
    EXPECT_TRUE(view.colourful);
    EXPECT_EQ(view.ChannelText(C::kRed), u"300"_qs);
    view.channels[C::kRed] = fields.section(u',', 0, 0);
    EXPECT_EQ(view.Fields(), fields);
    std::vector<LightModeRecord> after;
    Store().ListLightModes(DataStore::kSettingsProfile, after);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].color_value, before[i].color_value);
        EXPECT_EQ(after[i].brightness, before[i].brightness);
        EXPECT_EQ(after[i].colorful, before[i].colorful);
        EXPECT_EQ(after[i].direction, before[i].direction);
    }
}

}  // namespace

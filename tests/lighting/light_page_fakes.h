#pragma once
// The light page's seams for tests: a view that records what the logic does
// to the controls and lets a test play the user, a task queue that records
// task numbers, and a fixture with a real store in a temporary folder.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <vector>

#include "features/lighting/light_mode_logic.h"
#include "store/data_store.h"

class FakeLightView : public LightPageView {
public:
    struct Item {
        CString text;
        int data = 0;
    };
    std::vector<Item> effects, sideLights;
    std::optional<int> selectedEffect, selectedSideLight;
    std::map<LightGroup, bool> shown;
    std::map<LightSlider, int> sliders, maxima;
    std::map<ColourChannel, CString> channels;
    std::optional<int> checkedDirection;
    bool colourful = false;
    std::optional<uint32_t> currentColour;
    uint32_t wheel = 0;
    struct PictureCall {
        bool colourful;
        uint32_t colour;
    };
    std::vector<PictureCall> picture;

    void ClearEffects() override
    {
        effects.clear();
        selectedEffect.reset();
    }
    void AddEffect(const CString& text, int mode) override { effects.push_back({text, mode}); }
    bool SelectEffect(int mode) override { return Select(effects, mode, selectedEffect); }
    std::optional<int> SelectedEffect() const override { return selectedEffect; }

    void ClearSideLights() override
    {
        sideLights.clear();
        selectedSideLight.reset();
    }
    void AddSideLight(const CString& text, int value) override { sideLights.push_back({text, value}); }
    bool SelectSideLight(int value) override { return Select(sideLights, value, selectedSideLight); }
    std::optional<int> SelectedSideLight() const override { return selectedSideLight; }

    void ShowGroup(LightGroup group, bool visible) override { shown[group] = visible; }
    void SetSliderMaximum(LightSlider slider, int maximum) override { maxima[slider] = maximum; }
    void SetSliderValue(LightSlider slider, int value) override { sliders[slider] = value; }
    int SliderValue(LightSlider slider) const override
    {
        const auto it = sliders.find(slider);
        return it == sliders.end() ? 0 : it->second;
    }
    void SetChannelText(ColourChannel channel, const CString& text) override { channels[channel] = text; }
    CString ChannelText(ColourChannel channel) const override
    {
        const auto it = channels.find(channel);
        return it == channels.end() ? CString() : it->second;
    }
    void CheckDirection(int direction) override { checkedDirection = direction; }
    void SetColourfulChecked(bool checked) override { colourful = checked; }
    bool IsColourfulChecked() const override { return colourful; }
    void SetCurrentColour(uint32_t colour) override { currentColour = colour; }
    uint32_t WheelColour() const override { return wheel; }
    void SetLightModeColor(bool rainbow, uint32_t colour) override { picture.push_back({rainbow, colour}); }

    // The three fields as numbers text, "R,G,B".
    CString Fields() const
    {
        return ChannelText(ColourChannel::kRed) + u',' + ChannelText(ColourChannel::kGreen) + u',' +
               ChannelText(ColourChannel::kBlue);
    }
    std::vector<int> ChannelSliders() const
    {
        return {SliderValue(LightSlider::kRed), SliderValue(LightSlider::kGreen), SliderValue(LightSlider::kBlue)};
    }

private:
    static bool Select(const std::vector<Item>& items, int data, std::optional<int>& selected)
    {
        for (const Item& i : items)
            if (i.data == data) {
                selected = data;
                return true;
            }
        return false;
    }
};

class RecordingTasks : public LightTaskSink {
public:
    std::vector<int> queued;
    void QueueTask(int task) override { queued.push_back(task); }
    // The tasks queued since the last call.
    std::vector<int> Take()
    {
        std::vector<int> out;
        out.swap(queued);
        return out;
    }
};

// Text lookup of the tests: "#<number>".
inline CString TestText(int number)
{
    return u'#' + CString::number(number);
}

// The layout values the page uses.
inline LightInfo TestLightInfo()
{
    LightInfo l;
    l.rgbKeyboard = 1;
    l.defaultMode = 3;
    l.defaultBrightness = 4;
    l.defaultSpeed = 2;
    l.brightnessMax = 8;
    l.speedMax = 0;  // not named: the slider keeps its starting range
    return l;
}

// A fresh store with its default configuration and the page's logic over
// the fake view.
class LightPageTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeLightView view;
    RecordingTasks tasks;
    LightModeLogic logic{DataStore::Instance(), view, tasks, TestText};

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Store().Close();
        ASSERT_TRUE(Store().OpenForDevice(dir.path(), u"vn104"_qs));
        Store().InsertDefaultConfig();
        logic.SetLayout(TestLightInfo(), true);
    }
    void TearDown() override { Store().Close(); }

    static DataStore& Store() { return DataStore::Instance(); }
    static LightModeRecord Record(int mode)
    {
        LightModeRecord r;
        EXPECT_TRUE(Store().GetLightMode(mode, r)) << "mode " << mode;
        return r;
    }
    static void Update(int mode, void (*change)(LightModeRecord&))
    {
        LightModeRecord r = Record(mode);
        change(r);
        ASSERT_TRUE(Store().UpdateLightMode(mode, r));
    }
    // The page loaded, then the user picks an effect from the list.
    void Choose(int mode)
    {
        ASSERT_TRUE(view.SelectEffect(mode));
        logic.OnEffectSelected();
    }
    // Loads the page and chooses an effect, forgetting what that queued.
    void LoadAndChoose(int mode)
    {
        logic.LoadLightPage();
        Choose(mode);
        tasks.Take();
        view.picture.clear();
    }
};

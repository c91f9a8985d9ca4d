#pragma once
// What the preset light-mode logic does to the light page's controls. The
// page implements it over its oxa controls; tests implement it with a
// recording fake. Setters change what a control shows and never raise the
// control's own notification (the logic would otherwise run again inside
// itself). Calls come from the thread that runs the logic operation; the
// implementation must not wait on another thread while it is called.
#include <cstdint>
#include <optional>

#include "platform/cstring.h"

// Controls shown and hidden together.
enum class LightGroup {
    kBrightness,          // label and slider
    kSpeed,               // label and slider
    kDirectionLabel,
    kDirectionLeftRight,  // the right and left radios
    kDirectionUpDown,     // the up and down radios
    kCurrentColour,       // the current-colour button
    kColourful,           // the colourful check box
    kColourGroup,         // wheel, R/G/B sliders and fields, swatches
    kSideLight,           // side-light label and list
};

enum class LightSlider { kBrightness, kSpeed, kRed, kGreen, kBlue };

enum class ColourChannel { kRed, kGreen, kBlue };

class LightPageView {
public:
    virtual ~LightPageView() = default;

    // Effect list: one item per effect, item data = effect number.
    virtual void ClearEffects() = 0;
    virtual void AddEffect(const CString& text, int mode) = 0;
    // Selects the item with that data; false (selection unchanged) when none has it.
    virtual bool SelectEffect(int mode) = 0;
    virtual std::optional<int> SelectedEffect() const = 0;

    // Side-light list: item data 32..41.
    virtual void ClearSideLights() = 0;
    virtual void AddSideLight(const CString& text, int value) = 0;
    virtual bool SelectSideLight(int value) = 0;
    virtual std::optional<int> SelectedSideLight() const = 0;

    virtual void ShowGroup(LightGroup group, bool shown) = 0;

    virtual void SetSliderMaximum(LightSlider slider, int maximum) = 0;
    virtual void SetSliderValue(LightSlider slider, int value) = 0;
    virtual int SliderValue(LightSlider slider) const = 0;

    virtual void SetChannelText(ColourChannel channel, const CString& text) = 0;
    virtual CString ChannelText(ColourChannel channel) const = 0;

    // Checks one direction radio (0 left, 1 right, 2 up, 3 down); the
    // others of the group are unchecked.
    virtual void CheckDirection(int direction) = 0;

    virtual void SetColourfulChecked(bool checked) = 0;
    virtual bool IsColourfulChecked() const = 0;

    virtual void SetCurrentColour(uint32_t colour) = 0;  // 0x00BBGGRR
    virtual uint32_t WheelColour() const = 0;            // 0x00BBGGRR

    // The keyboard picture: every key in `colour`, or the rainbow table when
    // `colourful` is set.
    virtual void SetLightModeColor(bool colourful, uint32_t colour) = 0;
};

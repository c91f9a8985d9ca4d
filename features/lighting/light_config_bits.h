#pragma once
// The bits of a light mode record's config_func: which controls the effect
// offers on the light page.
enum LightConfigBit : int {
    kLightBrightness = 0x01,
    kLightSpeed = 0x02,
    kLightLeftRight = 0x04,
    kLightUpDown = 0x08,        // only when kLightLeftRight is clear
    kLightColourGroup = 0x10,
    kLightColourful = 0x20,     // current-colour button and colourful box
    kLightShowColourOnly = 0x100,  // a colour change is shown, not stored or sent
};

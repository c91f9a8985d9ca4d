#pragma once
// The preset light effects as the simulated keyboard animates them: each
// light's colour is a function of the effect's settings, the light's place
// on the keyboard and the keyboard's clock, so that a frame can be
// recomputed for any moment and tests on a manual clock see exact frames.
// Effects that look random (twinkles, drops, bursts) draw from a hash of
// the light and the time slot, never from a random generator.
#include <cstdint>
#include <vector>

#include "sim/sim_memory.h"
#include "sim/sim_model.h"

struct SimRgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const SimRgb&) const = default;
};

// Light effect settings beyond the mode block: the layout's maxima, and
// whether the keyboard shows colours (a single-colour keyboard shows levels:
// its colour choice and the colourful variant do not apply).
struct SimEffectLimits {
    int brightnessMax = 5;
    int speedMax = 5;
    bool rgb = true;
};

// The colour of each light of `places` (same order) for the preset effect of
// `light` (modes 1..0x7F; unknown ones show as mode 1, static) `ms`
// milliseconds after the keyboard started. On a single-colour keyboard the
// three channels are equal and are the light's level.
std::vector<SimRgb> PresetEffectColours(const SimLightMode& light, const std::vector<SimLightPlace>& places,
                                        const SimEffectLimits& limits, int64_t ms);

#pragma once
// The light page's work on the worker thread: sending the active effect
// (task 9) and the side-light effect (task 10), and mirroring the
// keyboard's own LED colours onto the picture while the page is shown.
#include <optional>

#include "features/lighting/key_colour_sink.h"
#include "features/lighting/light_page_state.h"
#include "link/device_commands.h"

class DataStore;

// The values of the page's active effect as stored; none when the page has
// no active effect or its record is missing.
std::optional<LightModeValues> ActiveLightModeValues(DataStore& store, const LightPageState& state);

// Task 9: the active effect in the connection mode's form; nothing when its
// record is missing or the keyboard is not on cable or receiver.
CommandOutcome SendLightMode(const CommandContext& c, DataStore& store, const LightPageState& state);
// Task 10: the side-light mode the page remembers.
CommandOutcome SendSideLightMode(const CommandContext& c, const LightPageState& state);

// Idle step of the light page (cable only): reads the keyboard's colours and
// gives every picture key with a light position its colour, then repaints.
// False, and the picture untouched, when nothing was read.
bool MirrorKeyColors(const CommandContext& c, KeyColourSink& picture);

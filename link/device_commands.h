#pragma once
// Every device command as one call: builds the form the connection mode asks
// for (0 cable, 2 receiver; any other mode sends nothing) and runs it through
// the manager. Values come in as plain data; the pages read them from the
// store and their controls.
#include <map>
#include <optional>

#include "device/key_tables.h"
#include "device/layout_file.h"
#include "link/clock_command.h"
#include "link/command_runner.h"
#include "link/key_map_command.h"
#include "link/light_command.h"
#include "link/live_command.h"
#include "link/macro_command.h"
#include "link/screen_command.h"
#include "link/settings_command.h"

enum class CommandOutcome {
    kSkipped,  // no form of the command for this connection mode
    kRefused,  // nothing to send (missing record, set too large, no key selected)
    kDone,     // every report went through
    kFailed,   // some report failed (the transaction still ran to its end)
};
const char* OutcomeName(CommandOutcome outcome);

struct CommandContext {
    HidDeviceManager& manager;
    int connectMode = -1;
    const LayoutFile& layout;
    const KeyTables& tables;
};

CommandOutcome WriteSettings(const CommandContext& c, const DeviceSettings& settings);
CommandOutcome WriteScreenClock(const CommandContext& c, const ScreenClock& clock);
// Task 6: the base layer, then the Fn layer when the layout has one.
CommandOutcome WriteKeyMaps(const CommandContext& c, const std::vector<KeyAssignment>& base,
                            const std::vector<KeyAssignment>& fn, const std::vector<int>& macroIds);
// Task 7: one key of layer 0 or 1 changed. Cable: its whole layer (the Fn
// layer only when the layout has one); receiver: WriteKeyEntry of the
// selected key (refused when none is selected).
CommandOutcome WriteKeyChange(const CommandContext& c, int layer, const std::vector<KeyAssignment>& layerAssignments,
                              std::optional<int> selectedKey, const std::vector<int>& macroIds);
// Task 13: receiver only (the cable form sends the emptied layers instead).
CommandOutcome ResetKeyMap(const CommandContext& c);
CommandOutcome WriteMacros(const CommandContext& c, const std::vector<Macro>& macros);
// Refused when the selected mode has no stored record.
CommandOutcome WriteLightMode(const CommandContext& c, const std::optional<LightModeValues>& mode);
CommandOutcome WriteSideLightMode(const CommandContext& c, int value);
// Refused when no user light set is chosen.
CommandOutcome WriteUserLight(const CommandContext& c, const std::optional<std::map<int, uint32_t>>& colours);
CommandOutcome UploadScreenAnimation(const CommandContext& c, const std::vector<ScreenFrame>& frames, int slot,
                                     const ProgressCallback& progress = {});
// Cable only: the keyboard's colours by key code; nothing when the read fails.
std::optional<std::map<int, uint32_t>> ReadKeyColours(const CommandContext& c);
// Sent whatever the mode (the per-key animation page does not look at it).
CommandOutcome SendLiveFrame(const CommandContext& c, const std::vector<uint8_t>& frame);
CommandOutcome SendMusicFrame(const CommandContext& c, const MusicFrameValues& values);
CommandOutcome ResetAll(const CommandContext& c);
// Receiver only: the battery level; nothing when the answer does not count.
std::optional<int> QueryBattery(const CommandContext& c);

// Task 14, after the store's defaults were restored: the defaults of every
// feature the page flags enable. Cable: macros, both key maps, user light,
// light mode, side light (each by its flag), then always the settings.
// Receiver: ResetAll, then with a 50 ms pause before each the light mode and
// the side light when their flags are set.
struct RestoreDefaultsValues {
    int pageFlags = 0;  // PageFlag bits of the layout's menu
    std::vector<Macro> macros;
    std::vector<KeyAssignment> baseKeys, fnKeys;
    std::vector<int> macroIds;
    std::optional<std::map<int, uint32_t>> userLight;
    std::optional<LightModeValues> lightMode;
    int sideLight = 32;
    DeviceSettings settings;
};
CommandOutcome RestoreDefaults(const CommandContext& c, const RestoreDefaultsValues& v);

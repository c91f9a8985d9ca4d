#include "link/device_commands.h"

#include "link/device_events.h"
#include "link/framing.h"
#include "link/report_sizes.h"

namespace {

constexpr int kColourReadPause = 10;
constexpr int kRestorePause = 50;

bool Cable(const CommandContext& c) { return c.connectMode == 0; }
bool Receiver(const CommandContext& c) { return c.connectMode == 2; }

CommandOutcome Run(const CommandContext& c, const Transaction& t, const ProgressCallback& progress = {})
{
    if (t.Empty()) return CommandOutcome::kRefused;
    return RunTransaction(c.manager, t, progress).Ok() ? CommandOutcome::kDone : CommandOutcome::kFailed;
}

CommandOutcome Both(CommandOutcome a, CommandOutcome b)
{
    if (a == CommandOutcome::kFailed || b == CommandOutcome::kFailed) return CommandOutcome::kFailed;
    return a == CommandOutcome::kDone ? a : b;
}

}  // namespace

const char* OutcomeName(CommandOutcome outcome)
{
    switch (outcome) {
    case CommandOutcome::kSkipped: return "skipped";
    case CommandOutcome::kRefused: return "refused";
    case CommandOutcome::kDone: return "done";
    case CommandOutcome::kFailed: return "failed";
    }
    return "?";
}

CommandOutcome WriteSettings(const CommandContext& c, const DeviceSettings& settings)
{
    if (Cable(c)) return Run(c, WriteSettingsCable(settings));
    if (Receiver(c)) return Run(c, WriteSettingsReceiver(settings));
    return CommandOutcome::kSkipped;
}

CommandOutcome WriteScreenClock(const CommandContext& c, const ScreenClock& clock)
{
    if (Cable(c)) return Run(c, WriteScreenClockCable(clock));
    if (Receiver(c)) return Run(c, WriteScreenClockReceiver(clock));
    return CommandOutcome::kSkipped;
}

CommandOutcome WriteKeyMaps(const CommandContext& c, const std::vector<KeyAssignment>& base,
                            const std::vector<KeyAssignment>& fn, const std::vector<int>& macroIds)
{
    if (!Cable(c) && !Receiver(c)) return CommandOutcome::kSkipped;
    const KeyPlacement placement(c.layout, c.tables);
    auto layer = [&](int l, const std::vector<KeyAssignment>& a) {
        const std::vector<uint8_t> block = KeyMapBlock(a, l, placement, macroIds);
        return Run(c, Cable(c) ? WriteKeyMapCable(block, l) : WriteKeyMapReceiver(block, l));
    };
    CommandOutcome result = layer(0, base);
    if (c.layout.fnLayer == 1) result = Both(result, layer(1, fn));
    return result;
}

CommandOutcome WriteKeyChange(const CommandContext& c, int layer, const std::vector<KeyAssignment>& layerAssignments,
                              std::optional<int> selectedKey, const std::vector<int>& macroIds)
{
    if (layer != 0 && layer != 1) return CommandOutcome::kRefused;
    const KeyPlacement placement(c.layout, c.tables);
    if (Cable(c)) {
        if (layer == 1 && c.layout.fnLayer != 1) return CommandOutcome::kRefused;
        return Run(c, WriteKeyMapCable(KeyMapBlock(layerAssignments, layer, placement, macroIds), layer));
    }
    if (!Receiver(c)) return CommandOutcome::kSkipped;
    if (!selectedKey) return CommandOutcome::kRefused;
    std::optional<KeyAssignment> assignment;
    for (const KeyAssignment& a : layerAssignments)
        if (a.keyCode == *selectedKey) assignment = a;
    const std::optional<Transaction> t = WriteKeyEntryReceiver(*selectedKey, assignment, layer, placement, macroIds);
    return t ? Run(c, *t) : CommandOutcome::kRefused;
}

CommandOutcome ResetKeyMap(const CommandContext& c)
{
    return Receiver(c) ? Run(c, ResetKeyMapReceiver()) : CommandOutcome::kSkipped;
}

CommandOutcome WriteMacros(const CommandContext& c, const std::vector<Macro>& macros)
{
    if (!Cable(c) && !Receiver(c)) return CommandOutcome::kSkipped;
    const MacroBlock block = BuildMacroBlock(macros, Cable(c) ? LinkForm::kCable : LinkForm::kReceiver);
    if (!block.accepted) return CommandOutcome::kRefused;
    return Run(c, Cable(c) ? WriteMacrosCable(block) : WriteMacrosReceiver(block));
}

CommandOutcome WriteLightMode(const CommandContext& c, const std::optional<LightModeValues>& mode)
{
    if (!Cable(c) && !Receiver(c)) return CommandOutcome::kSkipped;
    if (!mode) return CommandOutcome::kRefused;
    const LightBlock block = LightModeBlock(*mode);
    return Run(c, Cable(c) ? WriteLightBlockCable(block) : WriteLightModeReceiver(block));
}

CommandOutcome WriteSideLightMode(const CommandContext& c, int value)
{
    if (Cable(c)) return Run(c, WriteLightBlockCable(SideLightBlock(value)));
    if (Receiver(c)) return Run(c, WriteSideLightReceiver(value));
    return CommandOutcome::kSkipped;
}

CommandOutcome WriteUserLight(const CommandContext& c, const std::optional<std::map<int, uint32_t>>& colours)
{
    if (!Cable(c) && !Receiver(c)) return CommandOutcome::kSkipped;
    if (!colours) return CommandOutcome::kRefused;
    const std::vector<uint8_t> block = ColourBlock(*colours, c.tables, c.layout.IsRgb());
    const int brightness = c.layout.light.defaultBrightness;
    return Run(c, Cable(c) ? WriteUserLightCable(block, brightness) : WriteUserLightReceiver(block, brightness));
}

CommandOutcome UploadScreenAnimation(const CommandContext& c, const std::vector<ScreenFrame>& frames, int slot,
                                     const ProgressCallback& progress)
{
    if (!Cable(c) && !Receiver(c)) return CommandOutcome::kSkipped;
    const std::vector<uint8_t> image = ScreenImage(frames, c.layout.screen);
    if (image.empty()) return CommandOutcome::kRefused;
    return Run(c, Cable(c) ? UploadScreenCable(image, slot) : UploadScreenReceiver(image, slot), progress);
}

std::optional<std::map<int, uint32_t>> ReadKeyColours(const CommandContext& c)
{
    if (!Cable(c)) return std::nullopt;
    const bool rgb = c.layout.IsRgb();
    c.manager.Clock().SleepMs(kColourReadPause);
    uint8_t buffer[kColourReadSize] = {};
    const Payload request = ColourReadRequest(rgb);
    std::copy(request.begin(), request.end(), buffer);
    if (!c.manager.ReadFeatureBlocks(buffer, sizeof buffer, ColourReadAckLength(rgb))) return std::nullopt;
    std::map<int, uint32_t> colours = DecodeKeyColours(buffer, c.tables, rgb);
    Transaction end;
    end.Add(FeatureStep(ConfigEnd(), true));
    RunTransaction(c.manager, end);
    return colours;
}

CommandOutcome SendLiveFrame(const CommandContext& c, const std::vector<uint8_t>& frame)
{
    return Run(c, LiveFrame(frame, c.layout.IsRgb()));
}

CommandOutcome SendMusicFrame(const CommandContext& c, const MusicFrameValues& values)
{
    if (!Receiver(c)) return CommandOutcome::kSkipped;
    const std::optional<Transaction> t = MusicFrame(values);
    return t ? Run(c, *t) : CommandOutcome::kRefused;
}

CommandOutcome ResetAll(const CommandContext& c)
{
    return Receiver(c) ? Run(c, ResetAllReceiver()) : CommandOutcome::kSkipped;
}

std::optional<int> QueryBattery(const CommandContext& c)
{
    if (!Receiver(c)) return std::nullopt;
    const Transaction t = QueryBatteryReceiver();
    uint8_t buffer[kReceiverBufferSize] = {};
    std::copy(t.steps[0].bytes.begin(), t.steps[0].bytes.end(), buffer);
    if (!c.manager.ExchangeReport(buffer, kReceiverBufferSize)) return std::nullopt;
    return BatteryLevel(buffer);
}

CommandOutcome RestoreDefaults(const CommandContext& c, const RestoreDefaultsValues& v)
{
    const int f = v.pageFlags;
    if (Cable(c)) {
        CommandOutcome result = CommandOutcome::kRefused;
        auto add = [&](CommandOutcome o) {
            if (o != CommandOutcome::kRefused) result = Both(result, o);
        };
        if (f & kPageMacro) add(WriteMacros(c, v.macros));
        if (f & kPageKeys) add(WriteKeyMaps(c, v.baseKeys, v.fnKeys, v.macroIds));
        if (f & kPageUserLight) add(WriteUserLight(c, v.userLight));
        if (f & kPageLightMode) add(WriteLightMode(c, v.lightMode));
        if (f & kPageSideLight) add(WriteSideLightMode(c, v.sideLight));
        add(WriteSettings(c, v.settings));
        return result;
    }
    if (!Receiver(c)) return CommandOutcome::kSkipped;
    CommandOutcome result = ResetAll(c);
    if (f & kPageLightMode) {
        c.manager.Clock().SleepMs(kRestorePause);
        const CommandOutcome o = WriteLightMode(c, v.lightMode);
        if (o != CommandOutcome::kRefused) result = Both(result, o);
    }
    if (f & kPageSideLight) {
        c.manager.Clock().SleepMs(kRestorePause);
        result = Both(result, WriteSideLightMode(c, v.sideLight));
    }
    return result;
}

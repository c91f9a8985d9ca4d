// Every device transaction against the simulated keyboard with zero latency,
// on the real clock: the wall time of a transaction divided by the sum of the
// pauses the transfer rules mandate for it. The counter "ratio" is that
// quotient (mean; "ratio_median" beside it); the link's own cost (the
// manager, the simulator, late wake-ups) must keep it at or below 1.05. The
// transactions are built before timing. The receiver form of the screen
// upload uses a 32 x 32 screen so that it ends in seconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>

#include "device/catalogue.h"
#include "device/layout_file.h"
#include "link/clock_command.h"
#include "link/command_runner.h"
#include "link/device_commands.h"
#include "link/device_events.h"
#include "link/framing.h"
#include "link/key_map_command.h"
#include "link/light_command.h"
#include "link/live_command.h"
#include "link/macro_command.h"
#include "link/screen_command.h"
#include "link/settings_command.h"
#include "platform/program_folder.h"
#include "sim/sim_setup.h"

namespace {

constexpr int kCommandDelay = 10;

// A simulated keyboard in one connection mode, its layout, and a manager.
class Bench {
public:
    Bench(const char* layoutName, int mode, bool smallScreen = false)
    {
        const CString folder = ProgramFolder();
        Catalogue catalogue;
        ReadCatalogue(folder + u"/config.xml"_qs, folder, catalogue);
        std::vector<SimModel> models = LoadSimModels(catalogue, folder);
        for (const DeviceEntry& k : catalogue.keyboards)
            if (k.deviceInfo == QString::fromLatin1(layoutName)) m_type = k.deviceType;
        ReadLayoutFile(folder + u"/layouts/"_qs + QString::fromLatin1(layoutName) + u".xml"_qs, LayoutFile{}, m_layout);
        if (smallScreen) {
            m_layout.screen = {256, 1, 3, 32, 32};
            for (SimModel& m : models)
                if (m.deviceType == m_type) m.screen = m_layout.screen;
        }
        BuildKeyTables(m_layout, m_tables);
        m_sim = SimBackend::Create();
        const int kb = SetUpSimulator(*m_sim, models, SimChoice{m_type, {mode}});
        m_ok = kb >= 0;
        m_manager = std::make_unique<HidDeviceManager>(m_sim);
        for (const DeviceEntry& m : catalogue.modes)
            m_manager->AddKnownDevice(m.vendorId, m.productId, m.name, m.deviceType, m.mode);
        m_manager->Refresh();
        m_manager->SetCurrentDeviceType(m_type);
        m_manager->SetCommandDelay(kCommandDelay);
        m_ok = m_ok && m_manager->GetConnectMode() == mode;
    }
    bool Ok() const { return m_ok; }
    HidDeviceManager& Manager() { return *m_manager; }
    const LayoutFile& Layout() const { return m_layout; }
    const KeyTables& Tables() const { return m_tables; }
    CommandContext Context() { return CommandContext{*m_manager, m_manager->GetConnectMode(), m_layout, m_tables}; }

private:
    bool m_ok = false;
    int m_type = 0;
    LayoutFile m_layout;
    KeyTables m_tables;
    std::shared_ptr<SimBackend> m_sim;
    std::unique_ptr<HidDeviceManager> m_manager;
};

// Runs `work` (which returns whether it succeeded) once to warm up, then
// measures it. "ratio" is the mean of wall time over mandated pauses,
// "ratio_median" its median (a loaded machine's scheduling shows in the mean).
void Measure(benchmark::State& state, double pauseMs, const std::function<bool()>& work)
{
    if (!work()) return state.SkipWithError("the transaction failed");
    std::vector<double> ratios;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = work();
        const auto end = std::chrono::steady_clock::now();
        if (!ok) return state.SkipWithError("the transaction failed");
        ratios.push_back(std::chrono::duration<double, std::milli>(end - start).count() / pauseMs);
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    if (ratios.empty()) return;
    double sum = 0;
    for (double r : ratios) sum += r;
    std::sort(ratios.begin(), ratios.end());
    state.counters["pause_ms"] = pauseMs;
    state.counters["ratio"] = sum / double(ratios.size());
    state.counters["ratio_median"] = ratios[ratios.size() / 2];
}

void RunTransactionBench(benchmark::State& state, Bench& b, const Transaction& t)
{
    if (!b.Ok()) return state.SkipWithError("the simulated keyboard is not set up");
    Measure(state, MandatedPauseMs(t, kCommandDelay), [&] { return RunTransaction(b.Manager(), t).Ok(); });
}

std::vector<KeyAssignment> Keys()
{
    return {{0x04, 2, 0x05, 0, 0}, {0x29, 6, 1, 0, 0}, {0x1E, 1, 0, 0, 0}, {0x3A, 7, 3, 0, 0}};
}

std::vector<Macro> Macros()
{
    Macro m{1, {}};
    for (int i = 0; i < 40; ++i) {
        m.records.push_back({2, 0x41 + i % 26, 20});
        m.records.push_back({3, 0x41 + i % 26, 20});
    }
    return {m, {2, {}}, {3, {{2, 0x20, 15}, {3, 0x20, 15}}}};
}

std::map<int, uint32_t> Colours(const LayoutFile& layout)
{
    std::map<int, uint32_t> c;
    uint32_t v = 0x102030;
    for (const LayoutKey& k : layout.keys) c[k.code] = (v += 0x010203) & 0xFFFFFF;
    return c;
}

std::vector<ScreenFrame> Frames(const ScreenInfo& s, int count)
{
    std::vector<ScreenFrame> frames;
    for (int i = 0; i < count; ++i)
        frames.push_back({100, std::vector<uint8_t>(size_t(s.width) * size_t(s.height) * 2, uint8_t(i))});
    return frames;
}

// --- cable ---------------------------------------------------------------------

void BM_SettingsCable(benchmark::State& state)
{
    Bench b("vn87", 0);
    RunTransactionBench(state, b, WriteSettingsCable(DeviceSettings{true, false, true, 1, 10, 3}));
}
void BM_ScreenClockCable(benchmark::State& state)
{
    Bench b("vn75", 0);
    RunTransactionBench(state, b, WriteScreenClockCable(ScreenClockAt(QDateTime::currentDateTime(), 0)));
}
void BM_KeyMapCable(benchmark::State& state)
{
    Bench b("vn104", 0);
    RunTransactionBench(state, b, WriteKeyMapCable(KeyMapBlock(Keys(), 0, KeyPlacement(b.Layout(), b.Tables()), {}), 0));
}
void BM_MacrosCable(benchmark::State& state)
{
    Bench b("vn104", 0);
    RunTransactionBench(state, b, WriteMacrosCable(BuildMacroBlock(Macros(), LinkForm::kCable)));
}
void BM_LightModeCable(benchmark::State& state)
{
    Bench b("vn104", 0);
    RunTransactionBench(state, b, WriteLightBlockCable(LightModeBlock({3, 0x00FF8000, 0, 4, 3, 0})));
}
void BM_UserLightCable(benchmark::State& state)
{
    Bench b("vn104", 0);
    RunTransactionBench(state, b, WriteUserLightCable(ColourBlock(Colours(b.Layout()), b.Tables(), true), 4));
}
void BM_LiveFrameCable(benchmark::State& state)
{
    Bench b("vn104", 0);
    std::vector<LiveKeyColour> keys;
    for (const auto& [code, p] : b.Tables().lightPositions) keys.push_back({p, 1, 2, 3});
    RunTransactionBench(state, b, LiveFrame(LiveFrameRgb(keys), true));
}
void BM_ScreenUploadCable30Frames(benchmark::State& state)
{
    Bench b("vn75", 0);
    RunTransactionBench(state, b, UploadScreenCable(ScreenImage(Frames(b.Layout().screen, 30), b.Layout().screen), 1));
}
void BM_ReadKeyColoursCable(benchmark::State& state)
{
    Bench b("vn104", 0);
    if (!b.Ok()) return state.SkipWithError("the simulated keyboard is not set up");
    // 10 ms, then 3 + 5 + 5 (the short acknowledge read is repeated) + 9 x 3, then ConfigEnd acknowledged.
    const double pause = 10 + 3 + 5 + 5 + 9 * 3 + 2 * kCommandDelay;
    Measure(state, pause, [&] { return ReadKeyColours(b.Context()).has_value(); });
}

// --- receiver ------------------------------------------------------------------

void BM_SettingsReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, WriteSettingsReceiver(DeviceSettings{true, false, true, 1, 10, 3}));
}
void BM_ScreenClockReceiver(benchmark::State& state)
{
    Bench b("vn75", 2);
    RunTransactionBench(state, b, WriteScreenClockReceiver(ScreenClockAt(QDateTime::currentDateTime(), 0)));
}
void BM_KeyMapReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, WriteKeyMapReceiver(KeyMapBlock(Keys(), 1, KeyPlacement(b.Layout(), b.Tables()), {}), 1));
}
void BM_KeyEntryReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, *WriteKeyEntryReceiver(0x04, Keys()[0], 0, KeyPlacement(b.Layout(), b.Tables()), {}));
}
void BM_MacrosReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, WriteMacrosReceiver(BuildMacroBlock(Macros(), LinkForm::kReceiver)));
}
void BM_LightModeReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, WriteLightModeReceiver(LightModeBlock({3, 0x00FF8000, 0, 4, 3, 0})));
}
void BM_SideLightReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, WriteSideLightReceiver(35));
}
void BM_UserLightReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, WriteUserLightReceiver(ColourBlock(Colours(b.Layout()), b.Tables(), true), 4));
}
void BM_ScreenUploadReceiverSmallScreen(benchmark::State& state)
{
    Bench b("vn75", 2, true);
    RunTransactionBench(state, b, UploadScreenReceiver(ScreenImage(Frames(b.Layout().screen, 1), b.Layout().screen), 1));
}
void BM_MusicFrameReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    MusicFrameValues v;
    v.heights.fill(5);
    RunTransactionBench(state, b, *MusicFrame(v));
}
void BM_ResetKeyMapReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, ResetKeyMapReceiver());
}
void BM_ResetAllReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, ResetAllReceiver());
}
void BM_QueryBatteryReceiver(benchmark::State& state)
{
    Bench b("vn104", 2);
    RunTransactionBench(state, b, QueryBatteryReceiver());
}

}  // namespace

#define LINK_BENCH(fn, n) BENCHMARK(fn)->Iterations(n)->UseManualTime()->Unit(benchmark::kMillisecond)
LINK_BENCH(BM_SettingsCable, 20);
LINK_BENCH(BM_ScreenClockCable, 20);
LINK_BENCH(BM_KeyMapCable, 10);
LINK_BENCH(BM_MacrosCable, 10);
LINK_BENCH(BM_LightModeCable, 20);
LINK_BENCH(BM_UserLightCable, 10);
LINK_BENCH(BM_LiveFrameCable, 40);
LINK_BENCH(BM_ScreenUploadCable30Frames, 10);
LINK_BENCH(BM_ReadKeyColoursCable, 20);
LINK_BENCH(BM_SettingsReceiver, 100);
LINK_BENCH(BM_ScreenClockReceiver, 100);
LINK_BENCH(BM_KeyMapReceiver, 10);
LINK_BENCH(BM_KeyEntryReceiver, 100);
LINK_BENCH(BM_MacrosReceiver, 5);
LINK_BENCH(BM_LightModeReceiver, 100);
LINK_BENCH(BM_SideLightReceiver, 100);
LINK_BENCH(BM_UserLightReceiver, 10);
LINK_BENCH(BM_ScreenUploadReceiverSmallScreen, 3);
LINK_BENCH(BM_MusicFrameReceiver, 100);
LINK_BENCH(BM_ResetKeyMapReceiver, 100);
LINK_BENCH(BM_ResetAllReceiver, 100);
LINK_BENCH(BM_QueryBatteryReceiver, 100);

BENCHMARK_MAIN();

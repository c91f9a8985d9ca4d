// Every command sent through the manager to the simulated keyboard: the
// trace shows the reports in order (cable form, receiver form, nothing over
// Bluetooth), and the keyboard's firmware model decodes them to the values
// that went in, without recording an error.
#include <gtest/gtest.h>

#include "link/device_commands.h"
#include "link/framing.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

// The reports sent and read, as "op:hex-prefix" strings of their first bytes.
std::vector<std::string> Wire(const std::vector<SimTraceLine>& lines, size_t prefix = 4)
{
    std::vector<std::string> out;
    for (const SimTraceLine& l : lines)
        out.push_back(l.op + ":" + SimTrace::Hex(l.bytes.data(), std::min(prefix, l.bytes.size())));
    return out;
}

class CommandTest : public ::testing::Test, protected ConnectedKeyboard {
protected:
    void TearDown() override { ExpectNoFirmwareErrors(); }
};

DeviceSettings SomeSettings()
{
    DeviceSettings s;
    s.disableAltF4 = true;
    s.fnSwitch = 1;
    s.sleepTime = 10;
    s.keyRespondTime = 4;
    return s;
}

TEST_F(CommandTest, SettingsByCable)
{
    Connect(kK87, 0);
    EXPECT_EQ(WriteSettings(Context(), SomeSettings()), CommandOutcome::kDone);
    const auto lines = rig.Take();
    EXPECT_EQ(Wire(lines, 10), (std::vector<std::string>{
                                   "set-feature:00041800000000000000", "get-feature:00041800010000000000",
                                   "set-feature:00041701000000000001", "get-feature:00041701010000000001",
                                   "set-feature:000001000100010a0004", "set-feature:00040200000000000000",
                                   "get-feature:00040200010000000000"}));
    for (const SimTraceLine& l : lines) EXPECT_EQ(l.iface, "cmd");
    EXPECT_EQ(lines[4].bytes[63], 0xAA);
    EXPECT_EQ(lines[4].bytes[64], 0x55);
    const SimSettings s = Memory().settings;
    EXPECT_EQ(s.disableAltF4, 1);
    EXPECT_EQ(s.disableWin, 0);
    EXPECT_EQ(s.sleepTime, 10);
    EXPECT_EQ(s.keyRespondTime, 4);
}

TEST_F(CommandTest, SettingsByReceiver)
{
    Connect(kK104, 2);
    EXPECT_EQ(WriteSettings(Context(), SomeSettings()), CommandOutcome::kDone);
    const auto lines = rig.Take();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].iface, "rcv");
    // Checksum: the low byte of the sum of bytes 0..31.
    EXPECT_EQ(lines[0].bytes, Pad(Bytes("00 07 10 00 00 01 00 01 00 01 0A 00 04 00 00 00 00 00 AA 55"
                                         "00 00 00 00 00 00 00 00 00 00 00 00 27"), 33));
    EXPECT_EQ(Wire({lines[1]}), std::vector<std::string>{"read:00071000"});
    EXPECT_EQ(Memory().settings.fnSwitch, 1);
}

TEST_F(CommandTest, NothingGoesOutOverBluetooth)
{
    Connect(kK104, 1);
    const CommandContext c = Context();
    ASSERT_EQ(c.connectMode, 1);
    EXPECT_EQ(WriteSettings(c, SomeSettings()), CommandOutcome::kSkipped);
    EXPECT_EQ(WriteScreenClock(c, ScreenClock{}), CommandOutcome::kSkipped);
    EXPECT_EQ(WriteKeyMaps(c, {}, {}, {}), CommandOutcome::kSkipped);
    EXPECT_EQ(WriteMacros(c, {}), CommandOutcome::kSkipped);
    EXPECT_EQ(WriteLightMode(c, LightModeValues{}), CommandOutcome::kSkipped);
    EXPECT_EQ(WriteSideLightMode(c, 33), CommandOutcome::kSkipped);
    EXPECT_EQ(WriteUserLight(c, std::map<int, uint32_t>{}), CommandOutcome::kSkipped);
    EXPECT_EQ(ResetAll(c), CommandOutcome::kSkipped);
    EXPECT_FALSE(ReadKeyColours(c).has_value());
    EXPECT_FALSE(QueryBattery(c).has_value());
    EXPECT_TRUE(rig.Take().empty());
    // The per-key animation page's frames do not look at the mode.
    EXPECT_EQ(SendLiveFrame(c, LiveFrameRgb({{1, 9, 9, 9}})), CommandOutcome::kDone);
    EXPECT_EQ(rig.Take().size(), 2u + 8 + 2);
}

TEST_F(CommandTest, ScreenClockByCableAndReceiver)
{
    Connect(kK75, 0);
    const ScreenClock clock = ScreenClockAt(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)), 1);
    EXPECT_EQ(WriteScreenClock(Context(), clock), CommandOutcome::kDone);
    const auto lines = rig.Take();
    ASSERT_EQ(lines.size(), 8u);  // four reports, each acknowledged
    EXPECT_EQ(std::vector<uint8_t>(lines[4].bytes.begin() + 2, lines[4].bytes.begin() + 12),
              Bytes("02 5A 19 0C 1F 17 3B 3A 00 03"));  // payload bytes 1..10 of the example
    SimClock c = Memory().clock;
    EXPECT_EQ(c.shownSlot, 2);
    EXPECT_EQ(c.year, 2025);
    EXPECT_EQ(c.second, 58);
    EXPECT_EQ(c.dayOfWeek, 3);

    rig.sim->SwitchMode(kb, 2);
    rig.Select(kK75);
    EXPECT_EQ(WriteScreenClock(Context(), ScreenClockAt(QDateTime(QDate(2026, 2, 1), QTime(7, 6, 5)), 0)),
              CommandOutcome::kDone);
    c = Memory().clock;
    EXPECT_EQ(c.shownSlot, 1);
    EXPECT_EQ(c.month, 2);
    EXPECT_EQ(c.dayOfWeek, 0);
}

std::vector<KeyAssignment> SomeKeys()
{
    return {{0x04, 2, 0x05, 0, 0}, {0x29, 6, 1, 0, 0}, {0x1E, 1, 0, 0, 0}};
}

TEST_F(CommandTest, KeyMapsOfBothLayers)
{
    Connect(kK104, 0);
    EXPECT_EQ(WriteKeyMaps(Context(), SomeKeys(), SomeKeys(), {}), CommandOutcome::kDone);
    const auto lines = rig.Take("cmd");
    // Per layer: begin, announce, nine packets, end, final (four acknowledged).
    ASSERT_EQ(lines.size(), 2u * (9 + 4 * 2));
    EXPECT_EQ(Wire({lines[2]}, 10)[0], "set-feature:00041100000000000009");
    EXPECT_EQ(Wire({lines[19]}, 10)[0], "set-feature:00042700000000000009");
    const SimMemory m = Memory();
    EXPECT_EQ(std::vector<uint8_t>(m.keyMap[0].begin() + 4 * 46, m.keyMap[0].begin() + 4 * 47), Bytes("02 00 05 00"));
    EXPECT_EQ(std::vector<uint8_t>(m.keyMap[0].begin() + 4, m.keyMap[0].begin() + 8), Bytes("03 CD 00 00"));
    EXPECT_EQ(m.keyMap[0][4 * 18], 0x05);
    EXPECT_EQ(m.keyMap[1][4 * 18], 0x00);  // fnlayer_disable
    EXPECT_EQ(m.keyMap[1][4 * 46], 0x02);
}

TEST_F(CommandTest, KeyMapsAndOneKeyByReceiver)
{
    Connect(kK104, 2);
    const auto start = rig.clock.Now();
    EXPECT_EQ(WriteKeyMaps(Context(), SomeKeys(), {}, {}), CommandOutcome::kDone);
    const auto lines = rig.Take("rcv");
    ASSERT_EQ(lines.size(), 2u * 2 * 21);
    // The 10 ms pause, then the 5 ms before the first answer is read.
    EXPECT_EQ(lines[1].micros - lines[0].micros, 5000);
    EXPECT_GE(ElapsedMs(start, rig.clock.Now()), 2 * (10 + 21 * (5 + 2)));
    EXPECT_EQ(Memory().keyMap[0][4 * 46 + 2], 0x05);

    // One key of the Fn layer.
    EXPECT_EQ(WriteKeyChange(Context(), 1, {{0x29, 5, 6, 0, 0}}, 0x29, {}), CommandOutcome::kDone);
    const std::vector<uint8_t> fn = Memory().keyMap[1];
    EXPECT_EQ(std::vector<uint8_t>(fn.begin() + 4, fn.begin() + 8), Bytes("01 03 FF 00"));
    EXPECT_EQ(WriteKeyChange(Context(), 1, {}, std::nullopt, {}), CommandOutcome::kRefused);
    EXPECT_EQ(ResetKeyMap(Context()), CommandOutcome::kDone);
    EXPECT_EQ(Memory().keyMap[0], std::vector<uint8_t>(576, 0));
}

Macro Presses(int id, int count)
{
    Macro m{id, {}};
    for (int i = 0; i < count; ++i) {
        m.records.push_back({2, 0x41 + i % 26, 30});
        m.records.push_back({3, 0x41 + i % 26, 5});
    }
    return m;
}

TEST_F(CommandTest, MacrosByCable)
{
    Connect(kK104, 0);
    const std::vector<Macro> macros = {Presses(4, 3), {5, {}}, Presses(6, 10)};
    ASSERT_EQ(WriteMacros(Context(), macros), CommandOutcome::kDone);
    const MacroBlock expected = BuildMacroBlock(macros, LinkForm::kCable);
    EXPECT_EQ(Memory().macros, expected.bytes);
    const auto lines = rig.Take("cmd");
    EXPECT_EQ(Wire({lines[0]})[0], "set-feature:00041900");
    // 30 ms before the first packet and after the last one.
    const SimTraceLine& announceAck = lines[3];
    const SimTraceLine& first = lines[4];
    EXPECT_EQ(first.micros - announceAck.micros, (30 + 10) * 1000);

    // Too large for the cable: nothing goes out.
    EXPECT_EQ(WriteMacros(Context(), {Presses(1, 200)}), CommandOutcome::kRefused);
    EXPECT_TRUE(rig.Take().empty());
}

TEST_F(CommandTest, MacrosByReceiverUpToItsLimit)
{
    Connect(kK104, 2);
    // 8 x (449 + 1) = 3600: the receiver's limit, an end offset of 4000.
    Macro big{1, {}};
    for (int i = 0; i < 449; ++i) big.records.push_back({2, 0x41, 10});
    ASSERT_EQ(WriteMacros(Context(), {big}), CommandOutcome::kDone);
    EXPECT_EQ(Memory().macros, BuildMacroBlock({big}, LinkForm::kReceiver).bytes);
    EXPECT_EQ(rig.Take("rcv").size(), 2u * 144);
}

TEST_F(CommandTest, LightAndSideLight)
{
    Connect(kK104, 0);
    EXPECT_EQ(WriteLightMode(Context(), LightModeValues{5, 0x00112233, 0, 3, 2, 1}), CommandOutcome::kDone);
    EXPECT_EQ(WriteLightMode(Context(), std::nullopt), CommandOutcome::kRefused);
    EXPECT_EQ(WriteSideLightMode(Context(), 36), CommandOutcome::kDone);
    SimMemory m = Memory();
    EXPECT_EQ(m.light.mode, 5);
    EXPECT_EQ(m.light.red, 0x33);
    EXPECT_EQ(m.light.blue, 0x11);
    EXPECT_EQ(m.light.brightness, 3);
    EXPECT_EQ(m.sideLightMode, 36);
    // Last report of the light mode transaction: ConfigFinal, not acknowledged.
    const auto lines = rig.Take("cmd");
    EXPECT_EQ(Wire({lines[7]}, 3)[0], "set-feature:0004f0");
    EXPECT_EQ(lines[8].op, "set-feature");

    rig.sim->SwitchMode(kb, 2);
    rig.Select(kK104);
    EXPECT_EQ(WriteSideLightMode(Context(), 40), CommandOutcome::kDone);
    EXPECT_EQ(WriteLightMode(Context(), LightModeValues{0, 0x00FFFFFF, 1, 1, 1, 1}), CommandOutcome::kDone);
    m = Memory();
    EXPECT_EQ(m.sideLightMode, 40);
    EXPECT_EQ(m.light.mode, 0);
    EXPECT_EQ(m.light.red, 0);
}

TEST_F(CommandTest, UserLightReadBackByCable)
{
    Connect(kK104, 0);
    const std::map<int, uint32_t> colours = {{0x29, 0x000000FF}, {0x04, 0x00123456}};
    EXPECT_EQ(WriteUserLight(Context(), colours), CommandOutcome::kDone);
    EXPECT_EQ(WriteUserLight(Context(), std::nullopt), CommandOutcome::kRefused);
    EXPECT_EQ(Memory().light.mode, 0x80);
    EXPECT_EQ(Memory().light.brightness, 4);
    rig.Take();
    const std::optional<std::map<int, uint32_t>> back = ReadKeyColours(Context());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->at(0x29), 0x000000FFu);
    EXPECT_EQ(back->at(0x04), 0x00123456u);
    EXPECT_EQ(back->at(0x3A), 0u);
    // Request, acknowledge, nine blocks, then ConfigEnd with its acknowledge.
    const auto lines = rig.Take("cmd");
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(Wire({lines[0]}, 10)[0], "set-feature:0004f500000000000009");
    EXPECT_EQ(Wire({lines[11]}, 3)[0], "set-feature:000402");
}

TEST_F(CommandTest, SingleColourUserLightAndLiveFrame)
{
    Connect(kK87, 0);
    EXPECT_EQ(WriteUserLight(Context(), std::map<int, uint32_t>{{0x04, 0x0000FF00}}), CommandOutcome::kDone);
    std::vector<uint8_t> expected(192, 0);
    expected[46] = 0xFF;
    expected[190] = 0xAA;
    expected[191] = 0x55;
    EXPECT_EQ(Memory().colours, expected);
    std::optional<std::map<int, uint32_t>> back = ReadKeyColours(Context());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->at(0x04), 0x00FEFEFEu);

    rig.Take();
    EXPECT_EQ(SendLiveFrame(Context(), LiveFrameSingle({{1, 0x80}})), CommandOutcome::kDone);
    // Announce (send, read), the frame in three reports, ConfigEnd (send, read).
    EXPECT_EQ(Wire(rig.Take("cmd"), 10), (std::vector<std::string>{
        "set-feature:00042000000000000003", "get-feature:00042000010000000003",
        "set-feature:00008000000000000000", "set-feature:00000000000000000000",
        "set-feature:00000000000000000000", "set-feature:00040200000000000000",
        "get-feature:00040200010000000000"}));
    back = ReadKeyColours(Context());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->at(0x29), 0x007F7F7Fu);
    EXPECT_EQ(back->at(0x04), 0u);
}

TEST_F(CommandTest, LiveFrameStopsAfterARefusedAnnounce)
{
    Connect(kK104, 0);
    SimFaults f;
    f.busy = 2;  // the announce and its one resend
    rig.sim->SetFaults(kb, f);
    EXPECT_EQ(SendLiveFrame(Context(), LiveFrameRgb({{1, 1, 2, 3}})), CommandOutcome::kFailed);
    EXPECT_EQ(rig.Take("cmd").size(), 4u);  // no frame, no ConfigEnd
    rig.sim->ClearErrors(kb);
}

TEST_F(CommandTest, ScreenUploadByCableReportsProgress)
{
    Connect(kK75, 0);
    std::vector<ScreenFrame> frames(2);
    frames[0] = {100, std::vector<uint8_t>(320 * 172 * 2, 0x12)};
    frames[1] = {60, std::vector<uint8_t>(320 * 172 * 2, 0x34)};
    std::vector<int> progress;
    EXPECT_EQ(UploadScreenAnimation(Context(), frames, 3, [&](int p) { progress.push_back(p); }),
              CommandOutcome::kDone);
    const size_t blocks = (256 + 2 * 110080 + 4095) / 4096;  // 54
    ASSERT_EQ(progress.size(), blocks + 1);
    for (size_t i = 0; i < blocks; ++i) EXPECT_EQ(progress[i], int(100 * i / blocks));
    EXPECT_EQ(progress.back(), 100);
    const std::vector<uint8_t> image = ScreenImage(frames, layout.screen);
    EXPECT_EQ(Memory().screenSlots[3], image);
    EXPECT_EQ(rig.Take("scr").size(), 2 * blocks);
}

TEST_F(CommandTest, ScreenUploadByReceiver)
{
    Connect(kK75, 2);
    std::vector<ScreenFrame> frames = {{20, std::vector<uint8_t>(320 * 172 * 2, 0x77)}};
    int last = -1;
    EXPECT_EQ(UploadScreenAnimation(Context(), frames, 1, [&](int p) { last = p; }), CommandOutcome::kDone);
    EXPECT_EQ(last, 100);
    EXPECT_EQ(Memory().screenSlots[1], ScreenImage(frames, layout.screen));
    EXPECT_EQ(UploadScreenAnimation(Context(), {}, 1), CommandOutcome::kRefused);
}

TEST_F(CommandTest, ReceiverOnlyCommands)
{
    Connect(kK104, 2);
    rig.sim->SetBattery(kb, 150);
    EXPECT_EQ(QueryBattery(Context()), 100);
    rig.sim->SetBattery(kb, 0);
    EXPECT_FALSE(QueryBattery(Context()).has_value());

    MusicFrameValues v;
    v.effect = 1;
    v.heights[3] = 7;
    EXPECT_EQ(SendMusicFrame(Context(), v), CommandOutcome::kDone);
    EXPECT_EQ(Memory().musicFrame[6], 7);

    EXPECT_EQ(ResetAll(Context()), CommandOutcome::kDone);
    EXPECT_EQ(Memory().resets, 1);
    EXPECT_EQ(ReadKeyColours(Context()), std::nullopt);  // cable only
}

TEST_F(CommandTest, RestoreDefaultsInBothForms)
{
    Connect(kK104, 0);
    RestoreDefaultsValues v;
    v.pageFlags = kPageKeys | kPageMacro | kPageLightMode | kPageUserLight | kPageSideLight | kPageSettings;
    v.macros = {{1, {}}};
    v.baseKeys = {{0x04, 1, 0, 0, 0}};
    v.userLight = std::map<int, uint32_t>{{0x29, 0x0000FF00}};
    v.lightMode = LightModeValues{3, 0x000000FF, 0, 4, 3, 0};
    v.sideLight = 34;
    v.settings.sleepTime = 7;
    EXPECT_EQ(RestoreDefaults(Context(), v), CommandOutcome::kDone);
    // The transactions in order, told apart by their first announce.
    std::vector<std::string> announces;
    for (const SimTraceLine& l : rig.Take("cmd"))
        if (l.op == "set-feature" && l.bytes[1] == 0x04 && l.bytes[2] != 0x18 && l.bytes[2] != 0x19 &&
            l.bytes[2] != 0x02 && l.bytes[2] != 0xF0)
            announces.push_back(SimTrace::Hex(l.bytes.data() + 2, 1));
    EXPECT_EQ(announces, (std::vector<std::string>{"15", "11", "27", "13", "23", "13", "13", "17"}));
    SimMemory m = Memory();
    EXPECT_EQ(m.light.mode, 3);
    EXPECT_EQ(m.sideLightMode, 34);
    EXPECT_EQ(m.settings.sleepTime, 7);
    EXPECT_EQ(m.colours[4 * 1 + 2], 0xFF);

    // Receiver: ResetAll, 50 ms, the light mode, 50 ms, the side light.
    rig.sim->SwitchMode(kb, 2);
    rig.Select(kK104);
    rig.Take();
    EXPECT_EQ(RestoreDefaults(Context(), v), CommandOutcome::kDone);
    const auto lines = rig.Take("rcv");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(Wire({lines[0], lines[2], lines[4]}, 3),
              (std::vector<std::string>{"write:000f00", "write:000510", "write:000501"}));
    EXPECT_EQ(lines[2].micros - lines[1].micros, 50000 + 0);
    m = Memory();
    EXPECT_EQ(m.resets, 1);
    EXPECT_EQ(m.light.mode, 3);
    EXPECT_EQ(m.sideLightMode, 34);
}

TEST_F(CommandTest, KeyboardGoneInTheMiddleOfAKeyMap)
{
    Connect(kK104, 0);
    SimFaults f;
    f.disconnectAfter = 5;
    rig.sim->SetFaults(kb, f);
    const auto start = rig.clock.Now();
    EXPECT_EQ(WriteKeyMaps(Context(), SomeKeys(), SomeKeys(), {}), CommandOutcome::kFailed);
    // Bounded by the retries: every later report fails at once.
    EXPECT_LT(ElapsedMs(start, rig.clock.Now()), 1000);
    rig.sim->ClearErrors(kb);
}

}  // namespace

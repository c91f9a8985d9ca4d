// The command builders against the byte examples and tables of the command
// set: every expected byte here is written out from the description.
#include <gtest/gtest.h>

#include "link/clock_command.h"
#include "link/device_events.h"
#include "link/framing.h"
#include "link/key_map_command.h"
#include "link/light_command.h"
#include "link/live_command.h"
#include "link/macro_command.h"
#include "link/screen_command.h"
#include "link/settings_command.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

std::vector<uint8_t> Vec(const Payload& p) { return std::vector<uint8_t>(p.begin(), p.end()); }

std::vector<uint8_t> Slice(const std::vector<uint8_t>& v, size_t from, size_t count)
{
    return std::vector<uint8_t>(v.begin() + long(from), v.begin() + long(from + count));
}

// A receiver buffer: report id 0, the request bytes, zeros up to 65.
std::vector<uint8_t> Request(const std::string& hex)
{
    return Pad(Bytes("00" + hex), 65);
}

// --- settings and clock ------------------------------------------------------------

TEST(SettingsCommand, CableTransactionAndReceiverRequest)
{
    DeviceSettings s;
    s.disableAltTab = true;
    s.disableWin = true;
    s.fnSwitch = 0x102;  // low byte
    s.sleepTime = 5;
    s.keyRespondTime = 3;
    std::vector<uint8_t> packet = Pad(Bytes("00 01 01 00 01 02 05 00 03"));
    packet[62] = 0xAA;
    packet[63] = 0x55;
    EXPECT_EQ(Vec(SettingsPacket(s)), packet);

    const Transaction cable = WriteSettingsCable(s);
    ASSERT_EQ(cable.steps.size(), 4u);
    EXPECT_EQ(cable.steps[0].bytes, Pad(Bytes("04 18")));
    EXPECT_EQ(cable.steps[1].bytes, Pad(Bytes("04 17 01 00 00 00 00 00 01")));
    EXPECT_EQ(cable.steps[2].bytes, packet);
    EXPECT_EQ(cable.steps[3].bytes, Pad(Bytes("04 02")));
    const bool acks[] = {true, true, false, true};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(cable.steps[i].kind, LinkStep::kFeature);
        EXPECT_EQ(cable.steps[i].acknowledge, acks[i]);
    }

    const Transaction receiver = WriteSettingsReceiver(s);
    ASSERT_EQ(receiver.steps.size(), 1u);
    EXPECT_EQ(receiver.steps[0].kind, LinkStep::kExchange);
    EXPECT_EQ(receiver.steps[0].bytes, Request("07 10 00 00 01 01 00 01 02 05 00 03 00 00 00 00 00 AA 55"));
}

TEST(ClockCommand, NewYearsEveExample)
{
    // 31 December 2025, 23:59:58, a Wednesday, second list item selected.
    const ScreenClock c = ScreenClockAt(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)), 1);
    const std::vector<uint8_t> p = Vec(ClockPacket(c));
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(Slice(p, 1, 10), Bytes("02 5A 19 0C 1F 17 3B 3A 00 03"));
    EXPECT_EQ(Slice(p, 11, 51), std::vector<uint8_t>(51, 0));
    EXPECT_EQ(Slice(p, 62, 2), Bytes("AA 55"));

    const Transaction cable = WriteScreenClockCable(c);
    ASSERT_EQ(cable.steps.size(), 4u);
    EXPECT_EQ(cable.steps[1].bytes, Pad(Bytes("04 28 00 00 00 00 00 00 01")));
    for (const LinkStep& s : cable.steps) EXPECT_TRUE(s.acknowledge);  // the clock packet too

    EXPECT_EQ(WriteScreenClockReceiver(c).steps[0].bytes,
              Request("0C 10 00 00 02 5A 19 0C 1F 17 3B 3A 00 03 00 00 00 AA 55"));
    // Sunday is day 0.
    EXPECT_EQ(ScreenClockAt(QDateTime(QDate(2026, 1, 4), QTime(8, 0)), 0).dayOfWeek, 0);
}

// --- key entries and key maps ---------------------------------------------------------

TEST(KeyEntry, EveryTypeOfTheTable)
{
    const std::vector<int> macroIds = {5, 7, 9};
    struct Case {
        int type, value, value2, value3;
        const char* entry;  // nullptr: no entry written
    };
    const Case cases[] = {
        {2, 0xE0, 0x00, 0, "02 01 00 00"},  // left Ctrl alone
        {2, 0xE0, 0x02, 0, "02 02 01 00"},  // left Ctrl with mask 0x02
        {2, 0x04, 0x02, 0, "02 02 04 00"},
        {2, 0xE7, 0x00, 0, "02 80 00 00"},  // right GUI alone
        {1, 0, 0, 0, "05 03 00 00"},
        {3, 7, 2, 3, "06 01 02 03"},        // macro id 7 is the second macro
        {3, 8, 2, 3, "00 00 00 00"},        // no such macro
        {4, 1, 0, 0, nullptr},
        {0, 0x04, 0, 0, nullptr},
        {5, 1, 0, 0, "01 01 01 00"},  {5, 2, 0, 0, "01 01 04 00"}, {5, 3, 0, 0, "01 01 02 00"},
        {5, 4, 0, 0, "01 01 03 00"},  {5, 5, 0, 0, "01 03 01 00"}, {5, 6, 0, 0, "01 03 FF 00"},
        {5, 7, 0, 0, "01 01 08 00"},  {5, 8, 0, 0, "01 01 10 00"}, {5, 9, 0, 0, "01 00 00 00"},
        {6, 1, 0, 0, "03 CD 00 00"},  {6, 2, 0, 0, "03 B7 00 00"}, {6, 3, 0, 0, "03 B6 00 00"},
        {6, 4, 0, 0, "03 B5 00 00"},  {6, 5, 0, 0, "03 E9 00 00"}, {6, 6, 0, 0, "03 EA 00 00"},
        {6, 7, 0, 0, "03 E2 00 00"},  {6, 8, 0, 0, "03 00 00 00"},
        {7, 1, 0, 0, "02 08 07 00"},  {7, 2, 0, 0, "02 08 08 00"}, {7, 3, 0, 0, "02 08 0F 00"},
        {7, 4, 0, 0, "02 01 1A 00"},  {7, 5, 0, 0, "02 04 2B 00"}, {7, 6, 0, 0, "02 01 06 00"},
        {7, 7, 0, 0, "02 01 19 00"},  {7, 8, 0, 0, "02 01 1B 00"}, {7, 10, 0, 0, "02 02 00 00"},
        {7, 11, 0, 0, "02 01 00 00"}, {7, 9, 0, 0, "02 00 00 00"},
        {8, 0x123, 0, 0, "05 02 23 00"}, {11, 4, 0, 0, "05 02 04 00"},
        {12, 500, 0, 0, "03 94 01 00"}, {12, 503, 0, 0, "03 83 01 00"}, {12, 504, 0, 0, "03 CD 00 00"},
        {12, 511, 0, 0, "03 23 02 00"}, {12, 517, 0, 0, "03 21 02 00"}, {12, 499, 0, 0, "03 00 00 00"},
        {13, 1, 2, 3, "07 01 02 03"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " value " << c.value);
        const std::optional<KeyEntryBytes> e = KeyEntry({0x04, c.type, c.value, c.value2, c.value3}, macroIds);
        if (!c.entry) {
            EXPECT_FALSE(e.has_value());
            continue;
        }
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(std::vector<uint8_t>(e->begin(), e->end()), Bytes(c.entry));
    }
}

TEST(KeyMapBlock, PositionsLayersAndTrailer)
{
    LayoutFile layout = ShippedLayout(kK104);
    layout.keys.push_back(Key(0x05, 200, 200));  // beyond the block: the reader leaves it out
    const KeyTables tables = TablesOf(layout);
    const KeyPlacement placement(layout, tables);
    const std::vector<KeyAssignment> a = {
        {0x04, 2, 0x05, 0, 0},  // A at position 46 sends B
        {0x1E, 1, 0, 0, 0},     // 1 at position 18, left out of the Fn layer
        {0x29, 0, 0, 0, 0},     // type 0: skipped
        {0x05, 1, 0, 0, 0},     // no position: skipped
        {0x3A, 4, 0, 0, 0},     // type 4: not written
    };
    const std::vector<uint8_t> base = KeyMapBlock(a, 0, placement, {});
    ASSERT_EQ(base.size(), 576u);
    std::vector<uint8_t> expected(576, 0);
    const std::vector<uint8_t> entryA = Bytes("02 00 05 00"), entry1 = Bytes("05 03 00 00");
    std::copy(entryA.begin(), entryA.end(), expected.begin() + 4 * 46);
    std::copy(entry1.begin(), entry1.end(), expected.begin() + 4 * 18);
    expected[574] = 0xAA;
    expected[575] = 0x55;
    EXPECT_EQ(base, expected);

    const std::vector<uint8_t> fn = KeyMapBlock(a, 1, placement, {});
    std::fill_n(expected.begin() + 4 * 18, 4, 0);
    EXPECT_EQ(fn, expected);

    // A layout without key positions puts every entry at position 0.
    LayoutFile bare;
    bare.keys = {Key(0x04, 0, 0)};
    const KeyTables bareTables = TablesOf(bare);
    const std::vector<uint8_t> zero = KeyMapBlock({{0x04, 1, 0, 0, 0}}, 0, KeyPlacement(bare, bareTables), {});
    EXPECT_EQ(Slice(zero, 0, 4), Bytes("05 03 00 00"));
}

TEST(KeyMapCommand, CableAndReceiverForms)
{
    std::vector<uint8_t> block(576);
    for (size_t i = 0; i < block.size(); ++i) block[i] = uint8_t(i);
    const Transaction cable = WriteKeyMapCable(block, 1);
    ASSERT_EQ(cable.steps.size(), 5u);
    EXPECT_EQ(cable.steps[1].bytes, Pad(Bytes("04 27 00 00 00 00 00 00 09")));
    EXPECT_EQ(cable.steps[2].kind, LinkStep::kFeatureBlock);
    EXPECT_EQ(cable.steps[2].bytes, block);
    EXPECT_EQ(cable.steps[3].bytes, Pad(Bytes("04 02")));
    EXPECT_EQ(cable.steps[4].bytes, Pad(Bytes("04 F0")));
    EXPECT_TRUE(cable.steps[4].acknowledge);
    EXPECT_EQ(WriteKeyMapCable(block, 0).steps[1].bytes[1], 0x11);

    const Transaction receiver = WriteKeyMapReceiver(block, 0);
    ASSERT_EQ(receiver.steps.size(), 1u + 2 * 21);
    EXPECT_EQ(receiver.steps[0].pauseMs, 10);
    for (int k = 0; k < 21; ++k) {
        SCOPED_TRACE(k);
        const LinkStep& s = receiver.steps[size_t(1 + 2 * k)];
        ASSERT_EQ(s.kind, LinkStep::kExchange);
        EXPECT_EQ(s.bytes[1], 0x10);
        EXPECT_EQ(s.bytes[2], k == 20 ? 16 : 28);
        EXPECT_EQ(s.bytes[3], k);
        EXPECT_EQ(s.bytes[4], uint8_t(28 * k));  // block byte 28k
        EXPECT_EQ(receiver.steps[size_t(2 + 2 * k)].pauseMs, 2);
    }
    EXPECT_EQ(WriteKeyMapReceiver(block, 1).steps[1].bytes[1], 0x12);
}

TEST(KeyEntryCommand, OneKeyThroughTheReceiver)
{
    const LayoutFile layout = ShippedLayout(kK104);
    const KeyTables tables = TablesOf(layout);
    const KeyPlacement placement(layout, tables);
    auto bytes = [&](int key, std::optional<KeyAssignment> a, int layer) {
        const std::optional<Transaction> t = WriteKeyEntryReceiver(key, a, layer, placement, {});
        return t ? t->steps.at(0).bytes : std::vector<uint8_t>();
    };
    EXPECT_EQ(bytes(0x04, KeyAssignment{0x04, 6, 1}, 0), Request("03 04 2E 03 CD 00 00"));
    EXPECT_EQ(bytes(0x04, std::nullopt, 1), Request("0D 04 2E 02 00 04 00"));  // its own function
    EXPECT_TRUE(bytes(0x05, std::nullopt, 0).empty());                         // no key position
    EXPECT_EQ(ResetKeyMapReceiver().steps.at(0).bytes, Request("1F"));
}

// --- macros -------------------------------------------------------------------------

Macro Keys(int id, int presses, int delay = 20)
{
    Macro m{id, {}};
    for (int i = 0; i < presses; ++i) m.records.push_back({2, 65, delay});  // 'A' down
    return m;
}

TEST(MacroBlock, SlotsBodiesAndEntries)
{
    const std::vector<Macro> macros = {
        {1, {{2, 65, 20}, {3, 65, 3}}},                  // A down 20 ms, A up 3 ms (sent as 10)
        {2, {}},                                          // no records
        {3, {{1, 0, 40}, {4, 2, 15}, {5, 3, 0}, {4, 9, 12}}},  // type 1, right button, middle up, no button
    };
    const MacroBlock b = BuildMacroBlock(macros, LinkForm::kCable);
    ASSERT_TRUE(b.accepted);
    EXPECT_EQ(Slice(b.bytes, 0, 12), Bytes("90 01 00 00 FF FF FF FF A8 01 00 00"));  // bodies at 400 and 424
    EXPECT_EQ(Slice(b.bytes, 12, 388), std::vector<uint8_t>(388, 0));               // absent macros
    EXPECT_EQ(Slice(b.bytes, 400, 8), Bytes("04 00 00 00 00 00 00 00"));
    EXPECT_EQ(Slice(b.bytes, 408, 16), Bytes("00 00 04 B0 14 00 00 50 00 00 04 30 0A 00 00 50"));
    EXPECT_EQ(Slice(b.bytes, 424, 8), Bytes("06 00 00 00 00 00 00 00"));
    EXPECT_EQ(Slice(b.bytes, 432, 24),
              Bytes("28 00 00 50 00 00 04 90 0F 00 00 50 00 00 02 10 0A 00 00 50 0C 00 00 50"));
    EXPECT_EQ(b.endOffset, 456);
    EXPECT_EQ(b.packets, 9);  // 456 = 7 x 64 + 8
    EXPECT_EQ(Slice(b.bytes, 574, 2), Bytes("AA 55"));
}

TEST(MacroBlock, PacketCountsAndTrailerPositions)
{
    // One macro of five key presses: a body of 8 + 10 x 4 bytes ends at 448.
    const std::vector<Macro> macros = {Keys(1, 5)};
    const MacroBlock cable = BuildMacroBlock(macros, LinkForm::kCable);
    ASSERT_TRUE(cable.accepted);
    EXPECT_EQ(cable.endOffset, 448);
    EXPECT_EQ(cable.packets, 8);
    ASSERT_EQ(cable.bytes.size(), 512u);
    EXPECT_EQ(Slice(cable.bytes, 510, 2), Bytes("AA 55"));
    const Transaction t = WriteMacrosCable(cable);
    ASSERT_EQ(t.steps.size(), 6u);
    EXPECT_EQ(t.steps[0].bytes, Pad(Bytes("04 19")));
    EXPECT_EQ(t.steps[1].bytes, Pad(Bytes("04 15 00 00 00 00 00 00 08")));
    EXPECT_EQ(t.steps[2].pauseMs, 30);
    EXPECT_EQ(t.steps[3].bytes.size(), 512u);
    EXPECT_EQ(t.steps[4].pauseMs, 30);
    EXPECT_EQ(t.steps[5].bytes, Pad(Bytes("04 02")));

    // 448 = 16 x 28: the receiver form sends 17 chunks, the last of length 0.
    const MacroBlock receiver = BuildMacroBlock(macros, LinkForm::kReceiver);
    ASSERT_TRUE(receiver.accepted);
    EXPECT_EQ(receiver.packets, 17);
    EXPECT_EQ(Slice(receiver.bytes, 474, 2), Bytes("AA 55"));
    const Transaction r = WriteMacrosReceiver(receiver);
    ASSERT_EQ(r.steps.size(), 34u);
    EXPECT_EQ(Slice(r.steps[0].bytes, 0, 6), Bytes("00 09 1C 00 90 01"));
    EXPECT_EQ(Slice(r.steps[32].bytes, 0, 4), Bytes("00 09 00 10"));
    EXPECT_EQ(Slice(r.steps[32].bytes, 30, 2), Bytes("AA 55"));

    // No macro with records: E = 400 = 6 x 64 + 16.
    const MacroBlock empty = BuildMacroBlock({{1, {}}}, LinkForm::kCable);
    EXPECT_EQ(empty.endOffset, 400);
    EXPECT_EQ(empty.packets, 8);
    EXPECT_EQ(Slice(empty.bytes, 0, 4), Bytes("FF FF FF FF"));
}

TEST(MacroBlock, SetsThatDoNotFitAreRefusedWhole)
{
    // 8 x (336 + 1) = 2696 fits the cable limit of 2700; one record more does not.
    EXPECT_TRUE(BuildMacroBlock({Keys(1, 336)}, LinkForm::kCable).accepted);
    const MacroBlock over = BuildMacroBlock({Keys(1, 337)}, LinkForm::kCable);
    EXPECT_FALSE(over.accepted);
    EXPECT_FALSE(over.refusal.empty());
    EXPECT_TRUE(WriteMacrosCable(over).Empty());

    // 8 x (449 + 1) = 3600: the receiver's limit; the end offset is 4000.
    const MacroBlock full = BuildMacroBlock({Keys(1, 449)}, LinkForm::kReceiver);
    ASSERT_TRUE(full.accepted);
    EXPECT_EQ(full.endOffset, 4000);
    EXPECT_EQ(full.packets, 144);
    EXPECT_EQ(Slice(full.bytes, 4030, 2), Bytes("AA 55"));
    EXPECT_FALSE(BuildMacroBlock({Keys(1, 450)}, LinkForm::kReceiver).accepted);

    // More than 100 macros would put slots over the bodies.
    EXPECT_TRUE(BuildMacroBlock(std::vector<Macro>(100, Macro{1, {}}), LinkForm::kCable).accepted);
    EXPECT_FALSE(BuildMacroBlock(std::vector<Macro>(101, Macro{1, {}}), LinkForm::kCable).accepted);
}

// --- lighting -----------------------------------------------------------------------

TEST(LightCommand, ModeBlocksAndSideLight)
{
    const LightBlock b = LightModeBlock({3, 0x00332211, 1, 4, 2, 1});
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.end()), Bytes("03 11 22 33 00 00 00 00 01 04 02 01 00 00 AA 55"));
    const LightBlock off = LightModeBlock({0, 0x00332211, 1, 4, 2, 1});
    EXPECT_EQ(std::vector<uint8_t>(off.begin(), off.end()), Bytes("00 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55"));

    const Transaction cable = WriteLightBlockCable(b);
    ASSERT_EQ(cable.steps.size(), 5u);
    EXPECT_EQ(cable.steps[1].bytes, Pad(Bytes("04 13 00 00 00 00 00 00 01")));
    EXPECT_EQ(cable.steps[2].bytes, Pad(Bytes("03 11 22 33 00 00 00 00 01 04 02 01 00 00 AA 55")));
    const bool acks[] = {true, true, false, true, false};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(cable.steps[i].acknowledge, acks[i]);
    EXPECT_EQ(WriteLightModeReceiver(b).steps[0].bytes, Request("05 10 00 03 11 22 33 00 00 00 00 01 04 02 01 00 00 AA 55"));

    const LightBlock side = SideLightBlock(35);
    EXPECT_EQ(std::vector<uint8_t>(side.begin(), side.end()), Bytes("23 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55"));
    EXPECT_EQ(WriteSideLightReceiver(35).steps[0].bytes, Request("05 01 00 23 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55"));
}

TEST(LightCommand, ColourBlocksRgbAndSingleColour)
{
    const std::map<int, uint32_t> colours = {{0x29, 0x00030201}, {0x04, 0x000000FF}, {0x3A, 0}, {0x77, 0x00FFFFFF}};
    LayoutFile rgb = ShippedLayout(kK104);
    const std::vector<uint8_t> block = ColourBlock(colours, TablesOf(rgb), true);
    ASSERT_EQ(block.size(), 576u);
    EXPECT_EQ(Slice(block, 4, 4), Bytes("01 01 02 03"));      // Esc at light position 1
    EXPECT_EQ(Slice(block, 4 * 46, 4), Bytes("2E FF 00 00"));  // A at 46
    EXPECT_EQ(Slice(block, 8, 4), Bytes("02 00 00 00"));      // F1 black, still written
    EXPECT_EQ(Slice(block, 574, 2), Bytes("AA 55"));

    // A single-colour keyboard: one byte per light position, 192 bytes in 3 packets.
    const LayoutFile single = ShippedLayout(kK87);
    const std::vector<uint8_t> levels = ColourBlock(colours, TablesOf(single), false);
    std::vector<uint8_t> expected(192, 0);
    expected[1] = 0xFF;
    expected[46] = 0xFF;
    expected[190] = 0xAA;
    expected[191] = 0x55;
    EXPECT_EQ(levels, expected);

    const Transaction cable = WriteUserLightCable(levels, 4);
    ASSERT_EQ(cable.steps.size(), 10u);
    EXPECT_EQ(cable.steps[2].bytes, Pad(Bytes("80 00 00 00 00 00 00 00 00 04 00 00 00 00 AA 55")));
    EXPECT_EQ(cable.steps[6].bytes, Pad(Bytes("04 23 00 00 00 00 00 00 03")));
    EXPECT_EQ(cable.steps[7].bytes, levels);
    EXPECT_TRUE(cable.steps[9].acknowledge);

    const Transaction receiver = WriteUserLightReceiver(levels, 4);
    ASSERT_EQ(receiver.steps.size(), 1u + 2 * 7);
    EXPECT_EQ(receiver.steps[0].bytes, Request("05 10 00 80 00 00 00 00 00 00 00 00 04 00 00 00 00 AA 55"));
    EXPECT_EQ(Slice(receiver.steps[13].bytes, 0, 4), Bytes("00 14 18 06"));  // last chunk: 24 bytes, index 6
    EXPECT_EQ(Slice(receiver.steps[13].bytes, 26, 2), Bytes("AA 55"));
    EXPECT_EQ(WriteUserLightReceiver(block, 4).steps.size(), 1u + 2 * 21);
}

// --- screen ----------------------------------------------------------------------

TEST(ScreenCommand, DelayByteSaturates)
{
    const std::pair<int, int> cases[] = {{1000, 255}, {30, 15}, {1, 1}, {3, 1}, {500, 250}, {510, 255}, {0, 1}, {-8, 1}};
    for (const auto& [ms, byte] : cases) EXPECT_EQ(ScreenDelayByte(ms), byte) << ms;
}

TEST(ScreenCommand, ImageHeadAndFrames)
{
    const ScreenInfo screen{8, 2, 3, 2, 2};  // head 8, at most 2 frames of 2 x 2 pixels
    std::vector<ScreenFrame> frames = {{30, Bytes("01 02 03 04 05 06 07 08")}, {1000, Bytes("11 12")}, {40, {}}};
    const std::vector<uint8_t> image = ScreenImage(frames, screen);
    EXPECT_EQ(image, Bytes("02 0F FF FF FF FF FF FF 01 02 03 04 05 06 07 08 11 12 FF FF FF FF FF FF"));
    EXPECT_TRUE(ScreenImage({}, screen).empty());
    EXPECT_TRUE(ScreenImage(frames, ScreenInfo{}).empty());
}

TEST(ScreenCommand, CableUploadOfThirtyFrames)
{
    const ScreenInfo screen = ShippedLayout(kK75).screen;
    const std::vector<ScreenFrame> frames(30, ScreenFrame{100, {}});
    const std::vector<uint8_t> image = ScreenImage(frames, screen);
    ASSERT_EQ(image.size(), 256u + 320u * 172u * 2u * 30u);
    const Transaction t = UploadScreenCable(image, 2);
    const size_t blocks = 807;  // ceil(3302656 / 4096)
    ASSERT_EQ(t.steps.size(), 3 + blocks);
    EXPECT_EQ(t.steps[1].bytes, Pad(Bytes("04 72 02 00 00 00 00 00 27 03")));
    EXPECT_EQ(t.steps[2].kind, LinkStep::kScreenBlock);
    EXPECT_EQ(Slice(t.steps[2].bytes, 0, 4), Bytes("1E 32 32 32"));
    EXPECT_EQ(t.steps[2].progress, 0);
    EXPECT_EQ(t.steps[2 + 806].progress, 99);
    EXPECT_EQ(t.steps.back().bytes, Pad(Bytes("04 02")));
    EXPECT_EQ(t.steps.back().progress, 100);
}

TEST(ScreenCommand, ReceiverChunksCarryTheirNumber)
{
    const std::vector<uint8_t> image(28 * 70001 - 5, 0x3C);
    const Transaction t = UploadScreenReceiver(image, 3);
    ASSERT_EQ(t.steps.size(), 1u + 2 * 70001);
    EXPECT_EQ(t.steps[0].bytes, Request("7F 03 00 03 71 11 01"));  // n = 70001 = 0x011171
    const LinkStep& chunk = t.steps[1 + 2 * 70000];                 // j = 70000 = 0x011170
    EXPECT_EQ(Slice(chunk.bytes, 0, 4), Bytes("00 81 70 11"));
    EXPECT_EQ(Slice(chunk.bytes, 4, 28), Bytes("3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C 3C FF FF FF FF FF"));
    EXPECT_EQ(Slice(t.steps[1].bytes, 0, 4), Bytes("00 80 00 00"));
    EXPECT_EQ(t.steps[2].pauseMs, 2);
    EXPECT_EQ(t.steps.back().progress, 100);
}

// --- live lighting ------------------------------------------------------------------

TEST(LiveCommand, FramesAndTheirBursts)
{
    const std::vector<uint8_t> rgb = LiveFrameRgb({{5, 1, 2, 3}, {0, 9, 9, 9}, {7, 4, 5, 6}});
    ASSERT_EQ(rgb.size(), 512u);
    EXPECT_EQ(Slice(rgb, 0, 12), Bytes("05 01 02 03 00 00 00 00 07 04 05 06"));
    const std::vector<uint8_t> single = LiveFrameSingle({{3, 0xFD}, {300, 1}});
    ASSERT_EQ(single.size(), 192u);
    EXPECT_EQ(single[3], 0xFD);

    const Transaction t = LiveFrame(single, false);
    ASSERT_EQ(t.steps.size(), 3u);
    EXPECT_EQ(t.steps[0].bytes, Pad(Bytes("04 20 00 00 00 00 00 00 03")));
    EXPECT_EQ(t.steps[1].bytes, single);
    EXPECT_EQ(t.steps[2].bytes, Pad(Bytes("04 02")));
    for (const LinkStep& s : t.steps) {
        EXPECT_EQ(s.kind, LinkStep::kBurst);
        EXPECT_TRUE(s.stopOnFailure);
    }
    EXPECT_EQ(LiveFrame(rgb, true).steps[0].bytes[8], 8);
    EXPECT_EQ(Vec(ColourReadRequest(true)), Pad(Bytes("04 F5 00 00 00 00 00 00 09")));
    EXPECT_EQ(ColourReadAckLength(false), 3);
}

TEST(LiveCommand, ColourReadBackDecoding)
{
    const LayoutFile layout = ShippedLayout(kK104);
    std::vector<uint8_t> blocks(576, 0);
    blocks[4 * 46 + 1] = 0x10;
    blocks[4 * 46 + 2] = 0x20;
    blocks[4 * 46 + 3] = 0x30;
    EXPECT_EQ(DecodeKeyColours(blocks.data(), TablesOf(layout), true).at(0x04), 0x00302010u);
    blocks[46] = 0xFF;
    blocks[1] = 0x80;
    const auto grey = DecodeKeyColours(blocks.data(), TablesOf(ShippedLayout(kK87)), false);
    EXPECT_EQ(grey.at(0x04), 0x00FEFEFEu);  // 255 x 255 / 256 = 254
    EXPECT_EQ(grey.at(0x29), 0x007F7F7Fu);  // 128 x 255 / 256 = 127
}

TEST(LiveCommand, MusicFrame)
{
    MusicFrameValues v;
    v.effect = 2;
    v.background = 3;
    v.level = 50;
    EXPECT_FALSE(MusicFrame(v).has_value());  // every column at 0
    v.heights.fill(1);
    EXPECT_FALSE(MusicFrame(v).has_value());  // none above 1
    v.heights[20] = 9;
    const std::optional<Transaction> t = MusicFrame(v);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->steps[0].checksumLength, 33);
    EXPECT_EQ(t->steps[0].bytes,
              Request("0B 1C 00 02 03 32 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 01 09"));
}

// --- receiver-only commands and what the keyboard reports ----------------------------

TEST(DeviceEvents, BatteryAnswers)
{
    EXPECT_EQ(BatteryLevel(Bytes("20 01 00 96").data()), 100);  // 150 counts as 100
    EXPECT_EQ(BatteryLevel(Bytes("20 01 00 57").data()), 87);
    EXPECT_FALSE(BatteryLevel(Bytes("20 01 00 00").data()));    // 0 is ignored
    EXPECT_FALSE(BatteryLevel(Bytes("21 01 00 50").data()));
    EXPECT_EQ(QueryBatteryReceiver().steps.at(0).bytes, Request("20 01"));
    EXPECT_EQ(ResetAllReceiver().steps.at(0).bytes, Request("0F"));
}

TEST(DeviceEvents, Notifications)
{
    struct Case {
        const char* bytes;
        Notification::Kind kind;
        int value;
    };
    const Case cases[] = {
        {"05 A6 FF 01", Notification::kLinkUp, 0},    {"05 A6 FE 02", Notification::kLinkDown, 0},
        {"05 A6 FF 02", Notification::kKeyAction, 0xFF}, {"05 02 07 00", Notification::kKeyAction, 7},
        {"00 A6 FF 01", Notification::kNone, 0},      {"05", Notification::kKeyAction, 0},
        {"03 E9 00", Notification::kOther, 0},        {"", Notification::kNone, 0},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> b = Bytes(c.bytes);
        const Notification n = ParseNotification(b.data(), int(b.size()));
        EXPECT_EQ(n.kind, c.kind) << c.bytes;
        EXPECT_EQ(n.value, c.value) << c.bytes;
    }
}

}  // namespace

// HidDeviceManager against the simulated keyboards: classification, the
// preference orders, and the framing, pauses, retries and acknowledges of
// every primitive, checked on the simulator's wire trace.
#include <gtest/gtest.h>

#include <thread>

#include "link/report_sizes.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

int64_t Ms(int64_t micros) { return micros / 1000; }

class ManagerTest : public ::testing::Test {
protected:
    SimRig rig;
    int k104 = rig.Add(kK104);
    int k75 = rig.Add(kK75);
    int k87 = rig.Add(kK87);
};

TEST_F(ManagerTest, ClassifiesEveryInterfaceOfTheShippedKeyboards)
{
    rig.sim->Plug(k104, 0);
    rig.sim->Plug(k104, 2);
    rig.sim->Plug(k104, 1);
    rig.sim->Plug(k75, 0);
    rig.sim->Plug(k87, 0);
    rig.manager.Refresh();

    std::vector<HidRecordInfo> records;
    ASSERT_TRUE(rig.manager.CollectDevices(records));  // device type 0: all records
    struct Expected {
        int type, mode, online;
        uint16_t pid;
    };
    const Expected expected[] = {{kK104, 0, 1, 0x0104}, {kK104, 2, 1, 0x2104}, {kK104, 1, 0, 0xB104},
                                 {kK75, 0, 1, 0x0075}, {kK87, 0, 1, 0x0087}};
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].index, int(i));
        EXPECT_EQ(records[i].deviceType, expected[i].type);
        EXPECT_EQ(records[i].mode, expected[i].mode);
        EXPECT_EQ(records[i].online, expected[i].online);
        EXPECT_EQ(records[i].productId, expected[i].pid);
    }
    EXPECT_TRUE(rig.manager.HasNotifyInterface());
    EXPECT_TRUE(rig.manager.HasScreenInterface());

    int roles[8] = {};
    for (const InterfaceClassification& c : rig.manager.LastClassification()) ++roles[c.role];
    EXPECT_EQ(roles[InterfaceClassification::kCommand], 4);
    EXPECT_EQ(roles[InterfaceClassification::kReceiver], 1);
    EXPECT_EQ(roles[InterfaceClassification::kScreen], 1);
    EXPECT_EQ(roles[InterfaceClassification::kNotify], 4);   // the last one is kept
    EXPECT_EQ(roles[InterfaceClassification::kClosed], 9);   // keyboards and media keys

    // A smaller collection narrows to one keyboard.
    rig.manager.SetCurrentDeviceType(kK104);
    ASSERT_TRUE(rig.manager.CollectDevices(records));
    EXPECT_EQ(records.size(), 3u);
}

TEST(ManagerKnownDevices, ProductNameRules)
{
    SimRig rig;
    rig.Add(kK87);
    rig.sim->Plug(0, 0);
    rig.manager.ClearKnownDevices();
    // An empty product name accepts the interface on vendor and product id alone.
    rig.manager.AddKnownDevice(0x3A7E, 0x0087, QString(), kK87, 0);
    rig.Select(kK87);
    EXPECT_EQ(rig.manager.GetConnectMode(), 0);
    EXPECT_EQ(rig.manager.GetDeviceState(0x3A7E, 0x0087, QString(), 0), 1);
    EXPECT_EQ(rig.manager.GetDeviceState(0x3A7E, 0x0087, u"Varnet K87"_qs, 0), 1);
    EXPECT_EQ(rig.manager.GetDeviceState(0x3A7E, 0x0087, u"varnet k87"_qs, 0), -1);  // case-sensitive
    EXPECT_EQ(rig.manager.GetDeviceState(0x3A7E, 0x0087, QString(), 2), -1);          // no such mode

    // A name that differs from the interface's product string rejects it.
    rig.manager.ClearKnownDevices();
    rig.manager.AddKnownDevice(0x3A7E, 0x0087, u"Varnet K88"_qs, kK87, 0);
    rig.Select(kK87);
    EXPECT_EQ(rig.manager.GetConnectMode(), -1);
    for (const InterfaceClassification& c : rig.manager.LastClassification())
        EXPECT_EQ(c.role, InterfaceClassification::kUnknownDevice);
}

TEST_F(ManagerTest, PreferenceOrdersOfConnectModeAndActiveHandle)
{
    struct Case {
        bool cable, receiver, bluetooth;
        int connectMode;
        int activeMode;  // -1: no handle
    };
    // Commands go where their form belongs: cable, then receiver, then Bluetooth.
    const Case cases[] = {
        {true, true, false, 0, 0},  {false, true, true, 2, 2}, {true, false, true, 0, 0},
        {true, true, true, 0, 0},   {false, false, true, 1, 1}, {false, true, false, 2, 2},
        {false, false, false, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cable << c.receiver << c.bluetooth);
        c.cable ? rig.sim->Plug(k104, 0) : rig.sim->Unplug(k104, 0);
        c.receiver ? rig.sim->Plug(k104, 2) : rig.sim->Unplug(k104, 2);
        c.bluetooth ? rig.sim->Plug(k104, 1) : rig.sim->Unplug(k104, 1);
        rig.Select(kK104);
        EXPECT_EQ(rig.manager.GetConnectMode(), c.connectMode);
        const std::optional<HidRecordInfo> active = rig.manager.GetActiveRecord();
        EXPECT_EQ(active ? active->mode : -1, c.activeMode);
    }
}

TEST_F(ManagerTest, ReceiverAndBluetoothTogetherTalkThroughTheReceiver)
{
    rig.sim->Plug(k104, 2);
    rig.sim->Plug(k104, 1);
    rig.Select(kK104);
    rig.Take();
    uint8_t request[kReceiverBufferSize] = {0, 0x20, 0x01};
    ASSERT_TRUE(rig.manager.ExchangeReport(request, kReceiverBufferSize));
    const auto lines = rig.Take();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].iface, "rcv");
    EXPECT_EQ(lines[0].op, "write");
}

TEST_F(ManagerTest, FirmwareReleaseComesFromTheCable)
{
    int release = -1;
    EXPECT_FALSE(rig.manager.GetFirmwareRelease(release));  // not opened
    rig.sim->SetRelease(k104, 0x0105);
    rig.sim->Plug(k104, 2);
    rig.Select(kK104);
    ASSERT_TRUE(rig.manager.GetFirmwareRelease(release));
    EXPECT_EQ(release, 0);  // receiver only
    rig.sim->Plug(k104, 0);
    rig.Select(kK104);
    ASSERT_TRUE(rig.manager.GetFirmwareRelease(release));
    EXPECT_EQ(release, 0x0105);
    rig.manager.SetCurrentDeviceType(kK87);  // nothing of it plugged
    EXPECT_FALSE(rig.manager.GetFirmwareRelease(release));
}

TEST_F(ManagerTest, EveryPrimitiveFailsBeforeTheLinkIsOpenedOrWithoutAKeyboard)
{
    rig.sim->Plug(k75, 0);
    uint8_t buffer[kColourReadSize] = {0x04, 0x18};
    uint8_t block[kScreenBlockSize] = {};
    auto all = [&] {
        EXPECT_FALSE(rig.manager.SendFeature(buffer, 65, true));
        EXPECT_FALSE(rig.manager.SendFeatureBurst(buffer, 65));
        EXPECT_FALSE(rig.manager.ReadFeatureBlocks(buffer, sizeof buffer, 9));
        EXPECT_FALSE(rig.manager.ExchangeReport(buffer, 65));
    };
    all();
    EXPECT_FALSE(rig.manager.SendScreenBlock(block));
    rig.Select(kK104);  // opened, but the current keyboard is absent
    all();
    EXPECT_TRUE(rig.Take().empty());
    rig.manager.CloseAll();
    EXPECT_FALSE(rig.manager.IsOpened());
    EXPECT_FALSE(rig.manager.SendScreenBlock(block));
}

// --- SendFeature -----------------------------------------------------------------

TEST_F(ManagerTest, SendFeatureReportCountsAndPauses)
{
    rig.sim->Plug(k87, 0);
    rig.Select(kK87);
    rig.manager.SetCommandDelay(10);
    std::vector<uint8_t> data(576);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i / 64 + 1);  // chunk number in every byte

    struct Case {
        int length;
        int reports;
    };
    for (const Case c : {Case{65, 1}, Case{576, 9}, Case{130, 2}}) {
        SCOPED_TRACE(c.length);
        rig.Take();
        const int64_t start = std::chrono::duration_cast<std::chrono::microseconds>(
                                  rig.clock.Now().time_since_epoch()).count();
        ASSERT_TRUE(rig.manager.SendFeature(data.data(), c.length, false));
        const auto lines = rig.Take("cmd");
        ASSERT_EQ(int(lines.size()), c.reports);
        for (int i = 0; i < c.reports; ++i) {
            const SimTraceLine& l = lines[size_t(i)];
            EXPECT_EQ(l.op, "set-feature");
            ASSERT_EQ(l.bytes.size(), 65u);
            EXPECT_EQ(l.bytes[0], 0);              // report id
            EXPECT_EQ(l.bytes[1], uint8_t(i + 1)); // chunk i in report bytes 1..64
            EXPECT_EQ(l.bytes[64], uint8_t(i + 1));
            if (i > 0) {
                EXPECT_EQ(Ms(l.micros - lines[size_t(i - 1)].micros), 10);  // command delay between
            }
        }
        // One command delay before the first report, one after each.
        const int64_t end = std::chrono::duration_cast<std::chrono::microseconds>(
                                rig.clock.Now().time_since_epoch()).count();
        EXPECT_EQ(Ms(end - start), 10 * (c.reports == 1 ? 1 : c.reports + 1));
    }
}

TEST_F(ManagerTest, AcknowledgeIsPayloadByteThreeEqualToOne)
{
    rig.sim->Plug(k87, 0);
    rig.Select(kK87);
    rig.manager.SetCommandDelay(10);
    const std::vector<uint8_t> begin = Pad({0x04, 0x18});
    struct Case {
        int nackValue;  // -1: the keyboard acknowledges
        bool busy;
        bool result;
    };
    for (const Case c : {Case{-1, false, true}, Case{0, false, false}, Case{2, false, false},
                         Case{-1, true, false}}) {
        SCOPED_TRACE(c.nackValue);
        SimFaults f;
        f.nack = c.nackValue >= 0 ? 1 : 0;
        f.nackValue = c.nackValue;
        f.busy = c.busy ? 1 : 0;
        rig.sim->SetFaults(k87, f);
        rig.Take();
        EXPECT_EQ(rig.manager.SendFeature(begin.data(), 65, true), c.result);
        const auto lines = rig.Take("cmd");
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].op, "set-feature");
        EXPECT_EQ(lines[1].op, "get-feature");
        EXPECT_EQ(Ms(lines[1].micros - lines[0].micros), 10);
        ASSERT_EQ(lines[1].bytes.size(), 65u);
        EXPECT_EQ(lines[1].bytes[4], c.busy ? 0xFF : c.nackValue >= 0 ? c.nackValue : 1);
    }
}

TEST_F(ManagerTest, SendFeatureGivesUpOnAChunkAfterTenRetries)
{
    rig.sim->Plug(k87, 0);
    rig.Select(kK87);
    rig.manager.SetCommandDelay(10);
    SimFaults f;
    f.disconnectAfter = 3;
    rig.sim->SetFaults(k87, f);
    std::vector<uint8_t> data(576, 0x11);
    const auto start = rig.clock.Now();
    EXPECT_FALSE(rig.manager.SendFeature(data.data(), 576, false));
    // Delay, three chunks with their delays, the failed fourth: its delay and ten retries.
    EXPECT_EQ(int(ElapsedMs(start, rig.clock.Now())), 10 + 3 * 10 + 10 + 10 * 10);
    EXPECT_EQ(rig.Take("cmd").size(), 4u);  // the report that met the unplugging is still seen
}

// --- SendFeatureBurst ----------------------------------------------------------

TEST_F(ManagerTest, BurstResendsOnceWhenTheKeyboardIsBusy)
{
    rig.sim->Plug(k104, 0);
    rig.Select(kK104);
    SimFaults f;
    f.busy = 1;
    rig.sim->SetFaults(k104, f);
    const std::vector<uint8_t> announce = Pad({0x04, 0x20, 0, 0, 0, 0, 0, 0, 0x08});
    rig.Take();
    ASSERT_TRUE(rig.manager.SendFeatureBurst(announce.data(), 65));
    const auto lines = rig.Take("cmd");
    ASSERT_EQ(lines.size(), 4u);
    const char* ops[] = {"set-feature", "get-feature", "set-feature", "get-feature"};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(lines[i].op, ops[i]);
    EXPECT_EQ(lines[1].bytes[4], 0xFF);
    EXPECT_EQ(lines[3].bytes[4], 0x01);
    EXPECT_EQ(Ms(lines[1].micros - lines[0].micros), 5);
    EXPECT_EQ(Ms(lines[3].micros - lines[2].micros), 5);

    // Busy twice: the single resend is answered busy again, which fails.
    f.busy = 2;
    rig.sim->SetFaults(k104, f);
    EXPECT_FALSE(rig.manager.SendFeatureBurst(announce.data(), 65));
}

TEST_F(ManagerTest, BurstFrameStopsWhenItsBudgetIsSpent)
{
    rig.sim->Plug(k104, 0);
    rig.Select(kK104);
    std::vector<uint8_t> frame(512, 0x22);
    rig.Take();
    ASSERT_TRUE(rig.manager.SendFeatureBurst(frame.data(), 512));
    auto lines = rig.Take("cmd");
    ASSERT_EQ(lines.size(), 8u);
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(Ms(lines[i].micros - lines[i - 1].micros), 2);

    // A slow keyboard: 30 ms per report. After the fourth report 128 ms have passed.
    SimFaults f;
    f.reportLatencyMs = 30;
    rig.sim->SetFaults(k104, f);
    EXPECT_FALSE(rig.manager.SendFeatureBurst(frame.data(), 512));
    EXPECT_EQ(rig.Take("cmd").size(), 4u);
}

// --- ReadFeatureBlocks ---------------------------------------------------------

TEST_F(ManagerTest, ReadFeatureBlocksReturnsTheNineBlocks)
{
    rig.sim->Plug(k104, 0);
    rig.Select(kK104);
    uint8_t buffer[kColourReadSize] = {0x04, 0xF5, 0, 0, 0, 0, 0, 0, 0x09};
    rig.Take();
    const auto start = rig.clock.Now();
    ASSERT_TRUE(rig.manager.ReadFeatureBlocks(buffer, sizeof buffer, 9));
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + kColourReadSize), rig.sim->LedColours(k104));
    // 3 ms, request, 5 ms, the short read fails, a full read and 5 ms, then 3 ms before each block.
    EXPECT_EQ(int(ElapsedMs(start, rig.clock.Now())), 3 + 5 + 5 + 9 * 3);
    const auto lines = rig.Take("cmd");
    ASSERT_EQ(lines.size(), 11u);  // request, acknowledge, nine blocks
    EXPECT_EQ(lines[1].bytes[4], 1);

    // An acknowledge-read length beyond the report is held to the report.
    buffer[0] = 0x04;
    buffer[1] = 0xF5;
    buffer[8] = 0x09;
    EXPECT_TRUE(rig.manager.ReadFeatureBlocks(buffer, sizeof buffer, 4096));
}

TEST_F(ManagerTest, ReadFeatureBlocksFailsOnASlowBlockOrNoAcknowledge)
{
    rig.sim->Plug(k104, 0);
    rig.Select(kK104);
    uint8_t buffer[kColourReadSize] = {0x04, 0xF5, 0, 0, 0, 0, 0, 0, 0x09};
    SimFaults f;
    f.lateAnswerMs = 361;
    rig.sim->SetFaults(k104, f);
    EXPECT_FALSE(rig.manager.ReadFeatureBlocks(buffer, sizeof buffer, 65));
    f.lateAnswerMs = 0;
    f.nack = 1;
    f.nackValue = 0;
    rig.sim->SetFaults(k104, f);
    buffer[0] = 0x04;
    buffer[1] = 0xF5;
    EXPECT_FALSE(rig.manager.ReadFeatureBlocks(buffer, sizeof buffer, 65));
    EXPECT_FALSE(rig.manager.IsBusy());
    EXPECT_FALSE(rig.manager.ReadFeatureBlocks(buffer, 100, 65));  // buffer too small
}

// --- ExchangeReport and ProbeReceiver ----------------------------------------------

TEST_F(ManagerTest, ExchangeReportChecksumAndEchoMatching)
{
    rig.sim->Plug(k104, 2);
    rig.sim->SetBattery(k104, 0x57);
    rig.Select(kK104);
    struct Case {
        int strayAnswers;
        bool result;
        size_t reads;
    };
    for (const Case c : {Case{0, true, 1}, Case{5, true, 6}, Case{19, true, 20}, Case{20, false, 20}}) {
        SCOPED_TRACE(c.strayAnswers);
        SimFaults f;
        f.wrongEcho = c.strayAnswers;
        rig.sim->SetFaults(k104, f);
        uint8_t buffer[kReceiverBufferSize] = {0, 0x20, 0x01};
        rig.Take();
        EXPECT_EQ(rig.manager.ExchangeReport(buffer, kReceiverBufferSize), c.result);
        const auto lines = rig.Take("rcv");
        ASSERT_EQ(lines.size(), 1 + c.reads);
        ASSERT_EQ(lines[0].bytes.size(), 33u);
        EXPECT_EQ(lines[0].bytes, Bytes("00 20 01 00" + std::string(56, '0') + "21"));  // checksum 0x21
        if (c.result) {
            EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 4), Bytes("20 01 00 57"));
        }
    }
}

TEST_F(ManagerTest, ExchangeReportWithoutAnAnswerTakesItsTwentyAttempts)
{
    rig.sim->Plug(k104, 2);
    rig.Select(kK104);
    SimFaults f;
    f.noAnswer = -1;
    rig.sim->SetFaults(k104, f);
    uint8_t buffer[kReceiverBufferSize] = {0, 0x1F};
    const auto start = rig.clock.Now();
    EXPECT_FALSE(rig.manager.ExchangeReport(buffer, kReceiverBufferSize));
    EXPECT_EQ(int(ElapsedMs(start, rig.clock.Now())), 5 + 20 * (5 + 10));
    EXPECT_FALSE(rig.manager.IsBusy());
}

TEST_F(ManagerTest, ProbeFindsTheKeyboardBehindTheReceiverOnlyWhenLinked)
{
    rig.sim->Plug(k104, 2);
    rig.sim->SetLinked(k104, false);
    rig.Select(kK104);
    EXPECT_EQ(rig.manager.GetDeviceState(0x3A7E, 0x2104, u"Varnet 2.4G Receiver"_qs, 2), 0);
    const auto lines = rig.Take("rcv");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].bytes, Bytes("00 02" + std::string(60, '0') + "02"));
    rig.sim->SetLinked(k104, true);
    rig.Select(kK104);
    EXPECT_EQ(rig.manager.GetDeviceState(0x3A7E, 0x2104, u"Varnet 2.4G Receiver"_qs, 2), 1);
}

// --- SendScreenBlock -----------------------------------------------------------

TEST_F(ManagerTest, ScreenBlockResultIsWhetherItWasWritten)
{
    rig.sim->Plug(k75, 0);
    rig.Select(kK75);
    std::vector<uint8_t> block(kScreenBlockSize, 0x5A);
    // Announce a one-block upload so that the keyboard takes the block.
    const std::vector<uint8_t> begin = Pad({0x04, 0x18});
    const std::vector<uint8_t> announce = Pad({0x04, 0x72, 0x01, 0, 0, 0, 0, 0, 0x01, 0x00});
    ASSERT_TRUE(rig.manager.SendFeature(begin.data(), 65, true));
    ASSERT_TRUE(rig.manager.SendFeature(announce.data(), 65, true));
    rig.Take();
    EXPECT_TRUE(rig.manager.SendScreenBlock(block.data()));
    const auto lines = rig.Take("scr");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].op, "write");
    EXPECT_EQ(lines[0].bytes.size(), 4097u);
    EXPECT_EQ(lines[1].op, "read");

    // The keyboard goes away: the write fails and so does the block.
    rig.sim->Unplug(k75, 0);
    EXPECT_FALSE(rig.manager.SendScreenBlock(block.data()));
    // No screen interface at all.
    rig.sim->Plug(k87, 0);
    rig.Select(kK87);
    EXPECT_FALSE(rig.manager.SendScreenBlock(block.data()));
}

// --- threads ---------------------------------------------------------------------

TEST(ManagerThreads, UiThreadCallsInterleaveWithTheWorkerSafely)
{
    SimRig rig;
    const int k104 = rig.Add(kK104);
    rig.sim->Plug(k104, 0);
    rig.sim->Plug(k104, 2);
    rig.Select(kK104);
    std::atomic<bool> stop{false};
    std::thread ui([&] {
        int release = 0;
        while (!stop.load()) {
            rig.manager.SetCurrentDeviceType(kK104);
            rig.manager.GetFirmwareRelease(release);
            rig.manager.GetConnectMode();
            rig.manager.SetCommandDelay(5);
        }
    });
    std::thread plugger([&] {
        for (int i = 0; i < 50; ++i) {
            rig.sim->Unplug(k104, 2);
            rig.sim->Plug(k104, 2);
            rig.sim->SetBattery(k104, i);
        }
    });
    const std::vector<uint8_t> begin = Pad({0x04, 0x18});
    for (int i = 0; i < 50; ++i) {
        rig.manager.SendFeature(begin.data(), 65, true);
        if (i % 10 == 0) rig.manager.Refresh();
    }
    plugger.join();
    stop = true;
    ui.join();
    EXPECT_FALSE(rig.manager.IsBusy());
}

}  // namespace

// The simulated keyboards as the catalogue describes them: their interfaces,
// hot-plug notices, link and key notifications, the errors recorded for
// malformed transactions, misbehaviour switches, and the trace format.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <thread>

#include "link/report_sizes.h"
#include "sim/sim_setup.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

CString DataFolder() { return QString::fromUtf8(VARNET_SOURCE_DIR) + u"/data"_qs; }

Catalogue RealCatalogue()
{
    Catalogue c;
    EXPECT_TRUE(ReadCatalogue(DataFolder() + u"/config.xml"_qs, DataFolder(), c));
    return c;
}

struct Notices : DeviceChangeSink {
    std::vector<std::pair<bool, CString>> seen;
    void OnDeviceChange(bool arrival, const CString& name) override { seen.emplace_back(arrival, name); }
};

TEST(SimModels, TheTestMirrorIsTheShippedCatalogue)
{
    const Catalogue real = RealCatalogue();
    const Catalogue mirror = ShippedCatalogue();
    ASSERT_EQ(real.modes.size(), mirror.modes.size());
    for (size_t i = 0; i < real.modes.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(real.modes[i].deviceType, mirror.modes[i].deviceType);
        EXPECT_EQ(real.modes[i].mode, mirror.modes[i].mode);
        EXPECT_EQ(real.modes[i].vendorId, mirror.modes[i].vendorId);
        EXPECT_EQ(real.modes[i].productId, mirror.modes[i].productId);
        EXPECT_EQ(real.modes[i].name, mirror.modes[i].name);
        EXPECT_EQ(real.modes[i].hidInterface, mirror.modes[i].hidInterface);
    }
}

TEST(SimModels, InterfacesOfTheShippedKeyboards)
{
    const Catalogue catalogue = RealCatalogue();
    const std::vector<SimModel> models = LoadSimModels(catalogue, DataFolder());
    ASSERT_EQ(models.size(), 3u);
    auto sim = SimBackend::Create();
    for (const SimModel& m : models) sim->AddKeyboard(m);
    for (int k = 0; k < 3; ++k)
        for (int mode : {0, 1, 2}) sim->Plug(k, mode);

    // kind, MI, usage page, input/output/feature lengths, per connection.
    struct Iface {
        const char* kind;
        int number;
        int page;
        int in, out, feature;
    };
    const std::vector<Iface> cable = {{"keyboard", 0, 0x01, 9, 2, 0}, {"consumer", 1, 0x0C, 3, 0, 0},
                                      {"notify", 1, 0xFFFF, 65, 0, 0}, {"command", 2, 0xFF00, 0, 0, 65}};
    const std::vector<Iface> receiver = {{"keyboard", 0, 0x01, 9, 2, 0}, {"consumer", 1, 0x0C, 3, 0, 0},
                                         {"notify", 1, 0xFFFF, 65, 0, 0}, {"receiver", 2, 0xFF00, 33, 33, 0}};
    const std::vector<Iface> bluetooth = {{"keyboard", -1, 0x01, 9, 2, 0}, {"command", -1, 0xFF00, 0, 0, 65}};
    const std::vector<Iface> screenCable = {{"keyboard", 0, 0x01, 9, 2, 0}, {"consumer", 1, 0x0C, 3, 0, 0},
                                            {"notify", 1, 0xFFFF, 65, 0, 0}, {"screen", 2, 0xFF00, 4097, 4097, 0},
                                            {"command", 3, 0xFF00, 0, 0, 65}};
    const struct {
        int keyboard, mode;
        const std::vector<Iface>* interfaces;
        unsigned pid;
        const char* product;
    } expected[] = {{0, 0, &cable, 0x0104, "Varnet K104"},      {0, 2, &receiver, 0x2104, "Varnet 2.4G Receiver"},
                    {0, 1, &bluetooth, 0xB104, "Varnet K104 BT"}, {1, 0, &screenCable, 0x0075, "Varnet K75"},
                    {1, 2, &receiver, 0x2075, "Varnet 2.4G Receiver"}, {2, 0, &cable, 0x0087, "Varnet K87"}};

    const std::vector<SimInterfaceState> all = sim->Interfaces();
    const std::vector<HidInterfaceInfo> listed = sim->Enumerate();
    EXPECT_EQ(listed.size(), all.size());
    size_t at = 0;
    for (const auto& e : expected) {
        SCOPED_TRACE(testing::Message() << e.keyboard << "/" << e.mode);
        for (const Iface& want : *e.interfaces) {
            ASSERT_LT(at, all.size());
            const SimInterfaceState& s = all[at];
            const HidInterfaceInfo& info = listed[at];
            ++at;
            EXPECT_EQ(s.keyboard, e.keyboard);
            EXPECT_EQ(s.mode, e.mode);
            EXPECT_STREQ(SimInterfaceKindName(s.desc.kind), want.kind);
            EXPECT_EQ(info.interfaceNumber, want.number);
            EXPECT_EQ(info.usagePage, want.page);
            EXPECT_EQ(s.desc.lengths.input, want.in);
            EXPECT_EQ(s.desc.lengths.output, want.out);
            EXPECT_EQ(s.desc.lengths.feature, want.feature);
            EXPECT_EQ(info.vendorId, 0x3A7E);
            EXPECT_EQ(info.productId, e.pid);
            EXPECT_EQ(info.productName, QString::fromLatin1(e.product));
        }
    }
    EXPECT_EQ(at, all.size());
    // The layout's firmware version as the cable's release: vn104 names 108.
    EXPECT_EQ(listed[0].release, 0x0108);
}

TEST(SimHotPlug, NoticesCarryTheWindowsFormName)
{
    const Catalogue catalogue = RealCatalogue();
    auto sim = SimBackend::Create();
    SetUpSimulator(*sim, LoadSimModels(catalogue, DataFolder()), SimChoice{101, {}});
    Notices notices;
    sim->SetDeviceChangeSink(&notices);
    ASSERT_TRUE(sim->SwitchMode(0, 2));
    // Cable removed (four interfaces), receiver arrived (four).
    ASSERT_EQ(notices.seen.size(), 8u);
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(notices.seen[i].first, i >= 4);
        EXPECT_EQ(notices.seen[i].second, notices.seen[i].second.toUpper());
    }
    EXPECT_TRUE(notices.seen[3].second.contains(u"VID_3A7E&PID_0104&MI_02"_qs));
    EXPECT_TRUE(notices.seen[7].second.contains(u"VID_3A7E&PID_2104&MI_02"_qs));
    EXPECT_TRUE(notices.seen[6].second.contains(u"VID_3A7E&PID_2104&MI_01&COL02"_qs));
    notices.seen.clear();
    sim->PlugInterface(0, 2, 3, false);
    ASSERT_EQ(notices.seen.size(), 1u);
    EXPECT_FALSE(notices.seen[0].first);
    sim->SetDeviceChangeSink(nullptr);
    sim->Plug(0, 1);
    EXPECT_EQ(notices.seen.size(), 1u);
}

TEST(SimNotifications, LinkAndKeyActionReports)
{
    SimRig rig;
    const int kb = rig.Add(kK104);
    rig.sim->Plug(kb, 2);
    rig.Select(kK104);
    uint8_t report[kNotifyReportSize] = {};
    EXPECT_EQ(rig.manager.ReadNotification(report, sizeof report, 10), 0);  // nothing yet
    rig.sim->SetLinked(kb, false);
    ASSERT_EQ(rig.manager.ReadNotification(report, sizeof report, 10), 65);
    EXPECT_EQ(std::vector<uint8_t>(report, report + 4), Bytes("05 A6 FE 02"));
    rig.sim->SetLinked(kb, true);
    ASSERT_EQ(rig.manager.ReadNotification(report, sizeof report, 10), 65);
    EXPECT_EQ(std::vector<uint8_t>(report, report + 4), Bytes("05 A6 FF 01"));
    ASSERT_TRUE(rig.sim->ReportKeyAction(kb, 9));
    ASSERT_EQ(rig.manager.ReadNotification(report, sizeof report, 10), 65);
    EXPECT_EQ(std::vector<uint8_t>(report, report + 4), Bytes("05 02 09 00"));
    const auto lines = rig.Take("ntf");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].op, "read");
    EXPECT_EQ(lines[0].bytes.size(), 65u);
    // With the keyboard off, nothing reaches the computer.
    rig.sim->SetLinked(kb, false);
    rig.manager.ReadNotification(report, sizeof report, 10);
    rig.sim->Unplug(kb, 2);
    EXPECT_FALSE(rig.sim->ReportKeyAction(kb, 9));
}

// --- malformed transactions ------------------------------------------------------

struct Malformed {
    const char* name;
    std::vector<std::vector<uint8_t>> payloads;  // cable payloads in order
};

TEST(SimFirmware, MalformedCableTransactionsAreIgnoredAndRecorded)
{
    SimModel model = SimModelFromCatalogue(ShippedCatalogue(), kK104, ShippedLayout(kK104));
    std::vector<uint8_t> settings = Pad(Bytes("00 01 01 01 01 01 05 00 03"));
    std::vector<uint8_t> noTrailer = settings;
    settings[62] = 0xAA;
    settings[63] = 0x55;
    const std::vector<uint8_t> begin = Pad(Bytes("04 18")), end = Pad(Bytes("04 02"));
    const std::vector<uint8_t> announce = Pad(Bytes("04 17 01 00 00 00 00 00 01"));
    const Malformed cases[] = {
        {"data outside a transaction", {settings}},
        {"announce without ConfigBegin", {announce, settings, end}},
        {"wrong packet count", {begin, Pad(Bytes("04 17 01 00 00 00 00 00 02")), settings, settings, end}},
        {"missing trailer", {begin, announce, noTrailer, end}},
        // A data packet is never read as framing: the ConfigEnd becomes the
        // data, and the open transaction is dropped by the next one.
        {"ConfigEnd in place of the data", {begin, announce, end, begin}},
        {"unknown block type", {begin, Pad(Bytes("04 66 00 00 00 00 00 00 01")), settings, end}},
        {"macro block in a plain transaction", {begin, Pad(Bytes("04 15 00 00 00 00 00 00 08")), end}},
        {"ConfigFinal alone", {Pad(Bytes("04 F0"))}},
        {"screen upload to a keyboard without a screen", {begin, Pad(Bytes("04 72 01 00 00 00 00 00 01")), end}},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.name);
        SimFirmware fw(model);
        const SimSettings before = fw.Memory().settings;
        for (const std::vector<uint8_t>& p : c.payloads) fw.OnFeatureReport(0, p.data());
        EXPECT_GT(fw.ErrorCount(), 0);
        EXPECT_EQ(fw.Memory().settings.sleepTime, before.sleepTime);
    }
    // The same packets in the right order are taken.
    SimFirmware fw(model);
    for (const auto& p : {begin, announce, settings, end}) fw.OnFeatureReport(0, p.data());
    EXPECT_EQ(fw.ErrorCount(), 0);
    EXPECT_EQ(fw.Memory().settings.sleepTime, 5);
    uint8_t answer[64];
    fw.NextFeatureAnswer(0, answer);
    EXPECT_EQ(answer[3], 1);
}

std::vector<uint8_t> ReceiverReport(const std::string& hex, bool goodChecksum = true)
{
    std::vector<uint8_t> r = Pad(Bytes("00" + hex), 33);
    unsigned sum = 0;
    for (int i = 0; i < 32; ++i) sum += r[size_t(i)];
    r[32] = uint8_t(sum + (goodChecksum ? 0 : 1));
    return r;
}

TEST(SimFirmware, MalformedReceiverRequestsGetNoAnswer)
{
    SimModel model = SimModelFromCatalogue(ShippedCatalogue(), kK104, ShippedLayout(kK104));
    const struct {
        const char* name;
        std::vector<std::vector<uint8_t>> reports;
    } cases[] = {
        {"bad checksum", {ReceiverReport("20 01", false)}},
        {"unknown command", {ReceiverReport("42 01")}},
        {"chunk out of order", {ReceiverReport("10 1C 00"), ReceiverReport("10 1C 02")}},
        {"settings without trailer", {ReceiverReport("07 10 00 00 01")}},
        {"side light out of range", {ReceiverReport("05 01 00 05 00 00 00 00 00 00 00 00 00 00 00 00 00 AA 55")}},
        {"key entry beyond the key map", {ReceiverReport("03 04 90 02 00 04 00")}},
        {"screen chunk without its start", {ReceiverReport("80 00 00")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimFirmware fw(model);
        uint8_t answer[32];
        bool last = true;
        for (const auto& r : c.reports) last = fw.OnReceiverReport(r.data(), answer);
        EXPECT_FALSE(last);
        EXPECT_GT(fw.ErrorCount(), 0);
    }
    SimFirmware fw(model);
    uint8_t answer[32];
    ASSERT_TRUE(fw.OnReceiverReport(ReceiverReport("20 01").data(), answer));
    EXPECT_EQ(std::vector<uint8_t>(answer, answer + 4), Bytes("20 01 00 50"));  // 80 % at start
    fw.Memory().linked = false;
    EXPECT_FALSE(fw.OnReceiverReport(ReceiverReport("20 01").data(), answer));
    EXPECT_EQ(fw.ErrorCount(), 0);  // an absent keyboard is not an error
}

// --- misbehaviour ------------------------------------------------------------------

TEST(SimFaults, LateAndGarbageAnswers)
{
    SimRig rig;
    const int kb = rig.Add(kK104);
    rig.sim->Plug(kb, 2);
    rig.Select(kK104);
    uint8_t buffer[kReceiverBufferSize] = {0, 0x20, 0x01};
    SimFaults f;
    f.lateAnswerMs = 100;  // within the 20 attempts of 15 ms
    rig.sim->SetFaults(kb, f);
    EXPECT_TRUE(rig.manager.ExchangeReport(buffer, kReceiverBufferSize));
    f.lateAnswerMs = 400;  // beyond them
    rig.sim->SetFaults(kb, f);
    buffer[0] = 0;
    buffer[1] = 0x20;
    buffer[2] = 0x01;
    EXPECT_FALSE(rig.manager.ExchangeReport(buffer, kReceiverBufferSize));

    f = SimFaults{};
    f.garbage = -1;
    rig.sim->SetFaults(kb, f);
    for (int i = 0; i < 20; ++i) {
        uint8_t b[kReceiverBufferSize] = {0, 0x20, 0x01};
        rig.manager.ExchangeReport(b, kReceiverBufferSize);  // whatever comes back, nothing breaks
    }
    EXPECT_FALSE(rig.manager.IsBusy());
}

TEST(SimFaults, CountsRunOut)
{
    SimRig rig;
    const int kb = rig.Add(kK87);
    rig.sim->Plug(kb, 0);
    rig.Select(kK87);
    SimFaults f;
    f.noAnswer = 2;
    rig.sim->SetFaults(kb, f);
    const std::vector<uint8_t> begin = Pad(Bytes("04 18"));
    EXPECT_FALSE(rig.manager.SendFeature(begin.data(), 65, true));
    EXPECT_FALSE(rig.manager.SendFeature(begin.data(), 65, true));
    EXPECT_TRUE(rig.manager.SendFeature(begin.data(), 65, true));
    EXPECT_EQ(rig.sim->Faults(kb).noAnswer, 0);
}

// --- trace ---------------------------------------------------------------------

TEST(SimTrace, FileLinesHaveTheDocumentedForm)
{
    QTemporaryDir dir;
    const std::string path = (dir.path() + u"/t.txt"_qs).toStdString();
    SimRig rig;
    ASSERT_TRUE(rig.trace->OpenFile(path));
    const int kb = rig.Add(kK75);
    rig.sim->Plug(kb, 0);
    rig.sim->Plug(kb, 2);
    rig.Select(kK75);
    const std::vector<uint8_t> begin = Pad(Bytes("04 18"));
    rig.manager.SendFeature(begin.data(), 65, true);

    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    const QRegularExpression form(u"^\\d+ (cmd|rcv|scr|ntf) (set-feature|get-feature|write|read) ([0-9a-f]{2})+$"_qs);
    for (const QString& l : lines) EXPECT_TRUE(form.match(l).hasMatch()) << l.toStdString();
    // The receiver probe of the refresh, then the framing packet and its acknowledge.
    EXPECT_TRUE(lines.first().contains(u" rcv write 0002"_qs));
    EXPECT_TRUE(lines[lines.size() - 2].endsWith(u" cmd set-feature 000418"_qs + QString(124, u'0')));
    SimTraceLine parsed;
    ASSERT_TRUE(SimTrace::ParseLine(lines.last().toStdString(), parsed));
    EXPECT_EQ(parsed.op, "get-feature");
    EXPECT_EQ(parsed.bytes.size(), 65u);
    EXPECT_EQ(parsed.bytes[4], 1);
}

// --- threads -------------------------------------------------------------------

TEST(SimThreads, ReadsWaitForReportsFromOtherThreads)
{
    // The real clock: a notify read waits while another thread links the keyboard.
    auto sim = SimBackend::Create();
    const int kb = sim->AddKeyboard(SimModelFromCatalogue(ShippedCatalogue(), kK104, ShippedLayout(kK104)));
    sim->Plug(kb, 2);
    HidDeviceManager manager(sim);
    for (const DeviceEntry& m : ShippedCatalogue().modes)
        manager.AddKnownDevice(m.vendorId, m.productId, m.name, m.deviceType, m.mode);
    manager.Refresh();
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        sim->SetLinked(kb, false);
    });
    uint8_t report[kNotifyReportSize] = {};
    const int got = manager.ReadNotification(report, sizeof report, 2000);
    other.join();
    EXPECT_EQ(got, 65);
    EXPECT_EQ(report[2], 0xFE);
}

}  // namespace

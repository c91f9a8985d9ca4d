// varnetctl's device commands run as a program: send with the simulator and
// its trace file, devices, and sim driving a simulator through its socket.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "sim/sim_control_server.h"
#include "sim/sim_setup.h"
#include "tests/link/link_test_support.h"

using namespace linktest;

namespace {

QString Tool() { return QString::fromUtf8(VARNET_BIN_DIR) + u"/varnetctl"_qs; }

struct ToolRun {
    int code = -1;
    QString out, err;
};

ToolRun Varnetctl(const QStringList& args)
{
    QProcess p;
    p.start(Tool(), args);
    ToolRun r;
    if (!p.waitForFinished(60000)) return r;
    r.code = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

std::vector<SimTraceLine> ReadTrace(const QString& path)
{
    std::vector<SimTraceLine> lines;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return lines;
    for (const QByteArray& l : f.readAll().split('\n')) {
        SimTraceLine line;
        if (SimTrace::ParseLine(l.toStdString(), line)) lines.push_back(line);
    }
    return lines;
}

class VarnetctlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(Tool())) GTEST_SKIP() << "varnetctl not built";
    }
    QString TracePath(const QString& name) const { return dir.path() + u"/"_qs + name; }
    QTemporaryDir dir;
};

TEST_F(VarnetctlTest, SendShowsTheReportsOfEachForm)
{
    const QStringList settings = {u"send"_qs, u"settings"_qs, u"alttab=1"_qs, u"sleep=5"_qs, u"respond=3"_qs};
    // Cable: the framing, the announce, the packet, ConfigEnd, with their acknowledges.
    ToolRun r = Varnetctl(settings + QStringList{u"--simulate=vn87:cable"_qs, u"--sim-trace"_qs, TracePath(u"c"_qs)});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    std::vector<SimTraceLine> lines = ReadTrace(TracePath(u"c"_qs));
    const char* ops[] = {"set-feature", "get-feature", "set-feature", "get-feature", "set-feature", "set-feature", "get-feature"};
    ASSERT_EQ(lines.size(), std::size(ops));
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].iface, "cmd");
        EXPECT_EQ(lines[i].op, ops[i]);
    }
    EXPECT_EQ(PayloadOf(lines[0]), Pad(Bytes("04 18")));
    EXPECT_EQ(PayloadOf(lines[2]), Pad(Bytes("04 17 01 00 00 00 00 00 01")));
    std::vector<uint8_t> packet = Pad(Bytes("00 01 01 00 00 00 05 00 03"));
    packet[62] = 0xAA;
    packet[63] = 0x55;
    EXPECT_EQ(PayloadOf(lines[4]), packet);
    EXPECT_EQ(PayloadOf(lines[5]), Pad(Bytes("04 02")));
    // The vn87 layout's command delay of 10 ms sits between the reports.
    EXPECT_GE(lines[1].micros - lines[0].micros, 10000);

    // Receiver: one request and its answer.
    r = Varnetctl(settings + QStringList{u"--simulate=vn104:receiver"_qs, u"--sim-trace"_qs, TracePath(u"r"_qs)});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    lines = ReadTrace(TracePath(u"r"_qs));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].iface, "rcv");
    EXPECT_EQ(lines[0].op, "write");
    EXPECT_EQ(std::vector<uint8_t>(lines[0].bytes.begin(), lines[0].bytes.begin() + 20),
              Bytes("00 07 10 00 00 01 01 00 00 00 05 00 03 00 00 00 00 00 AA 55"));
    EXPECT_EQ(lines[1].op, "read");

    // Bluetooth: nothing.
    r = Varnetctl(settings + QStringList{u"--simulate=vn104:bluetooth"_qs, u"--sim-trace"_qs, TracePath(u"b"_qs)});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(u"skipped"_qs));
    EXPECT_TRUE(ReadTrace(TracePath(u"b"_qs)).empty());
}

TEST_F(VarnetctlTest, EveryCommandCanBeSent)
{
    struct Case {
        const char* desc;
        QStringList args;
    };
    const Case cases[] = {
        {"vn75:cable", {u"clock"_qs, u"slot=2"_qs, u"time=2025-12-31T23:59:58"_qs}},
        {"vn104:cable", {u"keymap"_qs, u"04=2:0x05"_qs, u"fn.29=6:1"_qs}},
        {"vn104:receiver", {u"keyentry"_qs, u"key=04"_qs, u"assign=2:0x05"_qs}},
        {"vn104:receiver", {u"resetkeymap"_qs}},
        {"vn104:cable", {u"macros"_qs, u"macro=1:2/65/20,3/65/20"_qs, u"macro2=2:"_qs}},
        {"vn104:cable", {u"light"_qs, u"mode=3"_qs, u"color=FF8000"_qs, u"brightness=4"_qs}},
        {"vn104:receiver", {u"sidelight"_qs, u"value=35"_qs}},
        {"vn87:cable", {u"userlight"_qs, u"all=FFFFFF"_qs}},
        {"vn75:cable", {u"screen"_qs, u"slot=1"_qs, u"frames=2"_qs}},
        {"vn104:cable", {u"readcolours"_qs}},
        {"vn104:cable", {u"liveframe"_qs, u"all=00FF00"_qs}},
        {"vn104:receiver", {u"musicframe"_qs, u"heights=1,2,3,9"_qs}},
        {"vn75:receiver", {u"resetall"_qs}},
        {"vn75:receiver", {u"battery"_qs}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const QString trace = TracePath(QString::number(++n));
        const ToolRun r = Varnetctl(QStringList{u"send"_qs} + c.args +
                                QStringList{u"--simulate="_qs + QString::fromLatin1(c.desc), u"--sim-trace"_qs, trace});
        EXPECT_EQ(r.code, 0) << r.out.toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(u": done"_qs)) << r.out.toStdString();
        EXPECT_FALSE(ReadTrace(trace).empty());
    }
    // Mistakes are told, not sent.
    EXPECT_EQ(Varnetctl({u"send"_qs, u"settings"_qs, u"colour=1"_qs, u"--simulate"_qs}).code, 2);
    EXPECT_EQ(Varnetctl({u"send"_qs, u"settings"_qs, u"sleep=x"_qs, u"--simulate"_qs}).code, 2);
    EXPECT_EQ(Varnetctl({u"send"_qs, u"nothing"_qs, u"--simulate"_qs}).code, 2);
    EXPECT_EQ(Varnetctl({u"send"_qs, u"settings"_qs, u"--simulate=vn999"_qs}).code, 1);
}

TEST_F(VarnetctlTest, DevicesListsTheClassification)
{
    const ToolRun r = Varnetctl({u"devices"_qs, u"--json"_qs, u"--simulate=vn75:cable,receiver"_qs});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonArray list = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(list.size(), 9);
    QStringList roles;
    for (const QJsonValue& v : list) roles << v.toObject()[u"role"_qs].toString();
    EXPECT_EQ(roles, (QStringList{u"closed"_qs, u"closed"_qs, u"notify"_qs, u"screen"_qs, u"command"_qs,
                                  u"closed"_qs, u"closed"_qs, u"notify"_qs, u"receiver"_qs}));
    // On the machine's own hidraw devices it runs without error, keyboard or not.
    EXPECT_EQ(Varnetctl({u"devices"_qs}).code, 0);
}

TEST_F(VarnetctlTest, SimCommandsDriveASimulatorThroughItsSocket)
{
    auto sim = SimBackend::Create();
    const Catalogue catalogue = [] {
        Catalogue c;
        const QString data = QString::fromUtf8(VARNET_SOURCE_DIR) + u"/data"_qs;
        ReadCatalogue(data + u"/config.xml"_qs, data, c);
        return c;
    }();
    SetUpSimulator(*sim, LoadSimModels(catalogue, QString::fromUtf8(VARNET_SOURCE_DIR) + u"/data"_qs), SimChoice{101, {0}});
    SimControlServer server(sim);
    const QString socket = dir.path() + u"/sim.sock"_qs;
    ASSERT_TRUE(server.Start(socket.toStdString()));
    auto sim_ = [&](const QStringList& words) {
        return Varnetctl(QStringList{u"sim"_qs, u"--sim-socket"_qs, socket} + words);
    };
    EXPECT_EQ(sim_({u"mode"_qs, u"receiver"_qs}).code, 0);
    EXPECT_EQ(sim_({u"battery"_qs, u"42"_qs}).code, 0);
    EXPECT_EQ(sim_({u"unlink"_qs}).code, 0);
    EXPECT_EQ(sim_({u"fault"_qs, u"busy"_qs, u"3"_qs}).code, 0);
    EXPECT_EQ(sim_({u"unplug"_qs, u"receiver"_qs, u"3"_qs}).code, 0);
    EXPECT_EQ(sim.get()->Memory(0).battery, 42);
    EXPECT_FALSE(sim->Memory(0).linked);
    EXPECT_EQ(sim->Faults(0).busy, 3);
    int plugged = 0;
    for (const SimInterfaceState& s : sim->Interfaces()) plugged += s.plugged;
    EXPECT_EQ(plugged, 3);  // the receiver without its command interface

    const ToolRun status = sim_({u"status"_qs});
    EXPECT_EQ(status.code, 0);
    EXPECT_TRUE(status.out.contains(u"battery 42 unlinked"_qs)) << status.out.toStdString();
    const ToolRun bad = sim_({u"plug"_qs, u"carrier-pigeon"_qs});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.startsWith(u"error:"_qs));
    server.Stop();
    EXPECT_EQ(sim_({u"status"_qs}).code, 1);  // nobody listening
}

TEST_F(VarnetctlTest, SimServeRunsUntilAskedToQuit)
{
    const QString socket = dir.path() + u"/serve.sock"_qs;
    QProcess serve;
    serve.start(Tool(), {u"sim"_qs, u"serve"_qs, u"--simulate=vn87"_qs, u"--sim-socket"_qs, socket});
    ASSERT_TRUE(serve.waitForReadyRead(10000));
    EXPECT_TRUE(QString::fromUtf8(serve.readAllStandardOutput()).contains(u"listening"_qs));
    const ToolRun key = Varnetctl({u"sim"_qs, u"--sim-socket"_qs, socket, u"key"_qs, u"7"_qs});
    EXPECT_EQ(key.code, 0) << key.err.toStdString();
    EXPECT_EQ(Varnetctl({u"sim"_qs, u"--sim-socket"_qs, socket, u"quit"_qs}).code, 0);
    EXPECT_TRUE(serve.waitForFinished(5000));
    EXPECT_EQ(serve.exitCode(), 0);
}

}  // namespace

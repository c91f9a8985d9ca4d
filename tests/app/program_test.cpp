// The program started as a process, in a home of its own (XDG folders in a
// temporary folder): one instance, the language of a first start, the data
// folder's "edit" emptied at every start, a data folder that cannot be made.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstring>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "tests/app/app_test_support.h"
#include "tests/app/child_program.h"

using namespace apptest;

namespace {

QString Program() { return QString::fromUtf8(VARNET_BIN_DIR) + u"/varnet"_qs; }

const QString kRunningLine = u"running the main window"_qs;
const QString kActivatedLine = u"asked this instance to show its window"_qs;
const QString kDataFolderLine = u"cannot create the data folder"_qs;

struct RunResult {
    bool finished = false;
    int code = -1;
    QString err;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(Program())) GTEST_SKIP() << "varnet not built";
        QDir().mkpath(Runtime());
        QFile::setPermissions(Runtime(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    QString Home() const { return home.path(); }
    QString Runtime() const { return Home() + u"/run"_qs; }
    QString DataFolder() const { return Home() + u"/data/Varnet Files/"_qs; }
    QString SettingsPath() const { return Home() + u"/config/Varnet.ini"_qs; }
    QString SocketPath() const { return Runtime() + u"/Varnet.instance"_qs; }
    QString StoredLcid() const
    {
        return QSettings(SettingsPath(), QSettings::IniFormat).value(u"LCID"_qs).toString();
    }

    QProcessEnvironment Environment(const QString& locale = u"en_US.UTF-8"_qs) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"LANG"_qs, locale);
        env.insert(u"HOME"_qs, Home());
        env.insert(u"XDG_DATA_HOME"_qs, Home() + u"/data"_qs);
        env.insert(u"XDG_CONFIG_HOME"_qs, Home() + u"/config"_qs);
        env.insert(u"XDG_RUNTIME_DIR"_qs, Runtime());
        return env;
    }

    RunResult Run(const QStringList& args, const QProcessEnvironment& env)
    {
        ChildProgram p;
        RunResult r;
        if (!p.Start(Program(), args, env)) return r;
        r.finished = p.WaitForEnd(30000);
        r.code = p.ExitCode();
        r.err = p.Error();
        return r;
    }
    // One start that ends on its own as soon as it has started.
    RunResult RunOnce(const QProcessEnvironment& env, QStringList extra = {})
    {
        return Run(extra << u"--exit-after"_qs << u"0"_qs, env);
    }

    QTemporaryDir home;
};

TEST_F(ProgramTest, ASecondStartActivatesTheFirstAndEndsSilently)
{
    ChildProgram first;
    ASSERT_TRUE(first.Start(Program(), {u"--simulate"_qs, u"--exit-after"_qs, u"60000"_qs}, Environment()));
    ASSERT_TRUE(first.WaitForError(kRunningLine)) << qPrintable(first.Error());
    // Left after the first start's clean-up: a second start must not touch it.
    WriteBytes(DataFolder() + u"edit/marker"_qs, "x");

    const QStringList secondStarts[] = {{u"-hide"_qs}, {}, {u"please"_qs, u"autohide"_qs}};
    int activations = 0;
    for (const QStringList& args : secondStarts) {
        SCOPED_TRACE(qPrintable(args.join(u' ')));
        const RunResult second = Run(args, Environment());
        EXPECT_TRUE(second.finished);
        EXPECT_EQ(second.code, 0);
        EXPECT_FALSE(second.err.contains(u"varnet:"_qs)) << qPrintable(second.err);
        EXPECT_TRUE(first.WaitForError(kActivatedLine, ++activations, 10000)) << qPrintable(first.Error());
    }
    EXPECT_EQ(first.Error().count(kActivatedLine), activations);
    EXPECT_TRUE(QFileInfo::exists(DataFolder() + u"edit/marker"_qs));

    first.Signal(SIGTERM);  // an orderly end
    ASSERT_TRUE(first.WaitForEnd(10000));
    EXPECT_EQ(first.ExitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(SocketPath()));
}

TEST_F(ProgramTest, ASocketLeftByACrashedInstanceDoesNotStopTheStart)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(SocketPath());
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);  // bound, never listening, never removed
    ASSERT_TRUE(QFileInfo::exists(SocketPath()));

    const RunResult r = RunOnce(Environment());
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains(kRunningLine)) << qPrintable(r.err);
    EXPECT_FALSE(r.err.contains(u"one instance"_qs)) << qPrintable(r.err);
}

TEST_F(ProgramTest, HideAnywhereOnTheCommandLineStartsHidden)
{
    struct Case {
        QStringList args;
        int showMode;
    };
    const Case cases[] = {
        {{u"-hide"_qs}, 0},
        {{u"/HIDE"_qs, u"x-hidex"_qs}, 0},
        {{u"--simulate"_qs, u"autohide"_qs}, 0},
        {{}, 5},
        {{u"-HIDE"_qs}, 5},
        {{u"--simulate"_qs}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(qPrintable(c.args.join(u' ')));
        const RunResult r = RunOnce(Environment(), c.args);
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.err.contains(u"(show mode %1)"_qs.arg(c.showMode))) << qPrintable(r.err);
    }
}

TEST_F(ProgramTest, FirstStartChoosesTheLanguageFromTheLocale)
{
    struct Case {
        const char16_t* locale;
        const char16_t* lcid;
    };
    const Case cases[] = {
        {u"zh_CN.UTF-8", u"2052"}, {u"en_US.UTF-8", u"1033"}, {u"zh_TW.UTF-8", u"1028"},
        {u"zh_HK.UTF-8", u"1028"}, {u"ja_JP.UTF-8", u"1033"}, {u"C", u"1033"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.locale).toStdString());
        QFile::remove(SettingsPath());
        const RunResult r = RunOnce(Environment(QString::fromUtf16(c.locale)));
        EXPECT_EQ(r.code, 0) << qPrintable(r.err);
        EXPECT_EQ(StoredLcid(), QString::fromUtf16(c.lcid));
    }
}

TEST_F(ProgramTest, AStoredLanguageThatIsNotOfferedGivesWayToEnglish)
{
    WriteBytes(SettingsPath(), "[General]\nLCID=1041\nexit_mode=2\n");
    RunOnce(Environment(u"zh_CN.UTF-8"_qs));
    EXPECT_EQ(StoredLcid(), u"1033"_qs);
    // Other values are left alone; a stored offered language stays.
    EXPECT_EQ(QSettings(SettingsPath(), QSettings::IniFormat).value(u"exit_mode"_qs).toString(), u"2"_qs);
    WriteBytes(SettingsPath(), "[General]\nLCID=1028\n");
    RunOnce(Environment(u"zh_CN.UTF-8"_qs));
    EXPECT_EQ(StoredLcid(), u"1028"_qs);
}

TEST_F(ProgramTest, EditIsEmptyAfterEveryStart)
{
    WriteBytes(Home() + u"/elsewhere/keep.txt"_qs, "keep");
    for (int start = 0; start < 2; ++start) {
        SCOPED_TRACE(start);
        const QString edit = DataFolder() + u"edit/"_qs;
        WriteBytes(edit + u"frame1.png"_qs, "png");
        WriteBytes(edit + u"project/frames/2.png"_qs, "png");
        QFile::link(Home() + u"/elsewhere"_qs, edit + u"link"_qs);
        const RunResult r = RunOnce(Environment());
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(QFileInfo(edit).isDir());
        EXPECT_TRUE(QDir(edit).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        EXPECT_TRUE(QFileInfo(DataFolder() + u"db"_qs).isDir());
        EXPECT_EQ(ReadBytes(Home() + u"/elsewhere/keep.txt"_qs), "keep");
    }
}

TEST_F(ProgramTest, ADataFolderThatCannotBeMadeIsReportedOnceAndTheProgramRuns)
{
    WriteBytes(Home() + u"/blocker"_qs, "a file where a folder should be");
    QProcessEnvironment env = Environment();
    env.insert(u"XDG_DATA_HOME"_qs, Home() + u"/blocker/data"_qs);
    const RunResult r = RunOnce(env);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err.count(kDataFolderLine), 1) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains(kRunningLine)) << qPrintable(r.err);
}

TEST_F(ProgramTest, GarbageSettingsAndAGarbageOptionDoNotStopTheStart)
{
    QByteArray garbage;
    for (int i = 0; i < 1024; ++i) garbage += char((i * 37 + 11) & 0xFF);
    WriteBytes(SettingsPath(), garbage);
    const RunResult r = Run({u"--exit-after"_qs, u"soon"_qs, u"--exit-after"_qs, u"0"_qs}, Environment());
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.err.contains(u"--exit-after needs a number"_qs)) << qPrintable(r.err);
    EXPECT_EQ(StoredLcid(), u"1033"_qs);
}

TEST_F(ProgramTest, TermEndsTheProgramInAnOrderlyWay)
{
    ChildProgram p;
    ASSERT_TRUE(p.Start(Program(), {u"--simulate"_qs}, Environment()));
    ASSERT_TRUE(p.WaitForError(kRunningLine)) << qPrintable(p.Error());
    QThread::msleep(200);  // let the worker run a few passes
    QElapsedTimer timer;
    timer.start();
    p.Signal(SIGTERM);
    ASSERT_TRUE(p.WaitForEnd(5000));
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_EQ(p.ExitCode(), 0);
}

// The worker's first tasks find the simulated keyboard; plugging it from
// outside (varnetctl sim, as a user's test would) changes what is current.
TEST_F(ProgramTest, SimulatedKeyboardIsFoundAndFollowsItsConnections)
{
    ChildProgram program;
    ASSERT_TRUE(program.Start(Program(), {u"--simulate=101:0,2"_qs}, Environment()));
    ASSERT_TRUE(program.WaitForError(u"keyboard connected: Varnet K104 RGB"_qs)) << qPrintable(program.Error());
    EXPECT_TRUE(program.Error().contains(u"connection: cable"_qs));
    // The chosen keyboard's store was opened in the data folder.
    EXPECT_TRUE(QFileInfo::exists(DataFolder() + u"db/vn104_datav1.db"_qs));

    const QString tool = QString::fromUtf8(VARNET_BIN_DIR) + u"/varnetctl"_qs;
    const struct {
        const char16_t* what;
        const char16_t* expected;
        int count;
    } steps[] = {
        {u"cable", u"connection: 2.4 GHz receiver", 1},
        {u"receiver", u"no keyboard connected", 1},
    };
    for (const auto& step : steps) {
        ChildProgram ctl;
        ASSERT_TRUE(ctl.Start(tool, {u"sim"_qs, u"unplug"_qs, QString::fromUtf16(step.what)}, Environment()));
        ASSERT_TRUE(ctl.WaitForEnd(10000));
        EXPECT_EQ(ctl.ExitCode(), 0) << qPrintable(ctl.Error());
        EXPECT_TRUE(program.WaitForError(QString::fromUtf16(step.expected), step.count)) << qPrintable(program.Error());
    }
    program.Signal(SIGTERM);
    ASSERT_TRUE(program.WaitForEnd(5000));
    EXPECT_EQ(program.ExitCode(), 0);
}

TEST_F(ProgramTest, SimulatingAKeyboardTheCatalogueLacksStopsTheStart)
{
    const RunResult r = RunOnce(Environment(), {u"--simulate=999"_qs});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.code, 2);
    EXPECT_FALSE(r.err.isEmpty());
}

}  // namespace

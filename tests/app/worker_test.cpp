// The worker: what each task does, which tasks are dropped without a
// keyboard (one per pass, their wait dialogs closed all the same), the idle
// work of the shown page, and the thread's period and shutdown.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include <signal.h>
#include <sys/wait.h>

#include "app/shell/shell_worker.h"
#include "platform/external_process.h"
#include "tests/app/app_test_support.h"

using namespace apptest;
using Calls = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

namespace {

int ElapsedMs(Clock::time_point since)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

class WorkerTest : public ::testing::Test {
protected:
    void SetKeyboard(bool present, bool online)
    {
        device.present = present;
        device.online = online;
    }
    // Runs one pass and gives the calls it made.
    Calls Pass()
    {
        worker.Run();
        return log.Take();
    }

    CallLog log;
    RecordingDevice device{log};
    RecordingFeatures features{log};
    RecordingWindow window{log};
    TaskQueue queue;
    ShellWorker worker{queue, device, features, window};
};

TEST_F(WorkerTest, KeyboardTasksAreDroppedOnePerPassWithTheirWaitDialogsClosed)
{
    struct Case {
        int task;
        Calls calls;  // the wait dialog the page opened is closed; nothing is sent
    };
    const Case cases[] = {
        {6, {"close-main"}},    {7, {}},   {8, {"close-main"}},    {9, {}},
        {10, {}},               {11, {"close-main"}},   {12, {}},  {13, {"close-main"}},
        {14, {"close-main"}},   {15, {"close-screen"}}, {16, {"close-upload"}},
        {17, {"close-screen"}}, {19, {}},  {20, {}},  {21, {}},  {5, {}},
    };
    // Present but offline is no better than absent.
    for (const bool present : {false, true}) {
        SCOPED_TRACE(present ? "present, offline" : "absent");
        SetKeyboard(present, false);
        for (const Case& c : cases) worker.QueueTask(c.task);
        size_t left = std::size(cases);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.task);
            EXPECT_EQ(Pass(), c.calls);
            EXPECT_EQ(worker.PendingTasks(), --left);
        }
    }
}

TEST_F(WorkerTest, EachKeyboardTaskRunsItsOperationWhenTheKeyboardAnswers)
{
    struct Case {
        int task;
        Calls calls;
    };
    const Case cases[] = {
        {5, {"reload"}},
        {6, {"keymap", "close-main"}},
        {7, {"onekey"}},
        {8, {"macros", "close-main"}},
        {9, {"light"}},
        {10, {"sidelight"}},
        {11, {"userlight", "close-main"}},
        {12, {"settings"}},
        {13, {"resetkeys", "close-main"}},
        {14, {"restore", "close-main"}},
        {15, {"savegif", "close-screen"}},
        {16, {"upload", "close-upload"}},
        {17, {"library", "close-screen"}},
        {19, {"clock"}},
        {20, {"update-software"}},
        {21, {"update-firmware"}},
        // Unused numbers are taken and ignored.
        {0, {}},
        {18, {}},
        {99, {}},
    };
    SetKeyboard(true, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.task);
        worker.QueueTask(c.task);
        EXPECT_EQ(Pass(), c.calls);
        EXPECT_EQ(worker.PendingTasks(), 0u);
    }
}

TEST_F(WorkerTest, ClosingTheMainWaitDialogIsFollowedByAPause)
{
    SetKeyboard(true, true);
    worker.QueueTask(8);
    const Clock::time_point start = Clock::now();
    worker.Run();
    EXPECT_GE(ElapsedMs(start), ShellWorker::kPauseAfterMainWaitMs);
}

TEST_F(WorkerTest, DeviceTasksRunWithoutAKeyboardAndTheFirstRefreshOnlyOnce)
{
    SetKeyboard(false, false);
    worker.QueueTask(1);
    EXPECT_EQ(Pass(), (Calls{"refresh", "select", "audio", "battery!"}));
    worker.QueueTask(1);
    EXPECT_EQ(Pass(), Calls{});
    worker.QueueTask(2);
    EXPECT_EQ(Pass(), (Calls{"refresh", "select", "battery!"}));
    worker.QueueTask(3);
    EXPECT_EQ(Pass(), (Calls{"refresh", "select"}));
    // Task 4 does task 5's work only when the keyboard answers.
    worker.QueueTask(4);
    EXPECT_EQ(Pass(), (Calls{"refresh", "select", "battery!"}));
    SetKeyboard(true, true);
    worker.QueueTask(4);
    EXPECT_EQ(Pass(), (Calls{"refresh", "select", "battery!", "reload"}));
}

TEST_F(WorkerTest, OneTaskPerPassThenIdleWork)
{
    SetKeyboard(true, true);
    worker.QueueTask(9);
    worker.QueueTask(10);
    EXPECT_EQ(Pass(), Calls{"light"});
    EXPECT_EQ(Pass(), Calls{"sidelight"});
    EXPECT_EQ(Pass(), (Calls{"battery", "notify"}));
}

TEST_F(WorkerTest, IdleWorkFollowsTheShownPage)
{
    struct Case {
        int page;
        bool present, online;
        Calls calls;
    };
    const Case cases[] = {
        {3, true, true, {"colours", "battery", "notify"}},
        {6, true, true, {"live", "battery", "notify"}},
        {7, true, true, {"music", "battery", "notify"}},
        {7, true, false, {"battery", "notify"}},  // music frames only while online
        {6, true, false, {"live", "battery", "notify"}},
        {0, true, true, {"battery", "notify"}},
        {1, true, true, {"battery", "notify"}},
        {3, false, false, {}},  // no keyboard: no idle work at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        SetKeyboard(c.present, c.online);
        worker.SetCurrentPage(c.page);
        EXPECT_EQ(Pass(), c.calls);
    }
}

TEST_F(WorkerTest, ThreadRunsPassesNoCloserThanThePeriodAndStopsAtOnce)
{
    SetKeyboard(true, true);  // every idle pass polls notifications once
    worker.StartWorker();
    std::this_thread::sleep_for(std::chrono::milliseconds(330));
    const Clock::time_point stopping = Clock::now();
    EXPECT_TRUE(worker.StopWorker());
    EXPECT_LT(ElapsedMs(stopping), 200);  // the sleep between passes is woken
    EXPECT_FALSE(worker.IsRunning());

    const size_t passes = log.Count("notify") + 1;  // the first pass ran task 1
    EXPECT_LE(passes, 330u / ShellWorker::kPeriodMs + 2);
    EXPECT_GE(passes, 3u);
    EXPECT_EQ(log.Count("audio"), 1u);
}

TEST_F(WorkerTest, WaitsForTheHandedOverProgramBeforeTheNextTask)
{
    SetKeyboard(true, true);
    const pid_t pid = StartProgram(u"/bin/sleep"_qs, {u"0.3"_qs});
    ASSERT_GT(pid, 0);
    worker.SetWaitProcess(pid);
    worker.QueueTask(9);
    const Clock::time_point start = Clock::now();
    worker.StartWorker();
    while (log.Count("light") == 0 && ElapsedMs(start) < 10000)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GE(ElapsedMs(start), 250);
    EXPECT_TRUE(worker.StopWorker());
    const Calls calls = log.Take();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 3), (Calls{"restore-window", "link", "light"}));
    EXPECT_EQ(worker.WaitProcess(), 0);
    // Reaped by the wait: nothing of it is left to wait for.
    EXPECT_EQ(::waitpid(pid, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(WorkerTest, AProgramThatCannotBeWaitedForIsSkipped)
{
    const pid_t pid = StartProgram(u"/bin/true"_qs, {});
    ASSERT_GT(pid, 0);
    ::waitpid(pid, nullptr, 0);  // gone and reaped
    worker.SetWaitProcess(pid);
    EXPECT_EQ(Pass(), (Calls{"restore-window", "link"}));
    EXPECT_EQ(worker.WaitProcess(), 0);
}

TEST_F(WorkerTest, ShutdownEndsTheWaitForAProgram)
{
    const pid_t pid = StartProgram(u"/bin/sleep"_qs, {u"10"_qs});
    ASSERT_GT(pid, 0);
    worker.SetWaitProcess(pid);
    worker.StartWorker();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const Clock::time_point stopping = Clock::now();
    EXPECT_TRUE(worker.StopWorker());
    EXPECT_LT(ElapsedMs(stopping), ShellWorker::kStopWaitMs);
    EXPECT_EQ(log.Count("restore-window"), 0u);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// A thread whose passes take as long as asked.
class SlowThread final : public CThreadBasic {
public:
    explicit SlowThread(int passMs) : m_passMs(passMs) {}
    ~SlowThread() override
    {
        if (!Stop(1000)) Join();
    }
    std::atomic<int> passesEnded{0};

protected:
    void Run() override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(m_passMs));
        ++passesEnded;
    }

private:
    int m_passMs;
};

TEST(ThreadBasic, StopWaitsForThePassInProgressUpToOneSecond)
{
    SlowThread quick(300);
    ASSERT_TRUE(quick.Start(30, true));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(quick.Stop(1000));
    EXPECT_EQ(quick.passesEnded.load(), 1);  // the pass finished before "done"

    SlowThread stuck(1600);
    ASSERT_TRUE(stuck.Start(30, true));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const Clock::time_point stopping = Clock::now();
    EXPECT_FALSE(stuck.Stop(1000));
    const int waited = ElapsedMs(stopping);
    EXPECT_GE(waited, 990);
    EXPECT_LT(waited, 1500);
    stuck.Join();
    EXPECT_EQ(stuck.passesEnded.load(), 1);
}

TEST(ThreadBasic, OneShotThreadRunsOnceAndCanStartAgain)
{
    SlowThread once(10);
    ASSERT_TRUE(once.Start(30, false));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(once.IsRunning());
    EXPECT_EQ(once.passesEnded.load(), 1);
    ASSERT_TRUE(once.Start(30, false));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_TRUE(once.Stop(1000));
    EXPECT_EQ(once.passesEnded.load(), 2);
}

}  // namespace

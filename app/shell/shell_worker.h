#pragma once
// The worker: the thread that performs every device exchange. Each pass
// (at least 30 ms) first waits for an external program when one was handed
// over, then takes one task from the queue, or, with no task waiting, does
// the idle work of the shown page and the battery and notification polls.
//
// Tasks from 5 on need the keyboard present and online; without it they are
// dropped, one per pass, and the wait dialog their page opened is closed
// all the same, so that no page is left waiting for a task that never runs.
#include <atomic>

#include <sys/types.h>

#include "app/shell/device_side.h"
#include "app/shell/feature_tasks.h"
#include "app/shell/shell_window.h"
#include "app/shell/task_queue.h"
#include "app/shell/thread_basic.h"

class ShellWorker final : public CThreadBasic {
public:
    static constexpr int kPeriodMs = 30;
    static constexpr int kStopWaitMs = 1000;
    static constexpr int kPauseAfterMainWaitMs = 100;

    ShellWorker(TaskQueue& queue, DeviceSide& device, FeatureTasks& features, ShellWindow& window);
    ~ShellWorker() override;

    // Starts the thread (30 ms passes) unless it runs, then queues task 1.
    void StartWorker();
    // Stops the thread, waiting at most 1000 ms for the pass in progress.
    // False when that pass has not ended by then.
    bool StopWorker();

    // Any thread: appends a task for a later pass.
    void QueueTask(int task) { m_queue.Push(task); }
    std::size_t PendingTasks() const { return m_queue.Size(); }

    // The page id of the tab shown (0 home); set by the UI thread.
    void SetCurrentPage(int page) { m_currentPage.store(page); }
    int CurrentPage() const { return m_currentPage.load(); }

    // An external program (the firmware updater) to wait for at the start
    // of the next pass; 0 for none.
    void SetWaitProcess(pid_t pid) { m_waitProcess.store(pid); }
    pid_t WaitProcess() const { return m_waitProcess.load(); }

    // One pass. The thread calls it; tests may call it directly, except for
    // the wait for an external program, which gives up after 100 ms when
    // the thread is not running.
    void Run() override;

private:
    void WaitForExternalProgram(pid_t pid);
    void Perform(int task);
    void Drop(int task);
    void IdleWork();
    bool KeyboardReady() const { return m_device.DevicePresent() && m_device.DeviceOnline(); }

    TaskQueue& m_queue;
    DeviceSide& m_device;
    FeatureTasks& m_features;
    ShellWindow& m_window;
    std::atomic<int> m_currentPage{0};
    std::atomic<pid_t> m_waitProcess{0};
    std::atomic<bool> m_firstRefreshDone{false};
};

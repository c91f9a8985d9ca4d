#pragma once
// CThreadBasic: a thread that calls Run in passes. Periodic threads call it
// again and again, each pass taking at least the period (the rest of it is
// slept); the thread leaves its loop when running is cleared and signals
// "done" after the pass in progress.
//
// A derived class stops the thread in its own destructor (Stop, then Join
// when Stop timed out), because Run must not outlive the derived object.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CThreadBasic {
public:
    CThreadBasic() = default;
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // Starts the thread unless it runs. periodic: call Run repeatedly, each
    // pass at least periodMs long; otherwise call it once. The start tick
    // (milliseconds of the steady clock) becomes the result.
    bool Start(int periodMs, bool periodic);
    // Clears running (waking a sleeping thread) and waits at most waitMs for
    // the thread to leave its loop. True when it has ended; the thread is
    // then joined. False when the pass in progress is still running.
    bool Stop(int waitMs);
    // Waits without limit for a stopped thread to end.
    void Join();

    bool IsRunning() const { return m_running.load(); }
    int Result() const { return m_result.load(); }
    int Period() const { return m_period.load(); }

protected:
    // One pass, on the thread.
    virtual void Run() = 0;
    // For long waits inside Run: false once the thread is being stopped.
    bool KeepRunning() const { return m_running.load(); }

private:
    void Loop();

    std::atomic<bool> m_running{false};
    std::atomic<bool> m_periodic{true};
    std::atomic<int> m_period{0};
    std::atomic<int> m_result{0};

    std::mutex m_lock;              // guards m_done, orders the wake-ups
    std::condition_variable m_wake;
    bool m_done = true;             // the done event

    std::mutex m_control;           // Start, Stop and Join against each other
    std::thread m_thread;
};

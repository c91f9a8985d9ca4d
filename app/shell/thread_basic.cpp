#include "app/shell/thread_basic.h"

#include <chrono>

namespace {

int SteadyTickMs()
{
    using namespace std::chrono;
    return static_cast<int>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

CThreadBasic::~CThreadBasic()
{
    // Normally stopped by the derived class already; this only makes sure
    // no thread is left joinable.
    {
        const std::lock_guard lock(m_lock);
        m_running.store(false);
    }
    m_wake.notify_all();
    Join();
}

bool CThreadBasic::Start(int periodMs, bool periodic)
{
    const std::lock_guard control(m_control);
    if (m_running.load()) return false;
    if (m_thread.joinable()) m_thread.join();  // a one-pass thread that has ended
    m_period.store(periodMs < 0 ? 0 : periodMs);
    m_periodic.store(periodic);
    m_result.store(SteadyTickMs());
    {
        const std::lock_guard lock(m_lock);
        m_done = false;
        m_running.store(true);
    }
    m_thread = std::thread(&CThreadBasic::Loop, this);
    return true;
}

bool CThreadBasic::Stop(int waitMs)
{
    const std::lock_guard control(m_control);
    std::unique_lock lock(m_lock);
    m_running.store(false);
    m_wake.notify_all();
    if (!m_wake.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return m_done; })) return false;
    lock.unlock();
    if (m_thread.joinable()) m_thread.join();
    return true;
}

void CThreadBasic::Join()
{
    const std::lock_guard control(m_control);
    if (m_thread.joinable()) m_thread.join();
}

void CThreadBasic::Loop()
{
    using clock = std::chrono::steady_clock;
    while (m_running.load()) {
        const clock::time_point start = clock::now();
        Run();
        if (!m_periodic.load()) break;
        // The rest of the period is slept; a stop wakes the sleep at once.
        std::unique_lock lock(m_lock);
        m_wake.wait_until(lock, start + std::chrono::milliseconds(m_period.load()),
                          [this] { return !m_running.load(); });
    }
    {
        const std::lock_guard lock(m_lock);
        m_running.store(false);
        m_done = true;
    }
    m_wake.notify_all();
}

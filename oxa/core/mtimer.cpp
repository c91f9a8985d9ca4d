#include "oxa/core/mtimer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "oxa/core/ui_lock.h"

namespace OXA {
namespace {

using Clock = std::chrono::steady_clock;

struct TimerEntry {
    unsigned id = 0;
    MTimer* owner = nullptr;
    CString name;
    int flag = 0;
    Clock::duration period{};
    Clock::time_point next{};
};

// The one thread that serves every MTimer of the process.
class TickThread {
public:
    static TickThread& Instance()
    {
        static TickThread instance;
        return instance;
    }

    ~TickThread()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_stopRequested = true;
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    unsigned Add(MTimer* owner, unsigned milliseconds, const CString& name, int flag)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stop)
            return 0;
        if (!m_thread.joinable()) {
            try {
                m_thread = std::thread([this] { Run(); });
            } catch (...) {
                return 0;
            }
        }
        TimerEntry entry;
        entry.id = m_nextId++;
        if (m_nextId == 0)
            m_nextId = 1;
        entry.owner = owner;
        entry.name = name;
        entry.flag = flag;
        entry.period = std::chrono::milliseconds(std::max(1u, milliseconds));
        entry.next = Clock::now() + entry.period;
        m_timers.push_back(entry);
        m_wake.notify_all();
        return entry.id;
    }

    // Removes the timers matching pred; returns how many of owner's remain.
    template <typename Pred>
    int Remove(MTimer* owner, Pred pred)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(),
                                      [&](const TimerEntry& e) { return e.owner == owner && pred(e); }),
                       m_timers.end());
        return int(std::count_if(m_timers.begin(), m_timers.end(),
                                 [&](const TimerEntry& e) { return e.owner == owner; }));
    }

    template <typename Pred>
    const TimerEntry* FindLocked(Pred pred) const
    {
        for (const TimerEntry& e : m_timers)
            if (pred(e))
                return &e;
        return nullptr;
    }

    std::mutex& Mutex() const { return m_mutex; }
    unsigned long long Ticks() const { return m_ticks.load(); }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stop) {
            if (m_timers.empty()) {
                m_wake.wait(lock);
                continue;
            }
            Clock::time_point next = m_timers.front().next;
            for (const TimerEntry& e : m_timers)
                next = std::min(next, e.next);
            if (Clock::now() < next) {
                m_wake.wait_until(lock, next);
                continue;
            }
            lock.unlock();
            // The handlers run under the UI lock; give up waiting for it
            // when the thread is asked to stop.
            bool locked = false;
            while (!locked && !m_stopRequested.load())
                locked = UiLock::TryLockFor(5);
            lock.lock();
            if (!locked)
                continue;
            const Clock::time_point now = Clock::now();
            std::vector<TimerEntry> due;
            for (TimerEntry& e : m_timers) {
                if (e.next > now)
                    continue;
                due.push_back(e);
                e.next += e.period;
                if (e.next <= now)  // fell behind: skip the missed ticks
                    e.next = now + e.period;
            }
            lock.unlock();
            for (const TimerEntry& e : due) {
                bool alive;
                {
                    std::lock_guard<std::mutex> check(m_mutex);
                    alive = FindLocked([&](const TimerEntry& t) { return t.id == e.id; }) != nullptr;
                }
                if (!alive)
                    continue;
                e.owner->OnMTimer(e.id);
                if (e.flag) {
                    std::lock_guard<std::mutex> check(m_mutex);
                    alive = FindLocked([&](const TimerEntry& t) { return t.id == e.id; }) != nullptr;
                }
                if (alive && e.flag)
                    e.owner->OnMTimer(e.id, e.name);
                ++m_ticks;
            }
            UiLock::Unlock();
            lock.lock();
        }
    }

    TickThread() = default;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<TimerEntry> m_timers;
    std::thread m_thread;
    bool m_stop = false;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<unsigned long long> m_ticks{0};
    unsigned m_nextId = 1;
};

}  // namespace

MTimer::MTimer() = default;

MTimer::~MTimer() { KillTimer(); }

void MTimer::OnMTimer(unsigned, CString) {}

unsigned MTimer::SetTimer(unsigned milliseconds, const CString& name, int flag)
{
    UiLock ui;
    return TickThread::Instance().Add(this, milliseconds, name, flag);
}

int MTimer::KillTimer(unsigned id)
{
    UiLock ui;
    return TickThread::Instance().Remove(this, [id](const TimerEntry& e) { return e.id == id; });
}

int MTimer::KillTimer(const CString& name)
{
    UiLock ui;
    return TickThread::Instance().Remove(this, [&name](const TimerEntry& e) { return e.name == name; });
}

int MTimer::KillTimer()
{
    UiLock ui;
    return TickThread::Instance().Remove(this, [](const TimerEntry&) { return true; });
}

int MTimer::GetTimerIsRun(unsigned id) const
{
    TickThread& t = TickThread::Instance();
    std::lock_guard<std::mutex> lock(t.Mutex());
    return t.FindLocked([&](const TimerEntry& e) { return e.owner == this && e.id == id; }) ? 1 : 0;
}

int MTimer::GetTimerIsRun(const CString& name) const
{
    TickThread& t = TickThread::Instance();
    std::lock_guard<std::mutex> lock(t.Mutex());
    return t.FindLocked([&](const TimerEntry& e) { return e.owner == this && e.name == name; }) ? 1 : 0;
}

int MTimer::IsAppTimer(unsigned id) const { return GetTimerIsRun(id); }

CString MTimer::GetTimerName(unsigned id) const
{
    TickThread& t = TickThread::Instance();
    std::lock_guard<std::mutex> lock(t.Mutex());
    const TimerEntry* e = t.FindLocked([&](const TimerEntry& x) { return x.owner == this && x.id == id; });
    return e ? e->name : CString();
}

MTimer* MTimer::GetMTimer(unsigned id)
{
    TickThread& t = TickThread::Instance();
    std::lock_guard<std::mutex> lock(t.Mutex());
    const TimerEntry* e = t.FindLocked([&](const TimerEntry& x) { return x.id == id; });
    return e ? e->owner : nullptr;
}

unsigned MTimer::GetResolution() { return 1; }

unsigned long long MTimer::TickCount() { return TickThread::Instance().Ticks(); }

}  // namespace OXA

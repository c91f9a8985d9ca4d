#include "link/link_clock.h"

#include <sched.h>
#include <sys/prctl.h>
#include <time.h>

#include <cerrno>

namespace {

// The kernel may defer a timer by the thread's timer slack (50 us by
// default); the link's pauses are short enough for that to matter, so the
// slack of every thread that paces transfers is lowered once.
void LowerTimerSlack()
{
    thread_local bool lowered = false;
    if (!lowered) {
        prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        lowered = true;
    }
}

// The last stretch before a deadline is waited out by yielding: a timer wake-up
// arrives tens of microseconds late, a few percent of a 2 ms pause.
constexpr auto kSpinMargin = std::chrono::microseconds(150);

void SleepAbsolute(LinkClock::TimePoint deadline)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    timespec ts;
    ts.tv_sec = time_t(ns / 1'000'000'000);
    ts.tv_nsec = long(ns % 1'000'000'000);
    // steady_clock is CLOCK_MONOTONIC on Linux.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

}  // namespace

LinkClock& LinkClock::Real()
{
    static RealLinkClock clock;
    return clock;
}

void RealLinkClock::SleepUntil(TimePoint deadline)
{
    if (Clock::now() >= deadline) return;
    LowerTimerSlack();
    const TimePoint early = deadline - kSpinMargin;
    if (Clock::now() < early) SleepAbsolute(early);
    while (Clock::now() < deadline) sched_yield();
}

LinkClock::TimePoint ManualLinkClock::Now() const
{
    return TimePoint(std::chrono::nanoseconds(m_nanoseconds.load()));
}

void ManualLinkClock::SleepUntil(TimePoint deadline)
{
    const int64_t target = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    int64_t now = m_nanoseconds.load();
    while (now < target && !m_nanoseconds.compare_exchange_weak(now, target)) {
    }
}

void ManualLinkClock::Advance(Duration d)
{
    m_nanoseconds.fetch_add(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count());
}

double ElapsedMs(LinkClock::TimePoint from, LinkClock::TimePoint to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

#pragma once
// The time base of the device link. Transfer pauses of 2 to 10 ms must hold
// closely, so the real clock sleeps against absolute steady_clock deadlines
// (with the thread's timer slack lowered and a short final spin) instead of
// sleeping relative amounts that add up their wake-up latency. A manual clock
// stands in for it in tests: sleeping on it only moves its time forward, so
// retries and time-outs run instantly and their timing is exact.
#include <atomic>
#include <chrono>

class LinkClock {
public:
    using Clock = std::chrono::steady_clock;
    using TimePoint = Clock::time_point;
    using Duration = Clock::duration;

    virtual ~LinkClock() = default;
    virtual TimePoint Now() const = 0;
    // Returns once Now() has reached the deadline.
    virtual void SleepUntil(TimePoint deadline) = 0;
    // True when time moves only by sleeping (no real waiting happens).
    virtual bool IsManual() const { return false; }

    void SleepFor(Duration d) { SleepUntil(Now() + d); }
    void SleepMs(int ms)
    {
        if (ms > 0) SleepFor(std::chrono::milliseconds(ms));
    }

    // The process-wide real clock.
    static LinkClock& Real();
};

// steady_clock with precise sleeps.
class RealLinkClock final : public LinkClock {
public:
    TimePoint Now() const override { return Clock::now(); }
    void SleepUntil(TimePoint deadline) override;
};

// Virtual time: starts at an arbitrary fixed point and advances only when a
// thread sleeps on it (or Advance is called). Safe to use from several threads.
class ManualLinkClock final : public LinkClock {
public:
    TimePoint Now() const override;
    void SleepUntil(TimePoint deadline) override;
    bool IsManual() const override { return true; }
    void Advance(Duration d);

private:
    std::atomic<int64_t> m_nanoseconds{1'000'000'000};
};

// Milliseconds between two time points, as a double (for reports and checks).
double ElapsedMs(LinkClock::TimePoint from, LinkClock::TimePoint to);

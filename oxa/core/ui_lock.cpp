#include "oxa/core/ui_lock.h"

#include <chrono>
#include <condition_variable>
#include <thread>

namespace OXA {
namespace {

// A recursive lock that hands itself over: when a thread releases it while
// another waits, the releasing thread cannot take it back before the waiter
// had it. The UI thread takes the lock for every event, so without the
// hand-over the tick thread could wait a long time on a busy UI thread.
struct State {
    std::mutex mutex;
    std::condition_variable released;
    std::thread::id owner;
    std::thread::id lastOwner;
    int depth = 0;
    int waiters = 0;
    bool handOver = false;
};

State& S()
{
    static State state;
    return state;
}

thread_local int t_depth = 0;

bool Free(const State& s, std::thread::id me)
{
    return s.owner == std::thread::id() && !(s.handOver && s.lastOwner == me);
}

}  // namespace

UiLock::UiLock() { Lock(); }
UiLock::~UiLock() { Unlock(); }

void UiLock::Lock()
{
    State& s = S();
    const std::thread::id me = std::this_thread::get_id();
    std::unique_lock<std::mutex> lock(s.mutex);
    if (s.owner != me) {
        ++s.waiters;
        s.released.wait(lock, [&] { return Free(s, me); });
        --s.waiters;
        s.owner = me;
        s.handOver = false;
    }
    ++s.depth;
    ++t_depth;
}

void UiLock::Unlock()
{
    if (t_depth <= 0)
        return;
    State& s = S();
    std::lock_guard<std::mutex> lock(s.mutex);
    --t_depth;
    if (--s.depth > 0)
        return;
    s.lastOwner = s.owner;
    s.owner = std::thread::id();
    s.handOver = s.waiters > 0;
    s.released.notify_all();
}

bool UiLock::TryLockFor(int milliseconds)
{
    State& s = S();
    const std::thread::id me = std::this_thread::get_id();
    std::unique_lock<std::mutex> lock(s.mutex);
    if (s.owner != me) {
        ++s.waiters;
        const bool got = s.released.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return Free(s, me); });
        --s.waiters;
        if (!got) {
            if (s.waiters == 0 && s.handOver) {
                s.handOver = false;  // nobody left to hand over to
                s.released.notify_all();
            }
            return false;
        }
        s.owner = me;
        s.handOver = false;
    }
    ++s.depth;
    ++t_depth;
    return true;
}

int UiLock::ReleaseAll()
{
    const int depth = t_depth;
    while (t_depth > 0)
        Unlock();
    return depth;
}

void UiLock::Reacquire(int depth)
{
    for (int i = 0; i < depth; ++i)
        Lock();
}

int UiLock::Depth() { return t_depth; }

}  // namespace OXA

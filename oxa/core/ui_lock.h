#pragma once
// The library-wide UI lock. The UI thread holds it while it handles an event
// of an oxa window; the multimedia tick thread holds it while it calls the
// timer handlers of controls. Control state changed by a tick is therefore
// never seen half-written by painting or input routing.
//
// Code of the program that changes oxa controls outside an oxa window event
// (for example from a Qt timer or socket callback of its own) holds a UiLock
// for the duration of the change.
#include <mutex>

#include "oxa/core/oxa_export.h"

namespace OXA {

class OXA_API UiLock {
public:
    UiLock();
    ~UiLock();
    UiLock(const UiLock&) = delete;
    UiLock& operator=(const UiLock&) = delete;

    static void Lock();
    static void Unlock();
    // Tries to take the lock within the given milliseconds.
    static bool TryLockFor(int milliseconds);
    // Releases every level the calling thread holds and returns how many;
    // used around nested event loops so ticks keep running while they wait.
    static int ReleaseAll();
    static void Reacquire(int depth);
    // Levels the calling thread holds.
    static int Depth();
};

// Releases the calling thread's hold for its lifetime.
class OXA_API UiUnlockScope {
public:
    UiUnlockScope() : m_depth(UiLock::ReleaseAll()) {}
    ~UiUnlockScope() { UiLock::Reacquire(m_depth); }
    UiUnlockScope(const UiUnlockScope&) = delete;
    UiUnlockScope& operator=(const UiUnlockScope&) = delete;

private:
    int m_depth;
};

}  // namespace OXA

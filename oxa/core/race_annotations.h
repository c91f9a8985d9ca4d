#pragma once
// Tells the race checker about the hand-over of an object through Qt's event
// queue, whose own locking it cannot see (Qt is not built for it). No code
// in ordinary builds.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
namespace OXA {
inline void RaceRelease(void* addr) { __tsan_release(addr); }
inline void RaceAcquire(void* addr) { __tsan_acquire(addr); }
}  // namespace OXA
#else
namespace OXA {
inline void RaceRelease(void*) {}
inline void RaceAcquire(void*) {}
}  // namespace OXA
#endif

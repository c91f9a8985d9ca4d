#pragma once
// Periodic timers served by one library thread with steady-clock deadlines
// (the multimedia tick). Handlers run on that thread while it holds the UI
// lock, so they may change control state and request repaints.
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

class OXA_API MTimer {
public:
    MTimer();
    virtual ~MTimer();
    MTimer(const MTimer&) = delete;
    MTimer& operator=(const MTimer&) = delete;

    // Called after OnMTimer(id) for timers started with a non-zero flag.
    virtual void OnMTimer(unsigned id, CString name);
    virtual void OnMTimer(unsigned id) = 0;

    // Starts a periodic timer; returns its id, 0 when it cannot be started.
    unsigned SetTimer(unsigned milliseconds, const CString& name, int flag);
    // Stops one timer; returns how many timers of this object are left.
    int KillTimer(unsigned id);
    int KillTimer(const CString& name);
    int KillTimer();
    int GetTimerIsRun(unsigned id) const;
    int GetTimerIsRun(const CString& name) const;
    int IsAppTimer(unsigned id) const;
    CString GetTimerName(unsigned id) const;
    // The object that owns a timer id, or null.
    static MTimer* GetMTimer(unsigned id);
    // Timer resolution in milliseconds.
    static unsigned GetResolution();
    // Number of ticks delivered by the thread so far (diagnostics and tests).
    static unsigned long long TickCount();
};

}  // namespace OXA

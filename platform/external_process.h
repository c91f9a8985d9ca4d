#pragma once
// Starting another program (the firmware updater, a downloaded setup) and
// waiting for a process to end.
#include <functional>

#include <QStringList>
#include <sys/types.h>

#include "platform/cstring.h"

// Starts `program` with `arguments` as an argument list: no shell, so
// spaces and quotes in paths need no quoting. The new process id, or -1.
pid_t StartProgram(const CString& program, const QStringList& arguments);

enum class ProcessWait {
    kEnded,        // the process has ended (a child of ours is reaped)
    kCannotOpen,   // no such process, or none we may wait for
    kInterrupted,  // keepWaiting turned false first
};

// Waits for any process of the user, child or not, without a time-out;
// keepWaiting is asked about every `sliceMs` so that a shutdown can end the
// wait.
ProcessWait WaitForProcessEnd(pid_t pid, const std::function<bool()>& keepWaiting, int sliceMs = 100);

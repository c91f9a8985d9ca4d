#pragma once
// What the shell needs of the main window. The worker calls the first two
// from its thread: the window hands them over to the UI thread (a posted
// message) and returns at once.
#include "app/shell/worker_tasks.h"

class ShellWindow {
public:
    virtual ~ShellWindow() = default;

    // Closes the wait dialog with its OK action when it is open; nothing
    // when it is not. Called when a task that opened it is done or dropped.
    virtual void CloseWaitDialog(WaitDialog which) = 0;
    // The external program the worker waited for has ended: enable the main
    // controls again and show the window normally.
    virtual void RestoreAfterExternalProgram() = 0;
    // UI thread: a later start asked for the window; bring it to the
    // foreground, show it normally and raise it.
    virtual void ShowAndRaise() = 0;
};

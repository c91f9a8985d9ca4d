#pragma once
// The program's command line. Windows-style, anything containing "hide"
// starts hidden; the rest are options of ours.
#include <QStringList>

#include "platform/cstring.h"

struct ShellOptions {
    bool version = false;      // --version: print the version and end
    bool simulate = false;     // --simulate[=MODEL:MODES]: the simulated keyboard
    CString simulateSpec;      // MODEL:MODES after "=", empty for the defaults
    CString simTrace;          // --sim-trace FILE (implies --simulate)
    bool virtualKeyboard = false;  // --virtual-keyboard: open the virtual keyboard window (needs --simulate)
    int exitAfterMs = -1;      // --exit-after MS: end on its own after MS (tests)
    CString screenshot;        // --screenshot FILE: save the window once a view is shown, then end
    CString screenshotFolder;  // --screenshots DIR: save the home page and the connected view there, then end
    int showMode = 5;          // 0 hidden, 5 shown
    QStringList problems;      // options that could not be used, one line each
};

// Show mode from the arguments (program name excluded): 0 when any of them
// contains "hide", else 5.
int ShowModeFromArguments(const QStringList& arguments);

// The arguments without the program name. Unknown arguments are ignored,
// as the program has always done.
ShellOptions ParseShellOptions(const QStringList& arguments);

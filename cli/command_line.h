#pragma once
// The arguments of one varnetctl command: options common to every command
// and the words that follow the command's name.
#include <QStringList>

#include "platform/cstring.h"

struct CommandLine {
    bool json = false;        // --json: machine-readable output
    CString programFolder;    // --dir DIR, else the folder found beside the tool
    bool simulate = false;    // --simulate[=MODEL:MODES]: the simulated keyboard instead of hidraw
    CString simulateChoice;   // MODEL:MODES after "=", empty for the defaults
    CString simTrace;         // --sim-trace FILE: the simulator's wire trace (implies --simulate)
    CString simSocket;        // --sim-socket PATH: control socket of a simulator
    QStringList words;        // everything else, in order
    CString error;            // set when the arguments cannot be understood
};

// Parses argv after the command name.
CommandLine ParseCommandLine(int argc, char** argv, int first);
// Writes UTF-8 text to standard output or standard error.
void Print(const CString& text);
void PrintError(const CString& text);

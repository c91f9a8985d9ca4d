#pragma once
// The commands of varnetctl; each returns the process exit status.
#include "cli/command_line.h"

// Prints the device catalogue as the program reads it.
int RunCatalogueCommand(const CommandLine& line);
// Prints and checks layout files (by layout name or path; all of the
// catalogue's when none is named). Exit status 1 when anything is wrong.
int RunLayoutCommand(const CommandLine& line);
// Lists the enumerated HID interfaces and how the link classified them.
int RunDevicesCommand(const CommandLine& line);
// Sends one device command with values from the command line.
int RunSendCommand(const CommandLine& line);
// Drives a simulated keyboard through its control socket, or serves one.
int RunSimCommand(const CommandLine& line);

#pragma once
// Starting with the desktop session: an XDG autostart entry
// "$XDG_CONFIG_HOME/autostart/<name>.desktop" that runs the program hidden
// ("-hide").
#include "platform/cstring.h"

CString AutostartEntryPath(const CString& softwareName);

// Writes the entry for the program at `executablePath`. True when written.
bool WriteAutostartEntry(const CString& softwareName, const CString& executablePath);
// Removes the entry; true also when there was none.
bool DeleteAutostartEntry(const CString& softwareName);
bool AutostartEntryExists(const CString& softwareName);

// One argument of a desktop entry's Exec line, quoted by the Desktop Entry
// rules and escaped as the string value it is written into: the line
// `"<path>" -hide` survives spaces, quotes, "$", "%" and backslashes.
CString DesktopExecArgument(const CString& argument);

#pragma once
// The per-user folders of the XDG base directory rules, and the data folder
// named after the software: "$XDG_DATA_HOME/<name> Files/".
#include "platform/cstring.h"

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
CString UserDataHome();
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
CString UserConfigHome();
// $XDG_RUNTIME_DIR when it is an absolute path, else the temporary folder.
CString UserRuntimeFolder();

// The software name made safe as one file-name component: separators and
// control characters become "_", and an empty name, "." or ".." becomes
// "Varnet". Every folder, file and socket named after the software uses it.
CString FileNameFromSoftwareName(const CString& softwareName);

// The user's data folder for the software, ending with "/".
CString DataFolder(const CString& softwareName);

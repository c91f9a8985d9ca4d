#pragma once
// The program folder: the folder that holds "config.xml" and the rest of the
// installation data. It is the executable's folder, else "../share/varnet"
// beside it (an installed layout).
#include "platform/cstring.h"

// Folder of the running executable, without a trailing separator.
CString ExecutableFolder();
// The program folder as found from the executable's folder.
CString ProgramFolder();
// The same search from a given executable folder.
CString ProgramFolderFrom(const CString& executableFolder);

#pragma once
// The start-up steps that need no window: the catalogue's first reading,
// the settings file and language, and the data folder.
#include "platform/cstring.h"

struct StartupInfo {
    CString programFolder;  // holds config.xml and language/
    CString softwareName;   // as the catalogue names it (may be empty)
    bool catalogueRead = false;
};

// Reads the software name and the offered and default languages from
// "<programFolder>/config.xml" and hands the languages to the text lookup.
StartupInfo ReadStartupCatalogue(const CString& programFolder);

// Points the settings at the software's settings file and the text lookup
// at the program folder, then chooses the language (user's interface
// language given).
void SettleLanguage(const StartupInfo& info, int userInterfaceLanguage);

// Creates "db" in the data folder (with all missing parents), deletes
// "edit" with everything in it and creates it again. False with one line
// saying what failed when the folders cannot be made; start-up goes on.
bool PrepareDataFolder(const CString& dataFolder, CString* problem);

#pragma once
// The program's own small settings ("LCID", "exit_mode", "DeviceType"): an
// INI file under the user's configuration folder, named after the software,
// holding each value as decimal text. The file plays the part of a registry
// key: reading creates it when it is missing, writing never does.
#include "platform/cstring.h"

// "$XDG_CONFIG_HOME/<name>.ini".
CString SettingsFilePath(const CString& softwareName);

class SettingsFile {
public:
    explicit SettingsFile(CString path) : m_path(std::move(path)) {}
    const CString& Path() const { return m_path; }

    // The value's decimal value (white space and a sign allowed before the
    // digits, anything after them ignored, no digits 0). A missing file is created (empty) and gives
    // 0; a file that cannot be read and written gives 0; a missing value,
    // or one longer than 127 characters, gives 0.
    int ReadNumber(const CString& name) const;
    // "LCID" by the same rules, except that a file that exists but cannot be
    // read and written gives 2052.
    int ReadLanguageNumber() const;
    // Stores the text when the file exists and can be read and written;
    // otherwise nothing happens.
    void WriteText(const CString& name, const CString& text) const;

private:
    enum class Access { kOpened, kCreated, kFailed };
    Access Open() const;
    CString ReadText(const CString& name) const;

    CString m_path;
};

// --- the settings of the running program -----------------------------------
// Set once at start-up, from the software name; read from any thread.
void SetProgramSettingsPath(const CString& path);
CString ProgramSettingsPath();

int ReadRegistryNumber(const CString& name);
void WriteRegistryText(const CString& name, const CString& text);
int ReadLanguageNumber();

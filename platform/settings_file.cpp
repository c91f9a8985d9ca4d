#include "platform/settings_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <mutex>

#include "device/number_text.h"
#include "platform/folder_tree.h"
#include "platform/user_folders.h"

namespace {

// A value read into a buffer of 255 bytes holds at most 127 UTF-16
// characters besides its terminating NUL; a longer value does not fit and
// reads as nothing.
constexpr qsizetype kMaxValueLength = 127;
constexpr int kLanguageWhenUnreadable = 2052;

std::mutex g_pathLock;
CString g_programPath;

}  // namespace

CString SettingsFilePath(const CString& softwareName)
{
    return UserConfigHome() + u'/' + FileNameFromSoftwareName(softwareName) + u".ini"_qs;
}

SettingsFile::Access SettingsFile::Open() const
{
    if (m_path.isEmpty()) return Access::kFailed;
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink()) {
        // The key is created on the first read that finds it missing.
        CreateFolderPath(info.absolutePath());
        QFile file(m_path);
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
        return Access::kCreated;
    }
    if (!info.isFile() || !info.isReadable() || !info.isWritable()) return Access::kFailed;
    return Access::kOpened;
}

CString SettingsFile::ReadText(const CString& name) const
{
    const QSettings settings(m_path, QSettings::IniFormat);
    const QVariant value = settings.value(name);
    // Only plain text counts; anything QSettings decodes into another type
    // (a list, a serialised variant) reads as nothing.
    if (value.typeId() != QMetaType::QString) return {};
    const CString text = value.toString();
    return text.size() > kMaxValueLength ? CString() : text;
}

int SettingsFile::ReadNumber(const CString& name) const
{
    if (Open() != Access::kOpened) return 0;
    return DecimalValue(ReadText(name));
}

int SettingsFile::ReadLanguageNumber() const
{
    switch (Open()) {
    case Access::kCreated: return 0;
    case Access::kFailed: return kLanguageWhenUnreadable;
    case Access::kOpened: break;
    }
    return DecimalValue(ReadText(u"LCID"_qs));
}

void SettingsFile::WriteText(const CString& name, const CString& text) const
{
    const QFileInfo info(m_path);
    if (!info.isFile() || !info.isReadable() || !info.isWritable()) return;
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(name, text);
    settings.sync();
}

void SetProgramSettingsPath(const CString& path)
{
    const std::lock_guard lock(g_pathLock);
    g_programPath = path;
}

CString ProgramSettingsPath()
{
    const std::lock_guard lock(g_pathLock);
    return g_programPath;
}

int ReadRegistryNumber(const CString& name) { return SettingsFile(ProgramSettingsPath()).ReadNumber(name); }

void WriteRegistryText(const CString& name, const CString& text)
{
    SettingsFile(ProgramSettingsPath()).WriteText(name, text);
}

int ReadLanguageNumber() { return SettingsFile(ProgramSettingsPath()).ReadLanguageNumber(); }

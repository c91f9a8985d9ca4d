#include "platform/autostart_entry.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/folder_tree.h"
#include "platform/user_folders.h"

namespace {

// The escapes of a desktop entry's string values.
CString EscapeStringValue(const CString& text)
{
    CString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"_qs; break;
        case u'\n': out += u"\\n"_qs; break;
        case u'\t': out += u"\\t"_qs; break;
        case u'\r': out += u"\\r"_qs; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

CString AutostartEntryPath(const CString& softwareName)
{
    return UserConfigHome() + u"/autostart/"_qs + FileNameFromSoftwareName(softwareName) + u".desktop"_qs;
}

CString DesktopExecArgument(const CString& argument)
{
    // Inside double quotes the Exec rules want '"', '`', '$' and '\' escaped
    // with a backslash; "%" introduces field codes and is doubled.
    CString quoted = u"\""_qs;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        if (c == u'%') quoted += u'%';
        quoted += c;
    }
    quoted += u'"';
    return EscapeStringValue(quoted);
}

bool WriteAutostartEntry(const CString& softwareName, const CString& executablePath)
{
    const CString path = AutostartEntryPath(softwareName);
    CreateFolderPath(QFileInfo(path).absolutePath());
    const CString name = EscapeStringValue(FileNameFromSoftwareName(softwareName));
    const CString text = u"[Desktop Entry]\n"_qs
                         u"Type=Application\n"_qs
                         u"Name="_qs + name + u"\n"_qs +
                         u"Exec="_qs + DesktopExecArgument(executablePath) + u" -hide\n"_qs +
                         u"Terminal=false\n"_qs
                         u"X-GNOME-Autostart-enabled=true\n"_qs;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(text.toUtf8());
    return file.commit();
}

bool DeleteAutostartEntry(const CString& softwareName)
{
    const CString path = AutostartEntryPath(softwareName);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) return true;
    return QFile::remove(path);
}

bool AutostartEntryExists(const CString& softwareName)
{
    return QFileInfo(AutostartEntryPath(softwareName)).isFile();
}

#include "platform/user_folders.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

namespace {

CString HomeFolder()
{
    const CString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty()) return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir && *pw->pw_dir)
        return QString::fromLocal8Bit(pw->pw_dir);
    return QDir::rootPath();
}

// An XDG variable counts only when it holds an absolute path; relative
// values are ignored, as the base directory rules ask.
CString XdgFolder(const char* variable, const CString& fallback)
{
    const CString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    return fallback;
}

}  // namespace

CString UserDataHome()
{
    return XdgFolder("XDG_DATA_HOME", QDir::cleanPath(HomeFolder() + u"/.local/share"_qs));
}

CString UserConfigHome()
{
    return XdgFolder("XDG_CONFIG_HOME", QDir::cleanPath(HomeFolder() + u"/.config"_qs));
}

CString UserRuntimeFolder()
{
    return XdgFolder("XDG_RUNTIME_DIR", QDir::cleanPath(QDir::tempPath()));
}

CString FileNameFromSoftwareName(const CString& softwareName)
{
    CString name = softwareName;
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F) c = u'_';
    if (name.trimmed().isEmpty() || name == u"."_qs || name == u".."_qs) return u"Varnet"_qs;
    return name;
}

CString DataFolder(const CString& softwareName)
{
    return UserDataHome() + u'/' + FileNameFromSoftwareName(softwareName) + u" Files/"_qs;
}

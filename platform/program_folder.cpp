#include "platform/program_folder.h"

#include <QDir>
#include <QFileInfo>

CString ExecutableFolder()
{
    const QFileInfo exe(u"/proc/self/exe"_qs);
    return QFileInfo(exe.symLinkTarget()).absolutePath();
}

CString ProgramFolderFrom(const CString& executableFolder)
{
    const QDir here(executableFolder);
    if (QFileInfo::exists(here.filePath(u"config.xml"_qs))) return here.absolutePath();
    const CString shared = QDir::cleanPath(here.filePath(u"../share/varnet"_qs));
    if (QFileInfo::exists(shared + u"/config.xml"_qs)) return shared;
    return here.absolutePath();
}

CString ProgramFolder()
{
    return ProgramFolderFrom(ExecutableFolder());
}

#include "app/shell/shell_startup.h"

#include <cerrno>
#include <cstring>

#include "app/shell/language_texts.h"
#include "device/catalogue.h"
#include "platform/folder_tree.h"
#include "platform/settings_file.h"

StartupInfo ReadStartupCatalogue(const CString& programFolder)
{
    StartupInfo info;
    info.programFolder = programFolder;
    Catalogue catalogue;
    info.catalogueRead = ReadSoftwareName(programFolder + u"/config.xml"_qs, catalogue);
    info.softwareName = catalogue.software.name;
    SetLanguageCatalogue(catalogue.languages, catalogue.defaultLanguage);
    return info;
}

void SettleLanguage(const StartupInfo& info, int userInterfaceLanguage)
{
    SetProgramSettingsPath(SettingsFilePath(info.softwareName));
    SetTextFolder(info.programFolder);
    InitLanguage(userInterfaceLanguage);
}

bool PrepareDataFolder(const CString& dataFolder, CString* problem)
{
    int error = 0;
    const auto create = [&error](const CString& path) {
        if (CreateFolderPath(path)) return true;
        if (error == 0) error = errno;
        return false;
    };
    bool ok = create(dataFolder + u"db"_qs);
    // Whatever an earlier run left in "edit" goes.
    const CString edit = dataFolder + u"edit"_qs;
    DeleteFolderTree(edit);
    ok = create(edit) && ok;
    if (!ok && problem) {
        *problem = u"cannot create the data folder "_qs + dataFolder;
        if (error != 0) *problem += u": "_qs + QString::fromLocal8Bit(std::strerror(error));
    }
    return ok;
}

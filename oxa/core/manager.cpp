#include "oxa/core/manager.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>
#include <mutex>
#include <vector>

#include "oxa/core/message_loop.h"
#include "oxa/core/native_window.h"
#include "oxa/core/window.h"

namespace OXA {
namespace {

struct Settings {
    void* instance = nullptr;
    CString deviceName;
    CString fontName = u"Open Sans Semibold"_qs;
    int fontSize = 16;
    CString programFolder;
};

Settings& S()
{
    static Settings settings;
    return settings;
}

std::mutex& FolderMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<MWindow*>& Windows()
{
    static std::vector<MWindow*> windows;
    return windows;
}

CString DefaultProgramFolder()
{
    CString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (!QFileInfo::exists(dir + u"/config.xml"_qs)) {
        const CString share = QDir::cleanPath(dir + u"/../share/varnet"_qs);
        if (QFileInfo::exists(share + u"/config.xml"_qs))
            dir = share;
    }
    return dir.endsWith(u'/') ? dir : dir + u'/';
}

}  // namespace

void Manager::SetInstance(void* instance) { S().instance = instance; }
void* Manager::GetInstance() { return S().instance; }
CString Manager::GetTheme() { return u"theme1/"_qs; }
void Manager::SetDeviceName(const CString& name) { S().deviceName = name; }
CString Manager::GetDeviceName() { return S().deviceName; }
void Manager::SetFontName(const CString& face) { S().fontName = face; }

void Manager::SetFont(const CString& face, int size)
{
    S().fontName = face;
    S().fontSize = size;
}

CString Manager::GetFontName() { return S().fontName; }
int Manager::GetFontWidth() { return S().fontSize; }
ARGB Manager::GetSelectColor() { return 0xFFEE6E01u; }

CString Manager::GetProgramFolder()
{
    std::lock_guard<std::mutex> lock(FolderMutex());
    if (S().programFolder.isEmpty())
        S().programFolder = DefaultProgramFolder();
    return S().programFolder;
}

void Manager::SetProgramFolder(const CString& folder)
{
    std::lock_guard<std::mutex> lock(FolderMutex());
    CString f = NormalizePath(folder);
    if (!f.isEmpty() && !f.endsWith(u'/'))
        f += u'/';
    S().programFolder = f;
}

CString Manager::GetSkinFolder() { return GetProgramFolder() + u"skins/"_qs + GetTheme(); }
CString Manager::GetFontFolder() { return GetProgramFolder() + u"font/"_qs; }

CString Manager::NormalizePath(const CString& path)
{
    CString p = path;
    p.replace(u'\\', u'/');
    while (p.contains(u"//"_qs))
        p.replace(u"//"_qs, u"/"_qs);
    return p;
}

void Manager::InitGdiplus() { Windows().clear(); }
void Manager::UnInitGdiplus() {}

int Manager::MessageLoop()
{
    QEventLoop loop;
    int code = 0;
    OXA::MessageLoop::Run(loop, [](MSG* msg) { return Manager::PreTranslateMessage(msg); }, &code);
    return code;
}

int Manager::PreTranslateMessage(MSG* msg)
{
    if (!msg)
        return 0;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && msg->wParam == VK_F4 &&
        IsKeyPressed(VK_MENU))
        return 1;
    for (MWindow* w : Windows())
        if (w->GetSafeHwnd() && w->GetSafeHwnd() == msg->hwnd)
            return w->PreTranslateMessage(msg);
    return 0;
}

void Manager::AddWnd(MWindow* window)
{
    if (window && std::find(Windows().begin(), Windows().end(), window) == Windows().end())
        Windows().push_back(window);
}

void Manager::DeleteWnd(MWindow* window)
{
    Windows().erase(std::remove(Windows().begin(), Windows().end(), window), Windows().end());
}

void Manager::PostQuitMessage(int code) { OXA::MessageLoop::PostQuit(code); }

int Manager::IsKeyPressed(unsigned vk)
{
    const int mods = CurrentKeyboardModifiers();
    switch (vk) {
    case VK_SHIFT:
        return (mods & Qt::ShiftModifier) ? 1 : 0;
    case VK_CONTROL:
        return (mods & Qt::ControlModifier) ? 1 : 0;
    case VK_MENU:
        return (mods & Qt::AltModifier) ? 1 : 0;
    default:
        return 0;
    }
}

}  // namespace OXA

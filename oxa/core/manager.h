#pragma once
// Library-wide settings (one set per process), folders, the window registry
// and the program's message loop.
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"
#include "oxa/core/window_messages.h"

namespace OXA {

class MWindow;

class OXA_API Manager {
public:
    // The module whose resources the library uses (stored only).
    static void SetInstance(void* instance);
    static void* GetInstance();
    static CString GetTheme();  // always "theme1/"
    static void SetDeviceName(const CString& name);
    static CString GetDeviceName();
    static void SetFontName(const CString& face);
    static void SetFont(const CString& face, int size);
    static CString GetFontName();  // default "Open Sans Semibold"
    static int GetFontWidth();     // default 16 pixels
    static ARGB GetSelectColor();  // 0xFFEE6E01

    // The program folder, with a trailing "/": the folder holding
    // "config.xml" (the executable's folder, else ../share/varnet/ beside it)
    // unless set explicitly.
    static CString GetProgramFolder();
    static void SetProgramFolder(const CString& folder);
    static CString GetSkinFolder();  // program folder + "skins/" + theme
    static CString GetFontFolder();  // program folder + "font/"
    // "\" becomes "/", doubled separators collapse.
    static CString NormalizePath(const CString& path);

    static void InitGdiplus();
    static void UnInitGdiplus();
    // Runs the program's loop until a quit message; returns its code.
    static int MessageLoop();
    // Drops Alt+F4 (returns 1), then offers the message to the registered
    // window it is for.
    static int PreTranslateMessage(MSG* msg);
    static void AddWnd(MWindow* window);
    static void DeleteWnd(MWindow* window);
    static void PostQuitMessage(int code);
    // Whether Shift (0x10), Ctrl (0x11) or Alt (0x12) is held.
    static int IsKeyPressed(unsigned vk);
};

// Tracing is compiled out.
inline void M_Trace(const wchar_t*, ...) {}

}  // namespace OXA

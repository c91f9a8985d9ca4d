#pragma once
// Window message numbers, styles, key codes and records that oxa windows and
// controls exchange. The numbers are those the program's data and handlers
// were written against.
#include "oxa/core/geometry.h"
#include "oxa/core/types.h"

namespace OXA {

// Messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_QUIT = 0x0012;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_GETMINMAXINFO = 0x0024;
constexpr unsigned WM_WINDOWPOSCHANGING = 0x0046;
constexpr unsigned WM_WINDOWPOSCHANGED = 0x0047;
constexpr unsigned WM_SETICON = 0x0080;
constexpr unsigned WM_NCCREATE = 0x0081;
constexpr unsigned WM_NCDESTROY = 0x0082;
constexpr unsigned WM_NCCALCSIZE = 0x0083;
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_NCACTIVATE = 0x0086;
constexpr unsigned WM_NCLBUTTONDOWN = 0x00A1;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_CTLCOLOREDIT = 0x0133;
constexpr unsigned WM_CTLCOLORSTATIC = 0x0138;
constexpr unsigned STM_SETIMAGE = 0x0172;  // 370: a dropped picture
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_DEVICECHANGE = 0x0219;
constexpr unsigned WM_MOUSEHOVER = 0x02A1;
constexpr unsigned WM_MOUSELEAVE = 0x02A3;
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned OCM_BASE = 0x2000;       // reflected child messages
constexpr unsigned WM_OXA_CLOSE = 1090;      // the library's close request

// wParam of WM_SIZE.
constexpr unsigned SIZE_RESTORED = 0;
constexpr unsigned SIZE_MINIMIZED = 1;
constexpr unsigned SIZE_MAXIMIZED = 2;
// wParam of WM_ACTIVATE.
constexpr unsigned WA_INACTIVE = 0;
constexpr unsigned WA_ACTIVE = 1;
// Hit test codes.
constexpr unsigned HTCLIENT = 1;
constexpr unsigned HTCAPTION = 2;

// Button and modifier flags of mouse messages.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;

// Window styles.
constexpr unsigned long WS_OVERLAPPED = 0x00000000UL;
constexpr unsigned long WS_POPUP = 0x80000000UL;
constexpr unsigned long WS_CHILD = 0x40000000UL;
constexpr unsigned long WS_MINIMIZE = 0x20000000UL;
constexpr unsigned long WS_VISIBLE = 0x10000000UL;
constexpr unsigned long WS_DISABLED = 0x08000000UL;
constexpr unsigned long WS_CLIPSIBLINGS = 0x04000000UL;
constexpr unsigned long WS_CLIPCHILDREN = 0x02000000UL;
constexpr unsigned long WS_MAXIMIZE = 0x01000000UL;
constexpr unsigned long WS_CAPTION = 0x00C00000UL;
constexpr unsigned long WS_SYSMENU = 0x00080000UL;
constexpr unsigned long WS_THICKFRAME = 0x00040000UL;
constexpr unsigned long WS_MINIMIZEBOX = 0x00020000UL;
constexpr unsigned long WS_MAXIMIZEBOX = 0x00010000UL;
// Extended styles.
constexpr unsigned long WS_EX_TOPMOST = 0x00000008UL;
constexpr unsigned long WS_EX_TRANSPARENT = 0x00000020UL;
constexpr unsigned long WS_EX_TOOLWINDOW = 0x00000080UL;
constexpr unsigned long WS_EX_LAYERED = 0x00080000UL;
constexpr unsigned long WS_EX_NOACTIVATE = 0x08000000UL;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// Modal results.
constexpr unsigned IDOK = 1;
constexpr unsigned IDCANCEL = 2;
constexpr unsigned IDYES = 6;
constexpr unsigned IDNO = 7;

// Virtual-key codes used by the library.
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_F4 = 0x73;

// One retrieved message, as offered to PreTranslateMessage.
struct MSG {
    HWND hwnd = nullptr;
    unsigned message = 0;
    unsigned wParam = 0;
    long lParam = 0;
};

// What a window is created with; OnCreate may change the styles.
struct CREATESTRUCT {
    CString title;
    unsigned long style = 0;
    unsigned long exStyle = 0;
    CRect rect;
    HWND parent = nullptr;
};

// Minimum and maximum tracking sizes (WM_GETMINMAXINFO, lParam).
struct MINMAXINFO {
    CPoint ptMaxSize;
    CPoint ptMaxPosition;
    CPoint ptMinTrackSize;
    CPoint ptMaxTrackSize;
};

}  // namespace OXA

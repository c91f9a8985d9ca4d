#pragma once
// One native window whose messages are routed to virtual handlers.
#include <QImage>

#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/window_messages.h"

class QEventLoop;

namespace OXA {

class OXA_API MWindow {
public:
    MWindow();
    virtual ~MWindow();
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    virtual const char16_t* GetWindowClassName() const;
    virtual const char16_t* GetSuperClassName() const;
    virtual void ShowWindow(int showCommand);
    // Default: the fall-through procedure (DefWindowProc).
    virtual long OnWindowMessage(unsigned msg, unsigned wParam, long lParam);
    virtual int PreTranslateMessage(MSG* msg);
    virtual int OnInitDialog();
    virtual void OnDestroyMessage(HWND hwnd);

    // Creates the window (returns the existing one when it exists already).
    HWND Create(HWND parent, const CString& title, unsigned long style, unsigned long exStyle, CRect rect);
    HWND Create(HWND parent);
    HWND Create(HWND parent, CRect rect);
    // Shows the window and runs a loop until it is destroyed; returns the
    // wParam of the close message (0xFFFFFFFF without a window).
    unsigned ShowModal(int showCommand = SW_SHOW);
    void CenterWindow(MWindow* reference = nullptr);
    void SetIcon(unsigned resourceId);
    void SetIcon(const QImage& icon);
    void BringToTop();

    // Thin wrappers; all do nothing and return 0 without a window.
    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetParentHwnd() const { return m_hWndParent; }
    unsigned long GetStyle() const;
    unsigned long GetExStyle() const;
    int ModifyStyle(unsigned long remove, unsigned long add);
    int ModifyExStyle(unsigned long remove, unsigned long add);
    CRect GetClientRect() const;
    CRect GetWindowRect() const;
    int SetWindowTextW(const CString& text);
    CString GetWindowTextW() const;
    int GetWindowTextLengthW() const;
    int EnableWindow(int enable);
    int IsWindowEnabled() const;
    int IsWindowVisible() const;
    int IsIconic() const;
    int IsZoomed() const;
    int InvalidateRect(const CRect* rect, int erase);
    int SetCapture();
    int ReleaseCapture();
    int SetFocus();
    // Window timer: WM_TIMER with wParam = id every elapse milliseconds.
    unsigned SetTimer(unsigned id, unsigned elapse);
    int KillTimer(unsigned id);
    CPoint ClientToScreen(CPoint pt) const;
    CPoint ScreenToClient(CPoint pt) const;
    int SetWindowPos(int x, int y, int width, int height, int move = 1, int size = 1);
    int MoveWindow(int x, int y, int width, int height);
    int MoveWindow(CRect rect) { return MoveWindow(rect.left, rect.top, rect.Width(), rect.Height()); }
    int DestroyWindow();
    long SendMessageW(unsigned msg, unsigned wParam = 0, long lParam = 0);
    // Safe from any thread.
    int PostMessageW(unsigned msg, unsigned wParam = 0, long lParam = 0);

    // Default processing of a message: WM_CLOSE destroys the window, a
    // caption press moves it.
    long DefWindowProc(unsigned msg, unsigned wParam, long lParam);
    // Entry of every message from the native window.
    long WindowProc(unsigned msg, unsigned wParam, long lParam);

protected:
    HWND m_hWnd = nullptr;
    HWND m_hWndParent = nullptr;
    int m_reserved = 0;

private:
    QEventLoop* m_modalLoop = nullptr;
    unsigned m_modalResult = 0;
};

}  // namespace OXA

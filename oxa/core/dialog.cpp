#include "oxa/core/dialog.h"

#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"

namespace OXA {

namespace {
CPoint PointOf(long lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
}  // namespace

MDialog::MDialog() = default;

MDialog::~MDialog()
{
    // Destroyed here, while the dialog's own handlers still exist.
    if (m_hWnd)
        DestroyWindow();
    Manager::DeleteWnd(this);
}

const char16_t* MDialog::GetClassNameW() const { return u"MDialog"; }

long MDialog::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    return OnMessage(id, code, wParam, lParam);
}

long MDialog::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    return m_manager.OnControlUpdate(rect, redraw, control);
}

long MDialog::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    switch (msg) {
    case WM_OXA_CLOSE:
        return OnUserCloseWindow(wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_CREATE:
        OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize(wParam, int(LOWORD(lParam)), int(HIWORD(lParam)));
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(lParam);
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(lParam);
        break;
    case WM_NCACTIVATE:
        OnNcActivate(int(wParam));
        break;
    case WM_NCHITTEST:
        OnNcHitTest(PointOf(lParam));
        break;
    case WM_NCCALCSIZE:
        OnNcCalcSize(wParam, lParam);
        break;
    case WM_NCPAINT:
        OnNcPaint();
        break;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case WM_TIMER:
        OnTimer(wParam);
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, PointOf(lParam));
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        break;
    case WM_MOUSEHOVER:
        OnMouseHover(wParam, PointOf(lParam));
        break;
    case WM_MOUSEWHEEL:
        OnMouseWheel(LOWORD(wParam), short(HIWORD(wParam)), PointOf(lParam));
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, PointOf(lParam));
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, PointOf(lParam));
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(wParam, PointOf(lParam));
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(wParam, PointOf(lParam));
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(wParam, PointOf(lParam));
        break;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(wParam, PointOf(lParam));
        break;
    case WM_KEYDOWN:
        OnKeyDown(wParam, unsigned(lParam & 0xFFFF), unsigned(lParam >> 16));
        break;
    default:
        break;
    }
    if (const long handled = m_manager.OnWindowMessage(msg, wParam, lParam))
        return handled;
    return DefWindowProc(msg, wParam, lParam);
}

int MDialog::PreTranslateMessage(MSG* msg) { return m_manager.PreTranslateMessage(msg); }

int MDialog::OnInitDialog()
{
    m_manager.Init(m_hWnd, this);
    Manager::AddWnd(this);
    m_clientRect = GetClientRect();
    InitUI(m_clientRect);
    return 1;
}

void MDialog::OnDestroyMessage(HWND hwnd)
{
    if (hwnd && hwnd == m_manager.GetPaintWnd())
        m_manager.DestroyData();
    Manager::DeleteWnd(this);
    PostNcDestroy();
}

CPoint MDialog::GetAirBladderPoint(MControl* control, unsigned type)
{
    if (!control)
        return CPoint(0, 0);
    const CRect r = control->GetRect();
    const int x = type == 0 ? r.left : type == 1 ? (r.left + r.right) / 2 : r.right;
    return ClientToScreen(CPoint(x, r.bottom));
}

void MDialog::OnMinimize() { ShowWindow(SW_MINIMIZE); }

void MDialog::OnMaximize() { ShowWindow(IsZoomed() ? SW_RESTORE : SW_SHOWMAXIMIZED); }

void MDialog::InitUI(CRect) {}
void MDialog::UISize(CRect) {}
long MDialog::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }

long MDialog::OnUserCloseWindow(unsigned wParam, long lParam)
{
    PostMessageW(WM_CLOSE, wParam, lParam);
    return 0;
}

int MDialog::OnCreate(CREATESTRUCT*)
{
    ModifyStyle(WS_CAPTION | WS_THICKFRAME, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x8);
    return 1;
}

void MDialog::OnSize(unsigned type, int, int)
{
    if (type != SIZE_MINIMIZED)
        SetupBackTranslucent();
    m_clientRect = GetClientRect();
    if (m_clientRect.Width() > 1 && m_clientRect.Height() > 1)
        UISize(m_clientRect);
    InvalidateRect(nullptr, 0);
}

int MDialog::OnMouseMove(unsigned, CPoint) { return 0; }
int MDialog::OnMouseLeave() { return 0; }
int MDialog::OnMouseHover(unsigned, CPoint) { return 0; }
int MDialog::OnMouseWheel(unsigned, short, CPoint) { return 0; }
int MDialog::OnLButtonDown(unsigned, CPoint) { return 0; }
int MDialog::OnLButtonUp(unsigned, CPoint) { return 0; }
int MDialog::OnLButtonDblClk(unsigned, CPoint) { return 0; }
int MDialog::OnRButtonDown(unsigned, CPoint) { return 0; }
int MDialog::OnRButtonUp(unsigned, CPoint) { return 0; }
int MDialog::OnRButtonDblClk(unsigned, CPoint) { return 0; }
int MDialog::OnKeyDown(unsigned, unsigned, unsigned) { return 0; }
int MDialog::OnNcHitTest(CPoint) { return 0; }
int MDialog::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
int MDialog::OnNcCalcSize(unsigned, long) { return 0; }
int MDialog::OnNcActivate(int) { return 0; }
int MDialog::OnWindowPosChanging(long) { return 0; }
int MDialog::OnWindowPosChanged(long) { return 0; }
int MDialog::OnPaint() { return 0; }
int MDialog::OnTimer(unsigned) { return 0; }
int MDialog::OnNcPaint() { return 0; }
int MDialog::OnClose() { return 1; }
int MDialog::OnDestroy() { return 0; }
void MDialog::PostNcDestroy() {}

void MDialog::DoOK() { PostMessageW(WM_OXA_CLOSE, IDOK, 0); }
void MDialog::DoCancel() { PostMessageW(WM_OXA_CLOSE, IDCANCEL, 0); }
void MDialog::DoClose() { PostMessageW(WM_OXA_CLOSE, IDCANCEL, 0); }
void MDialog::DoYes() { PostMessageW(WM_OXA_CLOSE, IDYES, 0); }
void MDialog::DoNo() { PostMessageW(WM_OXA_CLOSE, IDNO, 0); }

MControl* MDialog::CreateControl(const CString& className, unsigned id, CRect rect, const CString& title, int visible,
                                 int enabled)
{
    return m_manager.CreateControl(1, this, className, id, rect, title, visible, enabled);
}

MControl* MDialog::CreateArea(const CString& className, unsigned id, CRect rect, const CString& title, int visible,
                              int enabled)
{
    return m_manager.CreateControl(0, this, className, id, rect, title, visible, enabled);
}

void MDialog::SetMessage(const CString& text, CRect rect, int level)
{
    if (rect.IsRectEmpty()) {
        const CRect c = GetClientRect();
        const int left = (c.Width() - 200) / 2;
        rect = CRect(left, c.bottom - 60, left + 200, c.bottom - 2);
        rect.OffsetRect(0, m_messageOffset);
    }
    m_manager.SetMessage(text, rect, level);
}

void MDialog::SetProgress(int percent, const CString& text, CRect rect) { m_manager.SetProgress(percent, text, rect); }

void MDialog::SetAirBladderMsg(const CString& text, CPoint pt, AIRBLADDER_TYPE type)
{
    if (pt.x == 0 || pt.y == 0)
        return;
    m_manager.SetAirBladderMsg(text, pt, type, 3);
}

void MDialog::SetupBackTranslucent()
{
    if (!m_hWnd)
        return;
    if (m_alpha != 255) {
        ModifyExStyle(0, WS_EX_LAYERED);
        m_hWnd->setOpacity(std::clamp(m_alpha, 0, 255) / 255.0);
    } else if (m_colorKey != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED);
        m_hWnd->SetColorKey(true, m_colorKey);
    }
}

}  // namespace OXA

// Input dispatch of the window to its top-level controls.
#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>

#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/tooltip_window.h"
#include "oxa/core/ui_lock.h"
#include "oxa/core/window.h"

namespace OXA {

namespace {
constexpr CPoint kOutside(-1, -1);
CPoint PointOf(long lParam) { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }
}  // namespace

long PaintManager::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    {
        std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
        const size_t count = m_controls.size();
        for (size_t i = 0; i < count && i < m_controls.size(); ++i)
            if (m_controls[i]->OnWindowMessage(msg, wParam, lParam))
                return 0;
    }
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 1;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        if (info) {
            if (m_minSize.cx > 0)
                info->ptMinTrackSize.x = m_minSize.cx;
            if (m_minSize.cy > 0)
                info->ptMinTrackSize.y = m_minSize.cy;
            if (m_maxSize.cx > 0)
                info->ptMaxTrackSize.x = info->ptMaxSize.x = m_maxSize.cx;
            if (m_maxSize.cy > 0)
                info->ptMaxTrackSize.y = info->ptMaxSize.y = m_maxSize.cy;
        }
        return 1;
    }
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_MOUSEHOVER:
        return 1;
    case WM_CHAR:
        // Typed characters go to the control with the keyboard focus (the
        // edits insert them; other controls ignore them).
        if (m_focus) m_focus->OnWindowMessage(msg, wParam, long(lParam));
        return 1;
    case WM_NCDESTROY:
        DestroyData();
        return 1;
    case WM_NCACTIVATE:
        OnNcActivate(int(wParam));
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnKeyDown(wParam);
        return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return 0;  // key up is not passed to controls
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        HWND child = reinterpret_cast<HWND>(lParam);
        if (child && child != m_hWnd && NativeWindow::IsLive(child))
            return child->Dispatch(msg + OCM_BASE, wParam, lParam) ? 1 : 0;
        return 0;
    }
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, PointOf(lParam));
        return 1;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 1;
    case WM_LBUTTONDOWN:
        OnButtonDown(true, wParam, PointOf(lParam));
        return 1;
    case WM_LBUTTONUP:
        OnButtonUp(true, wParam, PointOf(lParam));
        return 1;
    case WM_LBUTTONDBLCLK:
        OnButtonDblClk(true, wParam, PointOf(lParam));
        return 1;
    case WM_RBUTTONDOWN:
        OnButtonDown(false, wParam, PointOf(lParam));
        return 1;
    case WM_RBUTTONUP:
        OnButtonUp(false, wParam, PointOf(lParam));
        return 1;
    case WM_RBUTTONDBLCLK:
        OnButtonDblClk(false, wParam, PointOf(lParam));
        return 1;
    case WM_MOUSEWHEEL:
        OnMouseWheel(wParam, lParam);
        return 1;
    case STM_SETIMAGE:
        if (lParam)
            OnDrop(*reinterpret_cast<const QImage*>(lParam));
        return 0;
    default:
        return 0;
    }
}

int PaintManager::PreTranslateMessage(MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && !Manager::IsKeyPressed(VK_CONTROL) &&
        !Manager::IsKeyPressed(VK_MENU)) {
        MControl* next = Manager::IsKeyPressed(VK_SHIFT) ? GetPrevFocusableControl() : GetNextFocusableControl();
        if (next && next != m_focus) {
            SetFocusControl(next);
            return 1;
        }
        return 0;
    }
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        if (m_tooltipWnd)
            m_tooltipWnd->RelayMove();
        break;
    default:
        break;
    }
    return 0;
}

MControl* PaintManager::FindHover(unsigned flags, CPoint pt)
{
    MControl* hover = nullptr;
    std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
    const size_t count = m_controls.size();
    for (size_t i = 0; i < count && i < m_controls.size(); ++i) {
        MControl* c = m_controls[i];
        c->OnMouseMove(flags, pt);
        if (c->PtInRect(pt) && c->GetRresponse())
            hover = c;
    }
    return hover;
}

void PaintManager::OnMouseMove(unsigned flags, CPoint pt)
{
    if (!m_tracking) {
        m_tracking = 1;
        if (m_hWnd)
            m_hWnd->TrackMouse(400);
    }
    if (m_dragArmed && m_hover && (flags & MK_LBUTTON)) {
        // A press on a drag source followed by a move starts the drag unless
        // the mouse jumped in both directions at once.
        const bool jumped = std::abs(pt.x - m_dragLast.x) > 2 && std::abs(pt.y - m_dragLast.y) > 2;
        m_dragArmed = 0;
        if (!jumped && !m_dragBitmap.isNull() && m_hWnd) {
            // The drag ends the press; the picture travels as an image.
            ReleaseCapture();
            m_pressed = 0;
            MControl* source = m_hover;
            auto* drag = new QDrag(m_hWnd);
            auto* mime = new QMimeData;
            mime->setImageData(m_dragBitmap);
            drag->setMimeData(mime);
            const QPixmap pixmap = QPixmap::fromImage(m_dragBitmap);
            drag->setPixmap(pixmap);
            drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
            {
                UiUnlockScope unlocked;  // the drag runs its own loop
                drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
            }
            drag->deleteLater();
            if (m_hover == source)
                source->OnLButtonUp(flags, kOutside);
            return;
        }
    }
    m_dragLast = pt;
    if (m_hover && m_hover->PtInRect(pt) && m_hover->OnCheckMouseResponse(flags, pt) && m_tracking) {
        m_hover->OnMouseMove(flags, pt);
        return;
    }
    if (m_tooltipActive && (!m_tooltipOwner || !m_tooltipOwner->PtInRect(pt)))
        ClearTooltip();
    if (m_pressed) {
        if (m_hover)
            m_hover->OnMouseMove(flags, pt);
        return;
    }
    m_hover = FindHover(flags, pt);
    if (!m_hover)
        SetCursor(Qt::ArrowCursor);
}

void PaintManager::OnMouseLeave()
{
    ClearTooltip();
    m_tracking = 0;
    if (m_pressed)
        return;
    if (MControl* hover = m_hover) {
        m_hover = nullptr;
        hover->OnMouseMove(0, kOutside);
    }
}

void PaintManager::OnButtonDown(bool left, unsigned flags, CPoint pt)
{
    // A press always follows a move to its point; synthetic input may not.
    if (!m_pressed && (!m_hover || !m_hover->PtInRect(pt)))
        OnMouseMove(flags, pt);
    if (m_focus && m_focus != m_hover) {
        MControl* old = m_focus;
        StoreFocusControl(nullptr);
        old->SetControlFocus(0);
    }
    MControl* hover = m_hover;
    if (hover && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(pt) &&
        hover->OnCheckMouseResponse(flags, pt)) {
        if (left && hover->IsDragDrop() && hover->IsEnabled()) {
            m_dragArmed = 1;
            m_dragLast = pt;
            m_dragBitmap = hover->GetControlDropBitmap();
        }
        m_pressed = 1;
        // Through SetFocusControl, so a top-level control learns it has the
        // focus (its flag drives keyboard handling such as Space).
        SetFocusControl(hover);
        if (left)
            hover->OnLButtonDown(flags, pt);
        else
            hover->OnRButtonDown(flags, pt);
        if (!m_captured)
            SetCapture();
        return;
    }
    if (left && m_wndDrag && m_window) {
        ReleaseCapture();
        const CPoint screen = m_window->ClientToScreen(pt);
        m_window->SendMessageW(WM_NCLBUTTONDOWN, HTCAPTION, MAKELONG(screen.x, screen.y));
    }
}

void PaintManager::OnButtonUp(bool left, unsigned flags, CPoint pt)
{
    ReleaseCapture();
    m_pressed = 0;
    m_dragArmed = 0;
    MControl* hover = m_hover;
    if (hover && hover->IsVisible() && hover->GetRresponse()) {
        if (left)
            hover->OnLButtonUp(flags, pt);
        else
            hover->OnRButtonUp(flags, pt);
        if (m_hover == hover && !hover->PtInRect(pt))
            m_hover = nullptr;
    }
}

void PaintManager::OnButtonDblClk(bool left, unsigned flags, CPoint pt)
{
    MControl* hover = m_hover;
    if (!hover)
        return;
    if (left)
        hover->OnLButtonDblClk(flags, pt);
    else
        hover->OnRButtonDblClk(flags, pt);
    if (m_hover == hover && !hover->PtInRect(pt))
        m_hover = nullptr;
}

void PaintManager::OnMouseWheel(unsigned wParam, long lParam)
{
    CPoint pt = PointOf(lParam);
    if (m_window)
        pt = m_window->ScreenToClient(pt);
    const int delta = int(short(HIWORD(wParam)));
    m_wheelRemainder += std::abs(delta);
    const int notches = m_wheelRemainder / WHEEL_DELTA;
    m_wheelRemainder %= WHEEL_DELTA;
    const unsigned down = delta < 0 ? 1 : 0;  // a turn towards the user
    for (int i = 0; i < notches; ++i) {
        if (m_hover && m_hover->OnScroll(1, down, pt))
            continue;
        // The others, once each (the hover control has had its turn).
        std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
        const size_t count = m_controls.size();
        for (size_t k = 0; k < count && k < m_controls.size(); ++k)
            if (m_controls[k] != m_hover && m_controls[k]->OnScroll(1, down, pt))
                break;
    }
}

void PaintManager::OnKeyDown(unsigned vk)
{
    const unsigned modifiers = (Manager::IsKeyPressed(VK_SHIFT) ? 0x10u : 0u) |
                               (Manager::IsKeyPressed(VK_CONTROL) ? 0x11u : 0u) |
                               (Manager::IsKeyPressed(VK_MENU) ? 0x12u : 0u);
    if (m_hover && m_hover->OnKeyDown(vk, 1, modifiers))
        return;
    std::lock_guard<std::recursive_mutex> lock(m_controlsLock);
    const size_t count = m_controls.size();
    for (size_t i = 0; i < count && i < m_controls.size(); ++i)
        if (m_controls[i] != m_hover && m_controls[i]->OnKeyDown(vk, 1, modifiers))
            return;
}

void PaintManager::OnNcActivate(int active)
{
    if (active)
        return;
    m_tracking = 0;
    if (m_captured)
        ReleaseCapture();
    const bool pressed = m_pressed != 0;
    m_pressed = 0;
    m_dragArmed = 0;
    if (MControl* hover = m_hover) {
        m_hover = nullptr;
        if (pressed)
            hover->OnLButtonUp(0, kOutside);
        else
            hover->OnMouseMove(0, kOutside);
    }
    Invalidate();
}

}  // namespace OXA

// Event routing through the control tree: mouse moves, buttons, wheel, keys
// and timer ticks, each delivered to the innermost control that takes it.
#include "oxa/core/control.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

int MControl::OnMouseMove(unsigned flags, CPoint pt)
{
    if (!m_visible || !m_mouseResponse)
        return 0;
    const CPoint raw = pt;
    OnMousePointChange(pt);
    MControl* old = nullptr;
    if (m_activeChild) {
        MControl* active = m_activeChild;
        const CPoint cp = ChildPoint(active, raw, pt);
        if ((active->PtInRect(cp) && active->OnCheckMouseResponse(flags, cp)) || m_pressedInside)
            return active->OnMouseMove(flags, cp);
        old = active;
        m_activeChild = nullptr;
    }
    if (!m_tooltip.isEmpty() && m_manager && m_rect.PtInRect(raw) && OnCheckMouseResponse(flags, pt) &&
        m_manager->GetTooltipOwner() != this) {
        m_manager->SetTooltip(m_tooltip, m_rect);
        m_manager->SetTooltipOwner(this);
    }
    OnControlSetCursor(flags, pt);
    int result = OnControlMouseMove(flags, pt);
    if (!m_pressedInside) {
        std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
        // The child the mouse left gets its last move first, so it drops its
        // hover look before another child becomes active.
        if (old) {
            const CPoint cp = ChildPoint(old, raw, pt);
            const int r = old->OnMouseMove(flags, cp);
            if (r) {
                result = 1;
                if (old->PtInRect(cp))
                    m_activeChild = old;
            }
        }
        const size_t count = m_children.size();
        for (size_t i = 0; i < count && i < m_children.size(); ++i) {
            MControl* child = m_children[i];
            if (child == old)
                continue;
            const CPoint cp = ChildPoint(child, raw, pt);
            const int r = child->OnMouseMove(flags, cp);
            if (r) {
                result = 1;
                if (child->PtInRect(cp))
                    m_activeChild = child;
            }
        }
    }
    return (m_activeChild || old) ? 1 : result;
}

MControl* MControl::RoutePress(CPoint raw, CPoint pt, CPoint& targetPt)
{
    MControl* target = nullptr;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    for (MControl* child : m_children) {
        const CPoint cp = ChildPoint(child, raw, pt);
        if (child->PtInRect(cp) && child->IsVisible() && child->IsEnabled() && child->GetRresponse()) {
            target = child;
            targetPt = cp;
        }
    }
    m_activeChild = target;
    return target;
}

void MControl::TakeFocusOnPress()
{
    if (!m_manager) return;
    MControl* focus = m_manager->GetFocusControl();
    if (focus == this) return;
    if (focus) focus->SetControlFocus(0);
    SetControlFocus(1);
    m_manager->StoreFocusControl(this);
}

// Both mouse buttons route alike; `right` picks the handlers of the button.
int MControl::RouteButtonDown(bool right, unsigned flags, CPoint pt)
{
    if (!m_visible || !m_mouseResponse)
        return 0;
    const CPoint raw = pt;
    OnMousePointChange(pt);
    m_pressedInside = PtInRect(raw);
    CPoint targetPt = pt;
    if (MControl* target = RoutePress(raw, pt, targetPt))
        return right ? target->OnRButtonDown(flags, targetPt) : target->OnLButtonDown(flags, targetPt);
    TakeFocusOnPress();
    return right ? OnControlRButtonDown(flags, pt) : OnControlLButtonDown(flags, pt);
}

int MControl::RouteButtonUp(bool right, unsigned flags, CPoint pt)
{
    const CPoint raw = pt;
    OnMousePointChange(pt);
    m_pressedInside = 0;
    if (MControl* active = m_activeChild) {
        const CPoint cp = ChildPoint(active, raw, pt);
        return right ? active->OnRButtonUp(flags, cp) : active->OnLButtonUp(flags, cp);
    }
    return right ? OnControlRButtonUp(flags, pt) : OnControlLButtonUp(flags, pt);
}

int MControl::RouteButtonDblClk(bool right, unsigned flags, CPoint pt)
{
    const CPoint raw = pt;
    OnMousePointChange(pt);
    m_pressedInside = 0;
    if (MControl* active = m_activeChild) {
        const CPoint cp = ChildPoint(active, raw, pt);
        const int r = right ? active->OnRButtonDblClk(flags, cp) : active->OnLButtonDblClk(flags, cp);
        if (!r && !active->GetDblClk())
            return right ? active->OnRButtonDown(flags, cp) : active->OnLButtonDown(flags, cp);
        return r;
    }
    if (m_dblClk)
        return right ? OnControlRButtonDblClk(flags, pt) : OnControlLButtonDblClk(flags, pt);
    return right ? OnControlRButtonDown(flags, pt) : OnControlLButtonDown(flags, pt);
}

int MControl::OnLButtonDown(unsigned flags, CPoint pt) { return RouteButtonDown(false, flags, pt); }
int MControl::OnLButtonUp(unsigned flags, CPoint pt) { return RouteButtonUp(false, flags, pt); }
int MControl::OnLButtonDblClk(unsigned flags, CPoint pt) { return RouteButtonDblClk(false, flags, pt); }
int MControl::OnRButtonDown(unsigned flags, CPoint pt) { return RouteButtonDown(true, flags, pt); }
int MControl::OnRButtonUp(unsigned flags, CPoint pt) { return RouteButtonUp(true, flags, pt); }
int MControl::OnRButtonDblClk(unsigned flags, CPoint pt) { return RouteButtonDblClk(true, flags, pt); }

int MControl::OnScroll(int kind, unsigned down, CPoint pt)
{
    if (!m_visible || !m_mouseResponse || !m_enabled)
        return 0;
    if (MControl* active = m_activeChild)
        if (active->PtInRect(pt) && active->OnCheckMouseResponse(0, pt))
            return active->OnScroll(kind, down, pt);
    if (!m_rect.PtInRect(pt))
        return 0;
    if (OnControlScroll(kind, down, pt))
        return 1;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    const size_t count = m_children.size();
    for (size_t i = 0; i < count && i < m_children.size(); ++i) {
        MControl* child = m_children[i];
        if (child->PtInRect(pt) && child->OnScroll(kind, down, pt))
            return 1;
    }
    return 0;
}

int MControl::OnKeyDown(unsigned vk, unsigned repeat, unsigned modifiers)
{
    if (!m_visible || !m_mouseResponse)
        return 0;
    {
        std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
        for (MControl* child : m_children) {
            if (!child->IsFocused())
                continue;
            if (!child->IsVisible())
                return 0;
            return child->OnKeyDown(vk, repeat, modifiers);
        }
    }
    if (MControl* active = m_activeChild)
        if (active->OnKeyDown(vk, repeat, modifiers))
            return 1;
    if (OnControlKeyDown(vk, repeat, modifiers))
        return 1;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    const size_t count = m_children.size();
    for (size_t i = 0; i < count && i < m_children.size(); ++i)
        if (m_children[i]->OnKeyDown(vk, repeat, modifiers))
            return 1;
    return 0;
}

int MControl::OnKeyUp(unsigned, unsigned, unsigned) { return 0; }

int MControl::OnTimer()
{
    int result = OnControlTimer() ? 1 : 0;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    const size_t count = m_children.size();
    for (size_t i = 0; i < count && i < m_children.size(); ++i) {
        MControl* child = m_children[i];
        if (child->IsRunTimer() && child->IsVisible() && child->OnTimer())
            result = 1;
    }
    return result;
}

}  // namespace OXA

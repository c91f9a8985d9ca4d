#include "oxa/core/panel.h"

#include "oxa/core/control_factory.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/scroll_bar.h"

namespace OXA {

MPanel::MPanel(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, CString(), visible, 1, 1)
{
    m_dblClk = 1;
    m_vbar = new CScrollVertical(this, 1, CRect(rect.right - m_barThickness, rect.top, rect.right, rect.bottom), 0, 1);
    m_hbar = new CScrollHorizontal(this, 2, CRect(rect.left, rect.bottom - m_barThickness, rect.right, rect.bottom), 0, 1);
    AddChild(m_vbar);
    AddChild(m_hbar);
}

MPanel::~MPanel() = default;

MControl* MPanel::CreateArea(const CString& className, unsigned id, CRect rect, const CString& title, int visible,
                             int enabled)
{
    return CreateControl(0, this, className, id, rect, title, visible, enabled);
}

MControl* MPanel::CreateControl(unsigned kind, MObject* parent, const CString& className, unsigned id, CRect rect,
                                const CString& title, int visible, int enabled)
{
    MControl* control = CreatePanelControl(className, parent, id, rect, title, visible, enabled);
    if (!control)
        return nullptr;
    if (m_attached)
        control->SetManager(m_manager);
    if (kind == 0)
        AddArea(control);
    else
        AddChild(control);
    return control;
}

MControl* MPanel::CreateControl(const CString& className, unsigned id, CRect rect, const CString& title, int visible,
                                int enabled)
{
    return CreateControl(1, this, className, id, rect, title, visible, enabled);
}

int MPanel::OnControlKeyUp(unsigned, unsigned, unsigned) { return 0; }

void MPanel::InitControl(PaintManager* manager)
{
    m_attached = 1;
    if (m_vbar)
        m_vbar->SetManager(manager);
    if (m_hbar)
        m_hbar->SetManager(manager);
}

void MPanel::DrawControl(HDC&, CRect) {}

int MPanel::DrawSubControls(HDC& hdc, CRect paint)
{
    if (!(m_scrollEnabled && (OverflowsV() || OverflowsH())))
        return MControl::DrawSubControls(hdc, paint);
    // The derived panel draws its shifted content itself; the bars are
    // drawn here on top of it.
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    for (MControl* bar : {static_cast<MControl*>(m_vbar), static_cast<MControl*>(m_hbar)})
        if (bar && bar->IsVisible())
            bar->Draw(hdc, paint);
    return 1;
}

int MPanel::GetVOffset() const
{
    if (!m_scrollEnabled || !OverflowsV() || !m_vbar || m_vbar->GetScrollRange() == 0)
        return 0;
    return int((long long)(m_contentHeight - m_rect.Height()) * m_vbar->GetScrollPos() / m_vbar->GetScrollRange());
}

int MPanel::GetHOffset() const
{
    if (!m_scrollEnabled || !OverflowsH() || !m_hbar || m_hbar->GetScrollRange() == 0)
        return 0;
    return int((long long)(m_contentWidth - m_rect.Width()) * m_hbar->GetScrollPos() / m_hbar->GetScrollRange());
}

int MPanel::OnMousePointChange(CPoint& pt)
{
    pt.x += GetHOffset();
    pt.y += GetVOffset();
    return 0;
}

int MPanel::OnCheckMouseResponse(unsigned, CPoint) { return 1; }

long MPanel::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    const size_t count = m_children.size();
    for (size_t i = 0; i < count && i < m_children.size(); ++i)
        if (long r = m_children[i]->OnWindowMessage(msg, wParam, lParam))
            return r;
    return 0;
}

long MPanel::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    return m_parent ? m_parent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

long MPanel::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    return OnMessage(id, code, wParam, lParam);
}

long MPanel::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    if (redraw && control)
        control->SetUpdate(0, m_manager ? m_manager->GetBackColor() : 0);
    if (!m_attached || !m_manager)
        return 0;
    {
        std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
        auto it = std::find(m_children.begin(), m_children.end(), control);
        if (it != m_children.end()) {
            for (++it; it != m_children.end(); ++it) {
                MControl* later = *it;
                if (later->IsVisible() && later->GetRect().Intersects(rect)) {
                    later->SetUpdate(0, m_manager->GetBackColor());
                    rect = rect.United(later->GetRect());
                }
            }
        }
    }
    // Content coordinates to window coordinates, then the whole panel.
    if (control != m_vbar && control != m_hbar)
        rect.OffsetRect(-GetHOffset(), -GetVOffset());
    rect = rect.United(m_rect);
    m_manager->InvalidateRect(rect, 0);
    return 0;
}

void MPanel::SetControlRect(CRect rect)
{
    m_rect = rect;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    m_contentHeight = 0;
    m_contentWidth = 0;
    for (MControl* child : m_children) {
        const unsigned id = child->GetControlID();
        if (id == 1 || id == 2)
            continue;
        const CRect r = child->GetRect();
        m_contentHeight = std::max(m_contentHeight, r.bottom - rect.top);
        m_contentWidth = std::max(m_contentWidth, r.right - rect.left);
    }
    for (MControl* child : m_children) {
        const unsigned id = child->GetControlID();
        if (id != 1 && id != 2)
            continue;
        auto* bar = dynamic_cast<MScroll*>(child);
        if (id == 1) {
            child->SetControlRect(CRect(rect.right - m_barThickness, rect.top, rect.right, rect.bottom));
            if (bar)
                bar->SetScrollRange(m_contentHeight);
            child->SetControlVisible(m_contentHeight > rect.Height());
        } else {
            child->SetControlRect(CRect(rect.left, rect.bottom - m_barThickness, rect.right, rect.bottom));
            if (bar)
                bar->SetScrollRange(m_contentWidth);
            child->SetControlVisible(m_contentWidth > rect.Width());
        }
        child->UpdateControl(1, 0);
    }
}

void MPanel::SetControlVisible(int visible)
{
    m_visible = visible ? 1 : 0;
    SetControlWndVisible(m_visible);
}

void MPanel::SetControlEnabled(int enabled)
{
    m_enabled = enabled ? 1 : 0;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    for (MControl* child : m_children) {
        if (child->IsEnabled() == m_enabled)
            continue;
        child->SetControlEnabled(m_enabled);
        if (child->IsVisible())
            child->UpdateControl(1, 0);
    }
}

int MPanel::OnControlTimer() { return 0; }
int MPanel::OnControlMouseMove(unsigned, CPoint) { return 0; }

int MPanel::OnControlScroll(int, unsigned down, CPoint)
{
    if (!m_scrollEnabled || m_contentHeight < m_rect.Height() || !m_vbar)
        return 0;
    m_vbar->ScrollRow(down ? 1 : -1);
    UpdateControl(1, 0);
    m_vbar->UpdateControl(1, 0);
    return 1;
}

}  // namespace OXA

#include "oxa/core/control.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

MControl::MControl(MObject* parent, unsigned id, CRect rect, int visible, int enabled, int mouseResponse)
    : m_parent(parent), m_id(id), m_rect(rect), m_visible(visible ? 1 : 0), m_enabled(enabled ? 1 : 0),
      m_mouseResponse(mouseResponse ? 1 : 0)
{
}

MControl::~MControl()
{
    RemoveAllControl();
    if (m_manager)
        m_manager->ForgetControl(this);
}

const char16_t* MControl::GetClassNameW() const { return u"MControl"; }

void MControl::InitControl(PaintManager*) {}

int MControl::PtInRect(CPoint pt) { return m_visible && m_rect.PtInRect(pt) ? 1 : 0; }

int MControl::DrawSubControls(HDC& hdc, CRect paint)
{
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    const size_t count = m_children.size();
    for (size_t i = 0; i < count && i < m_children.size(); ++i) {
        MControl* child = m_children[i];
        if (child->IsVisible())
            child->Draw(hdc, paint);
    }
    return 1;
}

int MControl::IsDraw(CPoint) { return 0; }

void MControl::SetUpdate(int update, unsigned long backColor)
{
    m_update = update;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    for (MControl* child : m_children)
        if (child->m_rect.Intersects(m_rect))
            child->SetUpdate(update, backColor);
}

int MControl::SetControlFocus(int focus)
{
    if (focus == 0) {
        std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
        for (MControl* child : m_children)
            child->SetControlFocus(0);
    }
    return 0;
}

void MControl::InitUI(CRect) {}
int MControl::OnMousePointChange(CPoint&) { return 0; }
int MControl::OnCheckMouseResponse(unsigned, CPoint) { return 1; }
long MControl::OnWindowMessage(unsigned, unsigned, long) { return 0; }
long MControl::OnMessage(unsigned, unsigned, unsigned, long) { return 0; }
void MControl::SetControlRect(CRect rect) { m_rect = rect; }
void MControl::SetControlVisible(int visible) { m_visible = visible ? 1 : 0; }
void MControl::SetControlWndVisible(int) {}
void MControl::SetControlEnabled(int enabled) { m_enabled = enabled ? 1 : 0; }
int MControl::OnControlTimer() { return 0; }
QImage MControl::GetControlDropBitmap() { return QImage(); }
int MControl::OnControlMouseMove(unsigned, CPoint) { return 0; }

int MControl::OnControlSetCursor(unsigned, CPoint pt)
{
    if (m_cursor < 0 || !m_rect.PtInRect(pt))
        return 0;
    if (m_manager)
        m_manager->SetCursor(m_cursor);
    return 1;
}

int MControl::OnControlLButtonDown(unsigned, CPoint) { return 0; }
int MControl::OnControlLButtonUp(unsigned, CPoint) { return 0; }
int MControl::OnControlLButtonDblClk(unsigned, CPoint) { return 0; }
int MControl::OnControlScroll(int, unsigned, CPoint) { return 0; }
int MControl::OnControlRButtonDown(unsigned, CPoint) { return 0; }
int MControl::OnControlRButtonUp(unsigned, CPoint) { return 0; }
int MControl::OnControlRButtonDblClk(unsigned, CPoint) { return 0; }
int MControl::OnControlKeyDown(unsigned, unsigned, unsigned) { return 0; }
int MControl::OnInputMethod(const CString&, const CString&) { return 0; }
int MControl::GetInputMethodCursor(CRect&) { return 0; }
void MControl::OnPositionChange() {}

void MControl::InvalidateRect(const CRect* rect, int erase)
{
    if (m_manager)
        m_manager->InvalidateRect(rect ? *rect : m_rect, erase);
}

void MControl::Draw(HDC& hdc, CRect paint)
{
    if (!m_visible || !m_rect.Intersects(paint))
        return;
    {
        std::lock_guard<std::recursive_mutex> lock(m_areasLock);
        const size_t count = m_areas.size();
        for (size_t i = 0; i < count && i < m_areas.size(); ++i) {
            MControl* area = m_areas[i];
            if (area->m_rect.Intersects(m_rect))
                area->Draw(hdc, paint);
        }
    }
    DrawControl(hdc, paint);
    DrawSubControls(hdc, paint);
}

void MControl::SetManager(PaintManager* manager)
{
    m_manager = manager;
    InitControl(manager);
}

long MControl::SendMessageW(unsigned code, unsigned wParam, long lParam)
{
    return m_parent ? m_parent->OnBaseMessage(m_id, code, wParam, lParam) : 0;
}

void MControl::SetRect(CRect rect)
{
    const CRect old = m_rect;
    SetControlRect(rect);
    if (m_visible && m_parent)
        m_parent->OnControlUpdate(old.United(m_rect), 1, this);
}

void MControl::SetRect(int x, int y, int width, int height) { SetRect(CRect(x, y, x + width, y + height)); }

void MControl::SetVisible(int visible) { SetVisible(visible, 1); }

void MControl::SetVisible(int visible, int repaint)
{
    visible = visible ? 1 : 0;
    if (visible == m_visible)
        return;
    SetControlVisible(visible);
    if (repaint && m_parent)
        m_parent->OnControlUpdate(m_rect, 1, this);
}

void MControl::SetEnabled(int enabled)
{
    enabled = enabled ? 1 : 0;
    if (enabled == m_enabled)
        return;
    SetControlEnabled(enabled);
    if (m_visible && m_parent)
        m_parent->OnControlUpdate(m_rect, 1, this);
}

int MControl::IsParentVisible() const
{
    if (!m_parent)
        return 0;
    if (m_parent->IsClass(u"MDialog"_qs))
        return 1;
    const auto* parent = dynamic_cast<const MControl*>(m_parent);
    if (!parent)
        return 1;  // another window object: the root of the tree
    return parent->m_visible && parent->IsParentVisible() ? 1 : 0;
}

void MControl::UpdateControl(int redraw, int force)
{
    if ((m_visible || force) && m_parent)
        m_parent->OnControlUpdate(m_rect, redraw, this);
}

void MControl::UpdateAControl(int partial, int force)
{
    if ((m_visible || force) && m_parent) {
        m_animate = partial ? 0 : 1;
        m_parent->OnControlUpdate(m_rect, 0, this);
    }
}

void MControl::UpdateControl(CRect rect, int force, int redraw)
{
    if ((m_visible || force) && m_parent)
        m_parent->OnControlUpdate(rect, redraw, this);
}

MControl* MControl::GetControl(unsigned id)
{
    // Depth first over the children, then the areas; no lock (ids are read
    // from handlers that may hold other controls' locks).
    for (MControl* child : m_children) {
        if (child->m_id == id)
            return child;
        if (MControl* found = child->GetControl(id))
            return found;
    }
    for (MControl* area : m_areas)
        if (area->m_id == id)
            return area;
    return nullptr;
}

void MControl::AddChild(MControl* child)
{
    if (!child)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    m_children.push_back(child);
}

void MControl::AddArea(MControl* area)
{
    if (!area)
        return;
    std::lock_guard<std::recursive_mutex> lock(m_areasLock);
    m_areas.push_back(area);
}

int MControl::RemoveControl(MControl* control)
{
    if (!control)
        return 0;
    if (m_manager && m_manager->GetFocusControl() == control) {
        control->SetControlFocus(0);
        m_manager->StoreFocusControl(nullptr);
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
        auto it = std::find(m_children.begin(), m_children.end(), control);
        if (it == m_children.end())
            return 0;
        m_children.erase(it);
        if (m_activeChild == control)
            m_activeChild = nullptr;
    }
    delete control;
    return 0;
}

void MControl::RemoveAllControl()
{
    std::vector<MControl*> areas;
    std::vector<MControl*> children;
    {
        std::lock_guard<std::recursive_mutex> lock(m_areasLock);
        areas.swap(m_areas);
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
        children.swap(m_children);
        m_activeChild = nullptr;
    }
    for (MControl* a : areas)
        delete a;
    for (MControl* c : children)
        delete c;
}

void MControl::ForgetChild(MControl* child)
{
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
    if (m_activeChild == child)
        m_activeChild = nullptr;
}

int MControl::IsFocusControl() const { return m_manager && m_manager->GetFocusControl() == this ? 1 : 0; }

void MControl::SetTooltip(const CString& text, CRect rect)
{
    if (!m_manager)
        return;
    m_manager->SetTooltip(text, rect);
    m_manager->SetTooltipOwner(this);
}

void MControl::ClearTooltip()
{
    if (m_manager)
        m_manager->ClearTooltip();
}

void MControl::AddMTimer()
{
    if (m_manager)
        m_manager->AddMTimer(this);
}

int MControl::SetCursorEx(const CString& name)
{
    static const struct {
        const char16_t* name;
        Qt::CursorShape shape;
    } kCursors[] = {
        {u"arrow", Qt::ArrowCursor},   {u"wait", Qt::WaitCursor},         {u"cross", Qt::CrossCursor},
        {u"sizewe", Qt::SizeHorCursor}, {u"sizens", Qt::SizeVerCursor},   {u"hand", Qt::PointingHandCursor},
        {u"help", Qt::WhatsThisCursor},
    };
    for (const auto& c : kCursors)
        if (name == QStringView(c.name))
            m_cursor = int(c.shape);
    return 0;
}

CPoint MControl::ChildPoint(const MControl* child, CPoint raw, CPoint translated)
{
    return (child->m_id == 1 || child->m_id == 2) ? raw : translated;
}

// --- cached rendering -------------------------------------------------------

void MControl::UpdateMemDC(HDC&, int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (m_memImage.width() != width || m_memImage.height() != height)
        m_memImage = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_update = 1;
}

void MControl::UpdateAnimateDC(HDC&, int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (m_animateImage.width() != width || m_animateImage.height() != height)
        m_animateImage = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    m_animate = 1;
}

void MControl::CopyBackgroundToFrame(HDC& hdc, int frame)
{
    if (!hdc.surface || m_memImage.isNull())
        return;
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    const QRect frameRect = QRect(frame * w, 0, w, h).intersected(m_memImage.rect());
    if (frameRect.isEmpty())
        return;
    // Transparent where the window surface has nothing (outside it); when
    // the surface covers the whole control the copy overwrites every pixel.
    if (!hdc.surface->rect().contains(m_rect.ToQRect()) || hdc.surface->format() != m_memImage.format()) {
        for (int y = frameRect.top(); y <= frameRect.bottom(); ++y)
            std::memset(m_memImage.scanLine(y) + size_t(frameRect.left()) * 4, 0, size_t(frameRect.width()) * 4);
    }
    MRender::BitBlt(m_memImage, frame * w, 0, w, h, *hdc.surface, m_rect.left, m_rect.top);
}

void MControl::DrawFrameFromCache(HDC& hdc, int frame)
{
    if (!hdc.surface || m_memImage.isNull())
        return;
    const int w = m_rect.Width();
    MRender::BitBlt(*hdc.surface, m_rect.left, m_rect.top, w, m_rect.Height(), m_memImage, frame * w, 0);
}

}  // namespace OXA

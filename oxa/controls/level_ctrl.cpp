#include "oxa/controls/level_ctrl.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr ARGB kLit = 0xFFFFE100u, kUnlit = 0x64050505u, kDisabled = 0xFF808080u;
}

MLevelCtrl::MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
    m_frameCount = 2;
}

void MLevelCtrl::SetLevelCount(int count)
{
    m_count = std::max(1, count);
    m_level = std::min(m_level, m_count);
    UpdateControl(1, 0);
}

int MLevelCtrl::SetLevel(int level)
{
    level = std::clamp(level, 0, m_count);
    if (level != m_level) {
        m_level = level;
        UpdateControl(1, 0);
    }
    return m_level;
}

CRect MLevelCtrl::GetSegmentRect(int index) const
{
    if (index < 0 || index >= m_count)
        return CRect();
    // Segments share the width left after the gaps; the last takes the rest.
    const int usable = std::max(0, m_rect.Width() - kGap * (m_count - 1));
    const int each = usable / m_count;
    const int left = m_rect.left + index * (each + kGap);
    const int right = index == m_count - 1 ? m_rect.right : left + each;
    return CRect(left, m_rect.top, right, m_rect.bottom);
}

int MLevelCtrl::SegmentAt(CPoint pt) const
{
    if (!m_rect.PtInRect(pt))
        return -1;
    for (int i = 0; i < m_count; ++i) {
        const CRect r = GetSegmentRect(i);
        if (pt.x >= r.left && pt.x < r.right)
            return i;
    }
    return -1;  // in a gap
}

int MLevelCtrl::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    const int segment = SegmentAt(pt);
    if (segment < 0)
        return 0;
    m_level = segment + 1;
    UpdateControl(1, 0);
    SendMessageW(2, unsigned(m_level), 0);
    return 1;
}

void MLevelCtrl::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    for (int i = 0; i < m_count; ++i) {
        const CRect r = GetSegmentRect(i);
        const bool lit = i < m_level;
        if (m_image && m_frameWidth > 0)
            DrawImageStrip(p, lit ? 1 : 0, r, 0);
        else
            MRender::DrawColor(p, r, lit ? (m_enabled ? kLit : kDisabled) : kUnlit);
    }
    p.restore();
}

}  // namespace OXA

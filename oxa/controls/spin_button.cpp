#include "oxa/controls/spin_button.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr int kArrowWidth = 16;
}

CSpinButton::CSpinButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
}

int CSpinButton::SetValue(int value)
{
    value = std::clamp(value, m_min, m_max);
    if (value != m_value) {
        m_value = value;
        UpdateControl(1, 0);
    }
    return m_value;
}

void CSpinButton::SetRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    SetValue(m_value);
}

void CSpinButton::Step(int direction)
{
    const long long next = std::clamp<long long>((long long)m_value + direction * (long long)m_step, m_min, m_max);
    if (int(next) == m_value)
        return;
    m_value = int(next);
    UpdateControl(1, 0);
    SendMessageW(28, 0, 0);
}

int CSpinButton::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled || pt.x < m_rect.right - kArrowWidth)
        return 0;
    Step(pt.y < (m_rect.top + m_rect.bottom) / 2 ? 1 : -1);
    return 1;
}

int CSpinButton::OnControlScroll(int, unsigned down, CPoint)
{
    if (!m_enabled)
        return 0;
    Step(down ? -1 : 1);
    return 1;
}

void CSpinButton::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    const ARGB colour = m_enabled ? m_textColor : 0xFF808080u;
    const CRect text(m_rect.left + 4, m_rect.top, m_rect.right - kArrowWidth, m_rect.bottom);
    MRender::DrawText(p, text, QString::number(m_value), colour, GetGDIFont(), m_hAlign, 4);
    // Two small triangles for the arrows.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(colour));
    const double cx = m_rect.right - kArrowWidth / 2.0;
    const double mid = (m_rect.top + m_rect.bottom) / 2.0;
    const QPointF up[] = {{cx - 4, mid - 3}, {cx + 4, mid - 3}, {cx, mid - 8}};
    const QPointF down[] = {{cx - 4, mid + 3}, {cx + 4, mid + 3}, {cx, mid + 8}};
    p.drawPolygon(up, 3);
    p.drawPolygon(down, 3);
    p.restore();
}

}  // namespace OXA

#include "oxa/controls/color_palette.h"

#include <QPainter>

#include "oxa/controls/color_math.h"

namespace OXA {

namespace {
constexpr int kBarWidth = 16;
constexpr int kGap = 8;
}  // namespace

CColorPalette::CColorPalette(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible)
{
    EnableScroll(0);
    SetDblClk(0);  // a quick second press picks again
}

CRect CColorPalette::FieldRect() const
{
    return CRect(m_rect.left, m_rect.top, std::max(m_rect.left, m_rect.right - kBarWidth - kGap), m_rect.bottom);
}

CRect CColorPalette::HueRect() const
{
    return CRect(std::max(m_rect.left, m_rect.right - kBarWidth), m_rect.top, m_rect.right, m_rect.bottom);
}

void CColorPalette::SetColor(COLORREF colour)
{
    m_color = colour & 0xFFFFFF;
    const QColor c = FromColorRef(m_color).toHsv();
    if (c.hsvHue() >= 0)
        m_hue = c.hsvHue();
    m_sat = c.hsvSaturationF();
    m_val = c.valueF();
    UpdateControl(1, 0);
}

void CColorPalette::Track(CPoint pt, bool press)
{
    if (m_drag == 1) {
        const CRect f = FieldRect();
        m_sat = f.Width() > 1 ? std::clamp(double(pt.x - f.left) / (f.Width() - 1), 0.0, 1.0) : 1.0;
        m_val = f.Height() > 1 ? 1.0 - std::clamp(double(pt.y - f.top) / (f.Height() - 1), 0.0, 1.0) : 1.0;
    } else if (m_drag == 2) {
        const CRect h = HueRect();
        m_hue = h.Height() > 0 ? std::clamp((pt.y - h.top) * 360 / h.Height(), 0, 359) : 0;
    } else {
        return;
    }
    const COLORREF colour = ToColorRef(QColor::fromHsvF(float(m_hue) / 360.0f, float(m_sat), float(m_val)));
    UpdateControl(1, 0);
    if (colour == m_color && !press)
        return;
    m_color = colour;
    SendMessageW(27, 0, long(m_color));
}

int CColorPalette::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    m_drag = FieldRect().PtInRect(pt) ? 1 : HueRect().PtInRect(pt) ? 2 : 0;
    if (!m_drag)
        return 0;
    Track(pt, true);
    return 1;
}

int CColorPalette::OnControlMouseMove(unsigned, CPoint pt)
{
    if (m_drag)
        Track(pt, false);
    return m_drag || m_rect.PtInRect(pt) ? 1 : 0;
}

int CColorPalette::OnControlLButtonUp(unsigned, CPoint)
{
    if (!m_drag)
        return 0;
    m_drag = 0;
    SendMessageW(2, 0, long(m_color));
    return 1;
}

void CColorPalette::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    const CRect f = FieldRect(), h = HueRect();
    if (!f.IsRectEmpty() && (m_field.size() != QSize(f.Width(), f.Height()) || m_fieldHue != m_hue)) {
        m_field = MakeSaturationValueField(f.Width(), f.Height(), m_hue);
        m_fieldHue = m_hue;
    }
    if (!h.IsRectEmpty() && m_strip.size() != QSize(h.Width(), h.Height()))
        m_strip = MakeHueStrip(h.Width(), h.Height());
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    if (!f.IsRectEmpty())
        p.drawImage(f.left, f.top, m_field);
    if (!h.IsRectEmpty())
        p.drawImage(h.left, h.top, m_strip);
    if (!m_enabled)
        p.fillRect(m_rect.ToQRect(), QColor(0x05, 0x05, 0x05, 140));
    p.setRenderHint(QPainter::Antialiasing);
    // Marker in the square: a white ring over a dark one, readable on any colour.
    const double mx = f.left + m_sat * std::max(0, f.Width() - 1);
    const double my = f.top + (1.0 - m_val) * std::max(0, f.Height() - 1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 160), 3.0));
    p.drawEllipse(QPointF(mx, my), 5.0, 5.0);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawEllipse(QPointF(mx, my), 5.0, 5.0);
    // Marker on the hue bar: a white bar with a dark outline.
    const double hy = h.top + double(m_hue) * h.Height() / 360.0;
    p.setPen(QPen(QColor(0, 0, 0, 160), 1.0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(h.left - 2.0, hy - 2.0, h.Width() + 4.0, 4.0), 1.5, 1.5);
    p.restore();
}

}  // namespace OXA

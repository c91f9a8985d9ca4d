#include "oxa/controls/color_select.h"

#include <QPainter>

#include "oxa/controls/color_math.h"

namespace OXA {

CColorSelect::CColorSelect(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible)
{
    EnableScroll(0);
    SetDblClk(0);
    SetColor(m_color);
}

const QImage& CColorSelect::Spectrum()
{
    const QSize size(std::max(1, m_rect.Width()), std::max(1, m_rect.Height()));
    if (m_spectrum.size() != size)
        m_spectrum = MakeSpectrum(size.width(), size.height());
    return m_spectrum;
}

void CColorSelect::SetControlRect(CRect rect)
{
    const CSize old = m_rect.Size();
    MPanel::SetControlRect(rect);
    // Keep the marker on the same colour when the size changes.
    if (!(old == rect.Size()))
        SetColor(m_color);
}

void CColorSelect::SetColor(COLORREF colour)
{
    m_color = colour & 0xFFFFFF;
    const QColor c = FromColorRef(m_color).toHsl();
    const int w = std::max(1, m_rect.Width()), h = std::max(1, m_rect.Height());
    const int x = c.hslHue() >= 0 ? std::clamp(c.hslHue() * w / 360, 0, w - 1) : m_marker.x;
    const int y = std::clamp(int((1.0 - c.lightnessF()) * (h - 1) + 0.5), 0, h - 1);
    m_marker = CPoint(x, y);
    UpdateControl(1, 0);
}

COLORREF CColorSelect::ColorAt(CPoint pt)
{
    const QImage& spectrum = Spectrum();
    const int x = std::clamp(pt.x - m_rect.left, 0, spectrum.width() - 1);
    const int y = std::clamp(pt.y - m_rect.top, 0, spectrum.height() - 1);
    return PixelColorRef(spectrum, x, y);
}

void CColorSelect::Track(CPoint pt, bool press)
{
    const int x = std::clamp(pt.x - m_rect.left, 0, std::max(0, m_rect.Width() - 1));
    const int y = std::clamp(pt.y - m_rect.top, 0, std::max(0, m_rect.Height() - 1));
    m_marker = CPoint(x, y);
    const COLORREF colour = ColorAt(pt);
    UpdateControl(1, 0);
    if (colour == m_color && !press)
        return;
    m_color = colour;
    SendMessageW(27, 0, long(m_color));
}

int CColorSelect::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled || !m_rect.PtInRect(pt))
        return 0;
    m_dragging = true;
    Track(pt, true);
    return 1;
}

int CColorSelect::OnControlMouseMove(unsigned, CPoint pt)
{
    if (m_dragging)
        Track(pt, false);
    return m_dragging || m_rect.PtInRect(pt) ? 1 : 0;
}

int CColorSelect::OnControlLButtonUp(unsigned, CPoint)
{
    if (!m_dragging)
        return 0;
    m_dragging = false;
    SendMessageW(2, 0, long(m_color));
    return 1;
}

void CColorSelect::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter || m_rect.IsRectEmpty())
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    p.drawImage(m_rect.left, m_rect.top, Spectrum());
    if (!m_enabled)
        p.fillRect(m_rect.ToQRect(), QColor(0x05, 0x05, 0x05, 140));
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF at(m_rect.left + m_marker.x + 0.5, m_rect.top + m_marker.y + 0.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 160), 3.0));
    p.drawEllipse(at, 6.0, 6.0);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawEllipse(at, 6.0, 6.0);
    p.restore();
}

}  // namespace OXA

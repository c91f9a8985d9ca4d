#include "oxa/controls/circle_palette.h"

#include <QPainter>
#include <cmath>

#include "oxa/controls/color_math.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

namespace {
constexpr int kReach = 60;      // picking radius around the centre
constexpr int kThumbSize = 10;  // hit box of the thumb
constexpr int kMoveX = 5, kMoveY = 6;
}  // namespace

CirclePalette::CirclePalette(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, CString(), visible, 1, 1)
{
    m_frameCount = 1;
    SetSelectColor(m_color);
}

bool CirclePalette::WithinReach(CPoint pt) const
{
    const long dx = pt.x - (m_rect.left + m_rect.Width() / 2);
    const long dy = pt.y - (m_rect.top + m_rect.Height() / 2);
    return dx * dx + dy * dy <= long(kReach) * kReach;
}

CRect CirclePalette::ThumbRect() const
{
    const CPoint c = GetThumbPoint();
    return CRect(c.x - kThumbSize / 2, c.y - kThumbSize / 2, c.x + kThumbSize / 2, c.y + kThumbSize / 2);
}

void CirclePalette::SetSelectColor(COLORREF colour)
{
    m_color = colour & 0xFFFFFF;
    CPoint at = ColorWheelPoint(m_rect, m_color);
    const int cx = m_rect.left + m_rect.Width() / 2, cy = m_rect.top + m_rect.Height() / 2;
    const double dx = at.x - cx, dy = at.y - cy;
    const double dist = std::sqrt(dx * dx + dy * dy);
    if (dist > kReach) {
        at = CPoint(cx + int(dx * kReach / dist), cy + int(dy * kReach / dist));
    }
    m_thumb = CPoint(at.x - m_rect.left, at.y - m_rect.top);
    UpdateControl(0, 0);
}

void CirclePalette::SetControlRect(CRect rect)
{
    MControlFont::SetControlRect(rect);
    m_wheel = QImage();
}

const QImage& CirclePalette::Wheel()
{
    const int w = std::max(1, m_rect.Width()), h = std::max(1, m_rect.Height());
    if (m_wheel.isNull() || m_wheel.width() != w || m_wheel.height() != h || m_wheelSource != m_image) {
        m_wheelSource = m_image;
        if (m_image && !m_image->isNull()) {
            m_wheel = QImage(w, h, QImage::Format_ARGB32);
            m_wheel.fill(Qt::transparent);
            QPainter p(&m_wheel);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            const int fw = m_frameWidth > 0 ? m_frameWidth : m_image->width();
            p.drawImage(QRect(0, 0, w, h), *m_image, QRect(0, 0, fw, m_frameHeight > 0 ? m_frameHeight : m_image->height()));
        } else {
            m_wheel = MakeColorWheel(w, h);
        }
    }
    return m_wheel;
}

COLORREF CirclePalette::ColorAt(CPoint pt)
{
    const QImage& wheel = Wheel();
    const int x = pt.x - m_rect.left, y = pt.y - m_rect.top;
    if (!wheel.valid(x, y) || qAlpha(wheel.pixel(x, y)) == 0)
        return 0;
    return PixelColorRef(wheel, x, y);
}

void CirclePalette::Pick(CPoint pt)
{
    m_last = pt;
    m_thumb = CPoint(pt.x - m_rect.left, pt.y - m_rect.top);
    // The colour comes from the wheel itself rather than from the window,
    // where the thumb would be read back.
    m_color = ColorAt(pt);
    UpdateControl(0, 0);
    SendMessageW(27, 0, long(m_color));
}

int CirclePalette::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    const bool onThumb = ThumbRect().PtInRect(pt);
    const bool reach = WithinReach(pt);
    if (!onThumb && !reach)
        return 0;
    m_dragging = true;
    m_last = pt;
    if (reach)
        Pick(pt);
    return 1;
}

int CirclePalette::OnControlMouseMove(unsigned, CPoint pt)
{
    if (!m_dragging)
        return m_rect.PtInRect(pt) ? 1 : 0;
    if (std::abs(pt.x - m_last.x) <= kMoveX && std::abs(pt.y - m_last.y) <= kMoveY)
        return 1;
    if (WithinReach(pt))
        Pick(pt);
    return 1;
}

int CirclePalette::OnControlLButtonUp(unsigned, CPoint)
{
    if (!m_dragging)
        return 0;
    m_dragging = false;
    SendMessageW(2, 0, long(m_color));
    return 1;
}

void CirclePalette::DrawControl(HDC& hdc, CRect)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0 || !hdc.painter)
        return;
    if (!m_update || m_wheelSource != m_image) {
        UpdateMemDC(hdc, w, h);
        CopyBackgroundToFrame(hdc, 0);
        QPainter p(&m_memImage);
        p.drawImage(0, 0, Wheel());
    }
    DrawFrameFromCache(hdc, 0);
    // The thumb: a white ring with a grey one 1 pixel down and right.
    QPainter& p = *hdc.painter;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(m_rect.ToQRect());
    const CPoint c = GetThumbPoint();
    const QRectF ring(c.x - 4.0, c.y - 4.0, 8.0, 8.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor::fromRgba(0xFEFFFFFFu), 1.5));
    p.drawEllipse(ring);
    p.setPen(QPen(QColor::fromRgba(0xFE808080u), 1.0));
    p.drawEllipse(ring.translated(1.0, 1.0));
    p.restore();
}

}  // namespace OXA

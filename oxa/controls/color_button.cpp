#include "oxa/controls/color_button.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

CColorButton::CColorButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MButton(parent, id, rect, CString(), visible, enabled)
{
}

const char16_t* CColorButton::GetClassNameW() const { return u"ColorButton"; }

void CColorButton::SetColor(COLORREF color)
{
    color &= 0xFFFFFF;
    if (color == m_color)
        return;
    m_color = color;
    UpdateControl(1, 0);
}

void CColorButton::SetVisibleBorder(bool visible)
{
    m_border = visible;
    UpdateControl(1, 0);
}

void CColorButton::ClearGroupCheck()
{
    if (!m_selected && m_state == 0)
        return;
    m_selected = 0;
    m_state = 0;
    UpdateControl(1, 0);
}

int CColorButton::CurrentFrame() const
{
    if (!m_enabled)
        return 3;
    return m_selected ? 2 : m_state;
}

void CColorButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    CRect r = dst;
    if (m_border) {
        MRender::FillSolidRect(p, r, 0xEBEBEB);
        r.DeflateRect(1, 1);
        MRender::FillSolidRect(p, r, 0x050505);
        r.DeflateRect(2, 2);
        MRender::FillSolidRect(p, r, m_color);
        return;
    }
    if (m_image) {
        DrawImageStrip(p, frame, dst, 0);
    } else {
        r.DeflateRect(2, 2);
        MRender::FillSolidRect(p, r, m_color);
    }
    if (frame == 0)
        return;
    const ARGB colour = frame == 3 ? 0xFF808080u : 0xFFF5F5F5u;
    QPen pen{QColor::fromRgba(colour)};
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The 2-pixel pen centred on (1, 1, width - 2, height - 2) covers the
    // outer two pixels of that rectangle.
    p.drawRect(QRectF(dst.left + 2, dst.top + 2, dst.Width() - 4, dst.Height() - 4));
    p.restore();
}

int CColorButton::OnControlLButtonDown(unsigned flags, CPoint pt)
{
    if (!m_enabled)
        return 0;
    m_selected = 1;
    UncheckGroup(this, m_group);
    return MButton::OnControlLButtonDown(flags, pt);
}

}  // namespace OXA

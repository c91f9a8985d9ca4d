#include "oxa/core/area.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

CArea::CArea(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1)
{
}

void CArea::DrawControl(HDC& hdc, CRect)
{
    if (!hdc.painter)
        return;
    // The fill colour's red, green and blue with alpha 0x14.
    const ARGB fill = MakeARGB(0x14, GetRValue(m_fill), GetGValue(m_fill), GetBValue(m_fill));
    MRender::DrawRoundRectange(*hdc.painter, float(m_rect.left), float(m_rect.top), float(m_rect.Width()),
                               float(m_rect.Height()), 10.0f, fill);
}

void CArea::SetTransparent(int a, int b, COLORREF color)
{
    m_transparentA = a;
    m_transparentB = b;
    m_fill = color;
    UpdateControl(1, 0);
}

void CArea::SetFrame(int width, ARGB color, int)
{
    m_frameWidth = width;
    m_frameColor = color;
}

}  // namespace OXA

#include "oxa/controls/text.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

MText::MText(MObject* parent, unsigned id, CRect rect, const CString& title, int visible)
    : MControlFont(parent, id, rect, title, visible, 1, 1)
{
}

void MText::EnableMultiLine(int multi)
{
    m_multiLine = multi ? 1 : 0;
    UpdateControl(1, 0);
}

void MText::EnableTextBack(int enable, ARGB colour)
{
    m_textBack = enable ? 1 : 0;
    m_backColour = colour;
    UpdateControl(1, 0);
}

void MText::DrawControl(HDC& hdc, CRect)
{
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    if (m_textBack)
        MRender::DrawColor(p, m_rect, m_backColour);
    MRender::DrawText(p, m_rect, m_title, m_textColor, GetGDIFont(), m_hAlign, m_vAlign, m_multiLine != 0);
    p.restore();
    m_update = 1;
}

}  // namespace OXA

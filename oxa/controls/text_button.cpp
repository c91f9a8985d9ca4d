#include "oxa/controls/text_button.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

CTextButton::CTextButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
}

void CTextButton::SetTextButtonColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled)
{
    m_colours[0] = normal;
    m_colours[1] = hover;
    m_colours[2] = pressed;
    m_colours[3] = disabled;
    UpdateControl(1, 0);
}

void CTextButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    MRender::DrawText(p, dst, m_title, GetStateColor(frame), GetGDIFont(), 1, 4);
}

}  // namespace OXA

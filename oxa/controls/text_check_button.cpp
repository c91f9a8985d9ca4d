#include "oxa/controls/text_check_button.h"

#include <QFontMetrics>
#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

TextCheckButton::TextCheckButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible,
                                 int enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled)
{
}

void TextCheckButton::SetTextCheckColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled)
{
    m_colours[0] = normal;
    m_colours[1] = hover;
    m_colours[2] = pressed;
    m_colours[3] = disabled;
    UpdateControl(1, 0);
}

void TextCheckButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    const ARGB colour = GetStateColor(frame);
    const QFont font = GetGDIFont();
    MRender::DrawText(p, dst, m_title, colour, font, 1, 4);
    if (frame < 4)
        return;
    // Checked frames: a 2-pixel line under the centred title.
    const QFontMetrics fm(font);
    const int width = std::min(dst.Width(), fm.horizontalAdvance(m_title));
    const int left = dst.left + (dst.Width() - width) / 2;
    const int y = std::min(dst.bottom - 2, dst.top + (dst.Height() + fm.height()) / 2);
    MRender::DrawColor(p, CRect(left, y, left + width, y + 2), colour);
}

}  // namespace OXA

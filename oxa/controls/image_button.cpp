#include "oxa/controls/image_button.h"

#include <QPainter>

#include "oxa/core/window.h"

namespace OXA {

CImageButton::CImageButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
}

void CImageButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    if (m_image)
        DrawImageStrip(p, frame, CRect(dst.left, dst.top, dst.left + m_frameWidth, dst.top + m_frameHeight), 0);
    if (m_icon) {
        const int x = dst.left + dst.Width() / 2 + 2 - m_iconWidth / 2;
        const int y = dst.top + dst.Height() / 2 - 4 - m_iconHeight / 2;
        DrawIcon(p, frame, CRect(x, y, x + m_iconWidth, y + m_iconHeight));
    }
}

int CImageButton::OnControlMouseMove(unsigned flags, CPoint pt)
{
    const int result = MButton::OnControlMouseMove(flags, pt);
    if (m_balloonMode == 0 || !m_manager)
        return result;
    const bool hover = m_enabled && m_state == 1;
    if (hover && !m_balloonShown) {
        const int y = (m_rect.top + m_rect.bottom) / 2;
        CPoint anchor(m_balloonMode == 1 ? m_rect.right : m_rect.left, y);
        if (MWindow* window = m_manager->GetMDialog())
            anchor = window->ClientToScreen(anchor);  // the balloon is a window of its own
        m_manager->SetAirBladderMsg(m_title, anchor, 5, m_balloonMode);
        m_balloonShown = true;
    } else if (!hover && m_balloonShown) {
        m_manager->ShowAirBladder(0, 0);
        m_balloonShown = false;
    }
    return result;
}

}  // namespace OXA

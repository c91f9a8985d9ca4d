#include "oxa/controls/icon_button.h"

#include <QPainter>
#include <QStringList>

#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/window.h"

namespace OXA {

namespace {
constexpr int kTitleHeight = 20;  // the title sits along the bottom
}

CIconButton::CIconButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : CRadioButton(parent, id, rect, title, visible, enabled)
{
}

const char16_t* CIconButton::GetClassNameW() const { return u"IconButton"; }

void CIconButton::SetTipInfo(const CString& line1, const CString& line2, const CString& line3)
{
    QStringList lines;
    for (const CString& line : {line1, line2, line3})
        if (!line.isEmpty())
            lines.append(line);
    m_tip = lines.join(u'\n');
}

int CIconButton::OnControlMouseMove(unsigned flags, CPoint pt)
{
    const int result = CRadioButton::OnControlMouseMove(flags, pt);
    if (!m_manager)
        return result;
    const bool hover = m_enabled && m_state == 1 && !m_tip.isEmpty();
    if (hover && !m_tipShown) {
        CPoint anchor(m_rect.right, (m_rect.top + m_rect.bottom) / 2);
        if (MWindow* window = m_manager->GetMDialog())
            anchor = window->ClientToScreen(anchor);  // the balloon is a window of its own
        m_manager->SetAirBladderMsg(m_tip, anchor, 5, 1);
        m_tipShown = true;
    } else if (!hover && m_tipShown) {
        m_manager->ShowAirBladder(0, 0);
        m_tipShown = false;
    }
    return result;
}

void CIconButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    if (m_image)
        DrawImageStrip(p, frame, dst, m_border);
    const bool hasTitle = !m_title.isEmpty();
    if (m_icon) {
        const int area = dst.Height() - (hasTitle ? kTitleHeight : 0);
        const int x = dst.left + (dst.Width() - m_iconWidth) / 2;
        const int y = dst.top + std::max(0, (area - m_iconHeight) / 2);
        DrawIcon(p, frame % 4, CRect(x, y, x + m_iconWidth, y + m_iconHeight));
    }
    if (hasTitle) {
        const CRect text(dst.left, dst.bottom - kTitleHeight, dst.right, dst.bottom);
        const ARGB colour = (frame % 4) == 3 ? 0xFF808080u : m_textColor;
        MRender::DrawText(p, text, m_title, colour, GetGDIFont(), 1, 4);
    }
}

}  // namespace OXA

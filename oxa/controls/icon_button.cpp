#include "oxa/controls/icon_button.h"

#include <QPainter>

#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/window.h"
#include "oxa/core/window_messages.h"
#include "oxa/keyboard/keyboard_tips.h"

namespace OXA {

namespace {
constexpr int kTitleHeight = 20;  // the title sits along the bottom
constexpr int kTipAnchorDy = 5;   // the tip's anchor sits this far below the top edge
}

CIconButton::CIconButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : CRadioButton(parent, id, rect, title, visible, enabled)
{
}

CIconButton::~CIconButton()
{
    m_tips.reset();  // the tip window goes first: it is owned by our window
}

const char16_t* CIconButton::GetClassNameW() const { return u"IconButton"; }

void CIconButton::SetTipInfo(const CString& line1, const CString& line2, const CString& line3)
{
    m_tipLines[0] = line1;
    m_tipLines[1] = line2;
    m_tipLines[2] = line3;
    if (m_tipLines[0].isEmpty())
        HideTip();
    else if (m_tipShown)
        ShowTip();  // new texts for the tip on show
}

CString CIconButton::GetTipLine(int index) const
{
    return index >= 0 && index < 3 ? m_tipLines[index] : CString();
}

int CIconButton::OnControlMouseMove(unsigned flags, CPoint pt)
{
    const int result = CRadioButton::OnControlMouseMove(flags, pt);
    const bool hover = m_enabled && m_visible && m_state == 1 && !m_tipLines[0].isEmpty();
    if (hover && !m_tipShown)
        ShowTip();
    else if (!hover && m_tipShown)
        HideTip();
    return result;
}

void CIconButton::SetControlVisible(int visible)
{
    CRadioButton::SetControlVisible(visible);
    if (!visible)
        HideTip();
}

void CIconButton::SetControlEnabled(int enabled)
{
    CRadioButton::SetControlEnabled(enabled);
    if (!enabled)
        HideTip();
}

void CIconButton::ShowTip()
{
    if (!m_manager || !m_manager->GetPaintWnd())
        return;
    if (!m_tips) {
        auto tips = std::make_unique<CKeyboardTips>();
        if (!tips->CreateTipWindow(m_manager->GetPaintWnd()))
            return;
        tips->LoadBKImage(u"img_tip_bk.png"_qs);
        m_tips = std::move(tips);
    }
    // Centred above the button; the tip is a window of its own, so the
    // anchor is in screen coordinates.
    CPoint anchor((m_rect.left + m_rect.right) / 2, m_rect.top + kTipAnchorDy);
    if (MWindow* window = m_manager->GetMDialog())
        anchor = window->ClientToScreen(anchor);
    m_tips->SetAirBladderMsg(m_tipLines[0], m_tipLines[1], m_tipLines[2], anchor);
    if (!m_tips->IsWindowVisible())
        m_tips->ShowWindow(SW_SHOWNOACTIVATE);
    m_tipShown = true;
}

void CIconButton::HideTip()
{
    m_tipShown = false;
    if (m_tips && m_tips->IsWindowVisible())
        m_tips->ShowWindow(SW_HIDE);
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

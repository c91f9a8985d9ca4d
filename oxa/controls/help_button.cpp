#include "oxa/controls/help_button.h"

#include <QPainter>
#include <atomic>

#include "oxa/core/window.h"

namespace OXA {

namespace {
// The help button whose balloon is showing; only it may hide the balloon.
std::atomic<const CHelpButton*> g_balloonOwner{nullptr};
}  // namespace

CHelpButton::CHelpButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
    m_frameCount = 1;
}

CHelpButton::~CHelpButton()
{
    const CHelpButton* self = this;
    g_balloonOwner.compare_exchange_strong(self, nullptr);
}

CPoint CHelpButton::BalloonPoint() const
{
    CPoint pt(m_balloonMode == 2 ? m_rect.left - 2 : m_rect.left + 20, m_rect.top);
    if (m_manager)
        if (MWindow* window = m_manager->GetMDialog())
            pt = window->ClientToScreen(pt);
    return pt;
}

void CHelpButton::RenderFrame(QPainter& p, int, CRect dst)
{
    if (m_image)
        DrawImageStrip(p, 0, dst, 0);
}

int CHelpButton::OnControlMouseMove(unsigned flags, CPoint pt)
{
    const int result = MButton::OnControlMouseMove(flags, pt);
    if (!m_manager)
        return result;
    const bool inside = m_rect.PtInRect(pt);
    if (inside && !m_title.isEmpty()) {
        if (g_balloonOwner.load() != this) {
            m_manager->SetAirBladderMsg(m_title, BalloonPoint(), 5, m_balloonMode);
            g_balloonOwner = this;
        }
    } else if (!inside) {
        const CHelpButton* self = this;
        if (g_balloonOwner.compare_exchange_strong(self, nullptr))
            m_manager->ShowAirBladder(0, 0);
    }
    return result;
}

}  // namespace OXA

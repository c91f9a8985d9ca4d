#include "oxa/core/message_strip.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

void MessageStrip::SetMessage(const CString& text, CRect rect, int level)
{
    Stop(kHoldTimer);
    Stop(kFadeTimer);
    Stop(kProgressTimer);
    m_text = text;
    m_level = level;
    m_alpha = 255;
    m_shown = 0;
    m_target = 0;
    Invalidate();  // the old strip
    m_rect = rect;
    Invalidate();
    Start(kHoldTimer, 3000);
}

void MessageStrip::SetProgress(int percent, const CString& text, CRect rect, CRect clientRect)
{
    if (percent == m_target)
        return;
    if (percent < 5)
        Stop(kFadeTimer);
    Stop(kHoldTimer);
    m_alpha = 255;
    m_text = text;
    m_target = percent;
    Invalidate();
    m_rect = rect.IsRectEmpty() ? CRect(clientRect.left, clientRect.bottom - 60, clientRect.right, clientRect.bottom - 2)
                                : rect;
    if (m_target - m_shown < 6) {
        m_shown = m_target;
        Stop(kProgressTimer);
        if (m_shown >= 100)
            Start(kFadeTimer, 50);
    } else {
        Start(kProgressTimer, 10);
    }
    Invalidate();
}

bool MessageStrip::OnTimer(unsigned id)
{
    switch (id) {
    case kHoldTimer:
        Stop(kHoldTimer);
        Start(kFadeTimer, 50);
        return true;
    case kFadeTimer:
        if (m_alpha - 10 < 20) {
            m_alpha = 0;
            m_shown = 0;
            m_target = 0;
            Stop(kFadeTimer);
        } else {
            m_alpha -= 10;
        }
        Invalidate();
        return true;
    case kProgressTimer:
        m_shown += 2;
        if (m_shown >= m_target) {
            m_shown = m_target;
            Stop(kProgressTimer);
            if (m_shown >= 100)
                Start(kFadeTimer, 50);
        }
        Invalidate();
        return true;
    default:
        return false;
    }
}

void MessageStrip::Draw(QPainter& p, const QFont& font) const
{
    if (!IsShown() || m_rect.IsRectEmpty())
        return;
    const int a = m_alpha;
    MRender::DrawColor(p, m_rect, MakeARGB(a, 0xE6, 0xE6, 0xE6));
    CRect inner = m_rect;
    inner.DeflateRect(2, 2);
    MRender::DrawColor(p, inner, MakeARGB(a, 0xFE, 0xFE, 0xFE));
    const ARGB textColor = MakeARGB(a, 0x05, 0x05, 0x05);
    if (m_target == 0 && m_shown == 0) {
        const CRect box(m_rect.left + 5, m_rect.top + 5, m_rect.left + 5 + 190, m_rect.top + 5 + 50);
        MRender::DrawText(p, box, m_text, textColor, font, 0, 4, true);
        return;
    }
    const CRect box(m_rect.left + 5, m_rect.top, m_rect.right - 5, m_rect.top + 30);
    MRender::DrawText(p, box, m_text, textColor, font, 1, 4);
    p.save();
    p.setPen(QColor(0xC8, 0xC8, 0xC8, 0xC8));
    p.drawLine(m_rect.left + 10, m_rect.bottom - 15, m_rect.right - 20, m_rect.bottom - 15);
    p.restore();
    const int barWidth = m_shown * (m_rect.Width() - 20) / 100;
    MRender::DrawColor(p, CRect(m_rect.left + 10, m_rect.bottom - 16, m_rect.left + 10 + barWidth, m_rect.bottom - 13),
                       0xFEFFE100u);
}

}  // namespace OXA

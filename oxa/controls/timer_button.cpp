#include "oxa/controls/timer_button.h"

#include <QDateTime>
#include <QPainter>

namespace OXA {

namespace {
constexpr QRgb kFrameColour = 0xFE4CFF29u;
long long NowMs() { return QDateTime::currentMSecsSinceEpoch(); }
}  // namespace

CTimerButton::CTimerButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
}

void CTimerButton::SetRun(int run)
{
    m_running = run ? 1 : 0;
    m_elapsedMs = 0;
    m_lastTick = NowMs();
    if (m_running) {
        AddMTimer();
        SetRunTimer(1);
    }
    UpdateControl(1, 0);
}

void CTimerButton::Elapse(int ms)
{
    if (!m_running || ms <= 0)
        return;
    const int before = GetSecondsLeft();
    m_elapsedMs = std::min(kCountMs, m_elapsedMs + ms);
    if (m_elapsedMs >= kCountMs) {
        m_running = 0;
        UpdateControl(1, 0);
        SendMessageW(2, 0, 0);
        return;
    }
    if (GetSecondsLeft() != before)
        UpdateControl(1, 0);
}

int CTimerButton::OnControlTimer()
{
    if (!m_running)
        return 0;
    const long long now = NowMs();
    const long long step = std::clamp(now - m_lastTick, 0LL, (long long)kCountMs);
    m_lastTick = now;
    Elapse(int(step));
    return 1;
}

CString CTimerButton::ShownTitle() const
{
    if (!m_running)
        return m_title;
    return m_title + u"("_qs + QString::number(GetSecondsLeft()) + u"s)"_qs;
}

void CTimerButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    MButton::RenderFrame(p, frame, dst);
    if (!m_running)
        return;
    p.save();
    p.setPen(QPen(QColor::fromRgba(kFrameColour), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(dst.left, dst.top, dst.Width() - 1, dst.Height() - 1));
    p.restore();
}

void CTimerButton::OnClicked()
{
    if (m_running) {
        m_running = 0;
        UpdateControl(1, 0);
    }
    MButton::OnClicked();
}

}  // namespace OXA

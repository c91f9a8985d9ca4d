#pragma once
// Push button with a 10-second count: after SetRun(1) it shows
// "title(Ns)" with the seconds left inside a dotted green frame, and sends
// code 2 (0, 0) when the count runs out or the button is clicked (a click
// also stops the count). Counts on the window's tick.
#include "oxa/controls/button.h"

namespace OXA {

class OXA_API CTimerButton : public MButton {
public:
    CTimerButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                 int enabled = 1);

    void SetRun(int run);
    int IsRunning() const { return m_running; }
    int GetSecondsLeft() const { return m_running ? (kCountMs - m_elapsedMs + 999) / 1000 : 0; }
    // Moves the count on by ms milliseconds (the tick measures real time).
    void Elapse(int ms);

    int OnControlTimer() override;
    // The text drawn over the button now.
    CString ShownTitle() const override;

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;
    void OnClicked() override;

private:
    static constexpr int kCountMs = 10000;
    int m_running = 0;
    int m_elapsedMs = 0;
    long long m_lastTick = 0;
};

}  // namespace OXA

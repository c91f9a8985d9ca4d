#pragma once
// Spin field: a number with an up arrow (upper half of the right 16 pixels)
// and a down arrow (lower half); a press on an arrow or a wheel turn steps
// the value within its range and sends code 28 (0, 0) when it changed.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API CSpinButton : public MControlFont {
public:
    CSpinButton(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlScroll(int kind, unsigned down, CPoint pt) override;

    // Clamped to the range; no notification.
    int SetValue(int value);
    int GetValue() const { return m_value; }
    // A maximum below the minimum is raised to it.
    void SetRange(int minimum, int maximum);
    void SetStep(int step) { m_step = step > 0 ? step : 1; }

private:
    void Step(int direction);

    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    int m_step = 1;
};

}  // namespace OXA

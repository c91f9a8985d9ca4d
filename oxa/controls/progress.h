#pragma once
// Progress bar: a value from 0 to a maximum drawn as a thin yellow bar, or
// with a two-frame strip or separate background and foreground pictures;
// optionally animated as an endless bar on the window's tick.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MProgress : public MControlFont {
public:
    MProgress(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlTimer() override;

    // Only while enabled; clamped to the maximum, negative values ignored.
    // Returns the current value.
    int SetProgress(int value);
    int GetProgress() const { return m_value; }
    // A maximum below 1 is refused.
    void SetMaxProgress(int maximum);
    int GetMaxProgress() const { return m_max; }
    int SetBackGroundImage(const CString& path);
    int SetForeGroundImage(const CString& path);
    void EnableShowText(int show);
    // The text drawn over the bar ("title value %" when the maximum is 100).
    CString GetShowText() const;
    // Endless bar: every third tick the value advances by one.
    void SetRun(int run, int start);
    int IsRun() const { return m_running; }

private:
    int m_value = 0;
    int m_max = 100;
    int m_showText = 0;
    int m_tickCount = 0;
    const QImage* m_back = nullptr;
    const QImage* m_fore = nullptr;
};

}  // namespace OXA

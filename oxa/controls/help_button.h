#pragma once
// Help button: one picture stretched over the button; while the mouse is over
// it, its title is shown in a balloon next to its top-left corner.
#include "oxa/controls/button.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

class OXA_API CHelpButton : public MButton {
public:
    CHelpButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                int enabled = 1);
    ~CHelpButton() override;

    void SetAirbladderMode(AIRBLADDER_MODE mode) { m_balloonMode = mode; }
    AIRBLADDER_MODE GetAirbladderMode() const { return m_balloonMode; }
    // The point the balloon points at, in screen coordinates.
    CPoint BalloonPoint() const;
    int CurrentFrame() const override { return 0; }
    int OnControlMouseMove(unsigned flags, CPoint pt) override;

protected:
    int CacheFrames() const override { return 1; }
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

    AIRBLADDER_MODE m_balloonMode = 2;
};

}  // namespace OXA

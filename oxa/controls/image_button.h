#pragma once
// Image button: the state frames drawn at the image's own size from the
// top-left corner, an optional icon, and optionally a balloon with the
// title while the mouse is over it.
#include "oxa/controls/button.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

class OXA_API CImageButton : public MButton {
public:
    CImageButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                 int enabled = 1);

    // 1 balloon at the middle of the right edge, 2 of the left edge, 0 none.
    void SetAlrBladderMode(AIRBLADDER_MODE mode) { m_balloonMode = mode; }
    AIRBLADDER_MODE GetAlrBladderMode() const { return m_balloonMode; }
    int OnControlMouseMove(unsigned flags, CPoint pt) override;

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

    AIRBLADDER_MODE m_balloonMode = 0;
    bool m_balloonShown = false;
};

}  // namespace OXA

#pragma once
// Icon button: a radio-like button grouped under the class name
// "IconButton" (one checked per group and parent). Its 8-frame strip is
// stretched over the button, the icon centred above the title, and an
// optional tip of up to three lines shows in a balloon to its right while
// the mouse is over it. Notifications as CRadioButton (2 on a click, 7 on
// Space).
#include "oxa/controls/radio_button.h"

namespace OXA {

class OXA_API CIconButton : public CRadioButton {
public:
    CIconButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                int enabled = 1);

    const char16_t* GetClassNameW() const override;
    // Empty lines are left out; all empty shows no balloon.
    void SetTipInfo(const CString& line1, const CString& line2 = CString(), const CString& line3 = CString());
    CString GetTipInfo() const { return m_tip; }
    bool IsTipShown() const { return m_tipShown; }

    int OnControlMouseMove(unsigned flags, CPoint pt) override;

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

private:
    CString m_tip;
    bool m_tipShown = false;
};

}  // namespace OXA

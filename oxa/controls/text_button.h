#pragma once
// Text button: no image, the title centred in one colour per state.
#include "oxa/controls/button.h"

namespace OXA {

class OXA_API CTextButton : public MButton {
public:
    CTextButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                int enabled = 1);

    void SetTextButtonColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled);
    ARGB GetStateColor(int state) const { return m_colours[std::clamp(state, 0, 3)]; }

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

    ARGB m_colours[4] = {0xFECCCCCCu, 0xFEFEDB00u, 0xFEA0A0A0u, 0xFE808080u};
};

}  // namespace OXA

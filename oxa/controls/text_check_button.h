#pragma once
// Check button drawn as text only: the title in one of four colours
// (normal, hover, pressed, disabled); a checked button underlines it.
// Checking, mouse and keyboard behave as CCheckButton.
#include "oxa/controls/check_button.h"

namespace OXA {

class OXA_API TextCheckButton : public CCheckButton {
public:
    TextCheckButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                    int enabled = 1);

    void SetTextCheckColor(ARGB normal, ARGB hover, ARGB pressed, ARGB disabled);
    ARGB GetStateColor(int frame) const { return m_colours[((frame % 4) + 4) % 4]; }

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

    ARGB m_colours[4] = {0xFECCCCCCu, 0xFEFEDB00u, 0xFEA0A0A0u, 0xFE808080u};
};

}  // namespace OXA

#pragma once
// Static text: the title in the control's font, colour and alignment, single
// line with an ellipsis or word-wrapped; no notifications.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MText : public MControlFont {
public:
    MText(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1);

    void DrawControl(HDC& hdc, CRect paint) override;

    void EnableMultiLine(int multi);
    int IsMultiLine() const { return m_multiLine; }
    // Fills the background with colour instead of leaving the window's.
    void EnableTextBack(int enable, ARGB colour);
    void EnableShadow(int shadow) { m_shadow = shadow; }
    void EnableVCenter(int vcenter) { m_vcenter = vcenter; }
    void SetMarkText(const CString& text) { m_markText = text; }
    void SetMarkText(const CString& text, ARGB colour) { m_markText = text, m_markColour = colour; }
    void SetTitleMarkText(const CString& text) { m_titleMarkText = text; }

private:
    int m_multiLine = 0;
    int m_textBack = 0;
    ARGB m_backColour = 0;
    int m_shadow = 0;
    int m_vcenter = 0;
    CString m_markText;
    ARGB m_markColour = 0;
    CString m_titleMarkText;
};

}  // namespace OXA

#pragma once
// Single-line variant of the windowless rich edit: no wrapping, the text
// scrolls sideways with the caret, and a tip text (the title) is shown in
// grey while the field is empty and unfocused.
#include "oxa/controls/rich_edit.h"

namespace OXA {

class OXA_API MEditEx : public MRichEdit {
public:
    // The title becomes the tip text.
    MEditEx(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
            int enabled = 1);

    void SetTipInfo(const CString& tip);
    CString GetTipInfo() const { return m_tip; }

protected:
    CString PlaceholderText() const override { return m_tip; }

private:
    CString m_tip;
};

}  // namespace OXA

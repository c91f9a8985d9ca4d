#pragma once
// Read-only block of word-wrapped text (the title), scrolled with the wheel
// or its bar; the text can be selected and copied but not changed.
#include "oxa/controls/rich_edit.h"

namespace OXA {

class OXA_API CTextArea : public MRichEdit {
public:
    CTextArea(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
              int enabled = 1);

    void SetControlTitle(const CString& title) override;
    CString GetControlTitle() override { return GetText(); }
};

}  // namespace OXA

#pragma once
// Radio button: a check box that a click (or Space with the focus) always
// checks, unchecking the other radio buttons of its group.
#include "oxa/controls/button_group.h"
#include "oxa/controls/check_button.h"

namespace OXA {

class OXA_API CRadioButton : public CCheckButton, public GroupMember {
public:
    CRadioButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                 int enabled = 1);

    const char16_t* GetClassNameW() const override;
    // Refused while disabled; unchecks the group when the value changes.
    int SetCheck(int check) override;
    void SetGroupName(const CString& name) { m_group = name; }
    CString GetGroupName() const override { return m_group; }
    void ClearGroupCheck() override;

protected:
    void OnClicked() override;
    void OnSpace() override;
    void CheckAndUncheckGroup();

    CString m_group;
};

}  // namespace OXA

#include "oxa/controls/radio_button.h"

namespace OXA {

CRadioButton::CRadioButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : CCheckButton(parent, id, rect, title, visible, enabled)
{
}

const char16_t* CRadioButton::GetClassNameW() const { return u"RadioButton"; }

int CRadioButton::SetCheck(int check)
{
    if (!m_enabled)
        return m_check;
    const int value = check ? 1 : 0;
    const bool changed = value != m_check;
    CCheckButton::SetCheck(value);
    if (changed && value)
        UncheckGroup(this, m_group);
    return m_check;
}

void CRadioButton::ClearGroupCheck()
{
    if (!m_check && m_state == 0)
        return;
    m_check = 0;
    m_state = 0;
    UpdateControl(1, 0);
}

void CRadioButton::CheckAndUncheckGroup()
{
    m_check = 1;
    UncheckGroup(this, m_group);
    UpdateControl(0, 0);
}

void CRadioButton::OnClicked()
{
    CheckAndUncheckGroup();
    SendMessageW(2, 0, 0);
}

void CRadioButton::OnSpace()
{
    CheckAndUncheckGroup();
    SendMessageW(7, 0, 1);
}

}  // namespace OXA

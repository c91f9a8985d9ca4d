#pragma once
// The drop-down window of a combo box: a tool popup holding one list that
// reports the chosen row to the combo box, then closes.
#include "oxa/core/popup_window.h"

namespace OXA {

class CComboBoxList;

class OXA_API CComboBoxWnd : public MPopupWnd {
public:
    CComboBoxWnd();
    CComboBoxList* GetList() const { return m_list; }
    void SetList(CComboBoxList* list) { m_list = list; }
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

private:
    CComboBoxList* m_list = nullptr;
};

}  // namespace OXA

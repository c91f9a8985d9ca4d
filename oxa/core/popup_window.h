#pragma once
// A frameless tool window (menus, drop-down lists) with a logical parent
// control; it closes itself as soon as it loses activation.
#include "oxa/core/dialog.h"

namespace OXA {

class OXA_API MPopupWnd : public MDialog {
public:
    MPopupWnd();

    void SetParent(MObject* parent) { m_logicalParent = parent; }
    MObject* GetParent() const { return m_logicalParent; }
    // The logical parent's OnMessage with id 0; 0 without a parent.
    long SendMessageToParent(unsigned code, unsigned wParam, long lParam);
    void CloseWindow();

    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int OnInitDialog() override;
    int OnCreate(CREATESTRUCT* cs) override;

private:
    MObject* m_logicalParent = nullptr;
};

}  // namespace OXA

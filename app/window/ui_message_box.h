#pragma once
// The program's message box: a title, a message of up to a few lines and,
// by style, one OK button (style 0) or Yes and No (style 4). Every question
// and notice of the pages goes through ShowMessageBox.
#include "oxa/core/dialog.h"

class CUIMessageBox : public OXA::MDialog {
public:
    static constexpr int kStyleOk = 0;
    static constexpr int kStyleYesNo = 4;
    static constexpr int kWidth = 380;
    static constexpr int kHeight = 200;

    CUIMessageBox(const CString& title, const CString& message, int style);

    const char16_t* GetWindowClassName() const override { return u"MessageBox"; }
    int OnInitDialog() override;
    void InitUI(OXA::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;

private:
    CString m_title;
    CString m_message;
    int m_style;
};

// Shows the box modally over the owner window; 1 for OK (yes), 2 for
// Cancel (no, or the box closed otherwise).
int ShowMessageBox(OXA::MWindow* owner, const CString& title, const CString& message, int style);

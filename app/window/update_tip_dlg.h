#pragma once
// The firmware update prompt: accept (result 1) or cancel.
#include "oxa/core/dialog.h"

class UpdateTipDlg : public OXA::MDialog {
public:
    static constexpr int kWidth = 634;
    static constexpr int kHeight = 310;

    void InitUI(OXA::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
};

// Shows the prompt centred on its owner; true when the user accepted.
bool RunUpdatePrompt(OXA::MWindow* owner);

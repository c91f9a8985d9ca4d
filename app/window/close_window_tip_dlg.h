#pragma once
// The close choice: minimise to the notification area or exit. Stores the
// choice as "exit_mode" ("1" minimise, "2" exit) when applied.
#include "oxa/core/dialog.h"

class CloseWindowTipDlg : public OXA::MDialog {
public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 200;
    // The question above the two options: a text of ours.
    static constexpr int kQuestionText = 173;

    int OnInitDialog() override;
    void InitUI(OXA::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
};

// Runs the dialog modally over the owner; true when it was applied.
bool RunCloseChoice(OXA::MWindow* owner);

#pragma once
// The shell's window side while the program runs without its main window:
// there are no dialogs to close and nothing to show, so requests are only
// reported on standard error.
#include "app/shell/shell_window.h"

class HeadlessWindow final : public ShellWindow {
public:
    void CloseWaitDialog(WaitDialog) override {}
    void RestoreAfterExternalProgram() override {}
    void ShowAndRaise() override;
};

#pragma once
// The small busy window a page shows while the worker sends what it
// queued: the loading animation on a dark square, always on top, movable.
// The worker's end of the task closes it with OK.
#include "oxa/core/dialog.h"

class WaitDlg : public OXA::MDialog {
public:
    static constexpr int kSize = 102;

    int OnInitDialog() override;
    void InitUI(OXA::CRect client) override;
};

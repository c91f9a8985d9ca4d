#pragma once
// The "Virtual keyboard" window: what the simulated keyboard shows, live.
// Only the simulated keyboard can be watched, so the window opens only with
// the simulator. One window at a time; opening again brings it forward.
//
// Entry points (UI thread): VirtualKeyboardDlg::Open(side) from a menu or
// the command line, VirtualKeyboardDlg::CloseOpen() before the device side
// goes away.
#include "oxa/core/dialog.h"

class DeviceLinkSide;
class VirtualKeyboardView;

class VirtualKeyboardDlg : public OXA::MDialog {
public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 400;
    static constexpr int kHeaderHeight = 40;
    // About 30 repaints a second.
    static constexpr unsigned kFrameMs = 33;

    // Opens the window, or shows and raises the open one. Null on real
    // hardware (no simulator) or when the window cannot be created.
    static VirtualKeyboardDlg* Open(DeviceLinkSide& side);
    // The open window; null when none is open.
    static VirtualKeyboardDlg* Current();
    // Closes and frees the open window.
    static void CloseOpen();

    explicit VirtualKeyboardDlg(DeviceLinkSide& side);
    ~VirtualKeyboardDlg() override;

    // Where a key of the keyboard shown is drawn (client coordinates).
    OXA::CRect KeyRect(int keyCode);

    int OnInitDialog() override;
    void InitUI(OXA::CRect client) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    void PostNcDestroy() override;

private:
    DeviceLinkSide& m_side;
    VirtualKeyboardView* m_view = nullptr;  // owned by the paint manager
    bool m_closed = false;
};

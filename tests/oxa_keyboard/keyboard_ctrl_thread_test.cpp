// Keyboard picture and the program's worker: key colours and checks written
// and key records read on another thread while the window paints and takes
// mouse input.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "keyboard_ctrl_test_support.h"

using namespace kbtest;

namespace {

using KeyboardWorker = KeyboardFixture;

TEST_F(KeyboardWorker, WritesKeyColoursWhileTheWindowPaints)
{
    kb->SetKeyboardCtrlMode(102);
    kb->EnableFrameSelect(1);
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        int round = 0;
        while (!stop.load()) {
            const COLORREF colour = RGB(round & 0xFF, 0, 0);
            kb->SetKeyColor(4 + round % 4, colour);
            kb->SetKeyCheck(5, round & 1);
            if (round % 7 == 0)
                kb->SetLightModeColor(round & 1, colour);
            // The program reads the records in place under the keys lock.
            {
                std::lock_guard<std::recursive_mutex> lock(kb->KeysLock());
                for (KEY_INFO* k : kb->GetKeyItems())
                    (void)k->color;
            }
            ++round;
        }
        // The last word: every key red.
        kb->ResetAllItemsColor(RGB(255, 0, 0));
    });
    for (int i = 0; i < 40; ++i) {
        dlg.RenderImage();
        MoveTo(KeyPoint(i % kKeyCount));
        PressLeft(KeyPoint(i % kKeyCount));
        ReleaseLeft(KeyPoint(i % kKeyCount));
    }
    stop = true;
    worker.join();
    const QImage shot = dlg.RenderImage();
    for (int i = 0; i < kKeyCount; ++i)
        EXPECT_EQ(At(shot, KeyPoint(i).x, KeyPoint(i).y), 0xFFFF0000u) << i;
}

}  // namespace

// The repaint protocol (stale marking, overlap widening, invalidation) and
// the cached state frames.
#include <gtest/gtest.h>

#include "oxa/core/panel.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

class Repaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(400, 300));
        Settle();
    }
    ProbeControl* Top(unsigned id, CRect rect)
    {
        auto* c = new ProbeControl(&dlg, id, rect);
        dlg.GetPaintManager().AddControl(c);
        c->SetManager(&dlg.GetPaintManager());
        return c;
    }
    // Paints everything once so every cache is valid; clears the invalid region.
    void Settle()
    {
        dlg.GetSafeHwnd()->InvalidateAll();
        dlg.SendMessageW(WM_PAINT, 0, 0);
    }
    QRect Invalid() { return dlg.GetSafeHwnd()->TakeUpdateRect(); }

    RecordingDialog dlg;
};

TEST_F(Repaint, LaterOverlappingControlsAreMarkedStaleAndAdded)
{
    ProbeControl* before = Top(40, CRect(0, 0, 60, 60));
    ProbeControl* changed = Top(41, CRect(50, 50, 150, 100));
    ProbeControl* over = Top(42, CRect(140, 90, 200, 140));
    ProbeControl* apart = Top(43, CRect(300, 200, 350, 250));
    ProbeControl* hidden = Top(44, CRect(60, 60, 70, 70));
    hidden->SetVisible(0);
    Settle();
    ASSERT_EQ(over->GetUpdate(), 1);
    changed->UpdateControl(1, 0);
    EXPECT_EQ(changed->GetUpdate(), 0);
    EXPECT_EQ(over->GetUpdate(), 0);
    EXPECT_EQ(before->GetUpdate(), 1);
    EXPECT_EQ(apart->GetUpdate(), 1);
    EXPECT_EQ(Invalid(), QRect(50, 50, 150, 90));  // (50,50)-(200,140)
}

TEST_F(Repaint, RedrawZeroOnlyCopiesTheCachedFrame)
{
    ProbeControl* button = Top(41, CRect(50, 50, 150, 100));
    Settle();
    const int renders = button->renders;
    dlg.Send(WM_MOUSEMOVE, 0, 60, 60);  // hover: state 1, redraw 0
    EXPECT_EQ(Invalid(), QRect(50, 50, 100, 50));
    dlg.GetSafeHwnd()->Invalidate(QRect(50, 50, 100, 50));
    dlg.SendMessageW(WM_PAINT, 0, 0);
    EXPECT_EQ(button->renders, renders);
    EXPECT_EQ(button->GetUpdate(), 1);
    button->UpdateControl(1, 0);
    dlg.SendMessageW(WM_PAINT, 0, 0);
    EXPECT_EQ(button->renders, renders + 1);
}

TEST_F(Repaint, StateFramesKeepTheBackgroundCopiedUnderThem)
{
    dlg.GetPaintManager().SetBackColor(RGB(0, 0, 200), RGB(0, 0, 200));
    ProbeControl* button = Top(41, CRect(50, 50, 150, 100));
    Settle();
    const QImage& cache = button->GetMemImage();
    ASSERT_EQ(cache.width(), 400);
    // Each frame: its colour at alpha 0x80 over the blue background.
    const QRgb frame0 = Pixel(cache, 10, 10);
    const QRgb frame1 = Pixel(cache, 110, 10);
    const QRgb frame3 = Pixel(cache, 310, 10);
    EXPECT_NEAR(qRed(frame0), 0x80, 2);
    EXPECT_NEAR(qBlue(frame0), 200 * 0x7F / 255, 2);
    EXPECT_NEAR(qGreen(frame1), 0x80, 2);
    EXPECT_NEAR(qBlue(frame1), 200 * 0x7F / 255, 2);
    EXPECT_NEAR(qRed(frame3), 0x40, 2);
    // The window shows frame 0 now and frame 1 after the hover change.
    const QImage* surface = dlg.GetPaintManager().GetPaintDC();
    EXPECT_EQ(Pixel(*surface, 60, 60), frame0);
    dlg.Send(WM_MOUSEMOVE, 0, 60, 60);
    dlg.SendMessageW(WM_PAINT, 0, 0);
    EXPECT_EQ(Pixel(*surface, 60, 60), frame1);
    button->SetEnabled(0);
    dlg.SendMessageW(WM_PAINT, 0, 0);
    EXPECT_EQ(Pixel(*surface, 60, 60), frame3);
}

TEST_F(Repaint, PanelWidensToTheWholePanelAndItsLaterChildren)
{
    auto* panel = new MPanel(&dlg, 50, CRect(100, 100, 300, 250));
    dlg.GetPaintManager().AddControl(panel);
    panel->SetManager(&dlg.GetPaintManager());
    auto* a = new ProbeControl(panel, 61, CRect(110, 110, 150, 130));
    auto* b = new ProbeControl(panel, 62, CRect(140, 120, 180, 140));
    auto* c = new ProbeControl(panel, 63, CRect(200, 200, 220, 220));
    for (ProbeControl* p : {a, b, c}) {
        panel->AddChild(p);
        p->SetManager(&dlg.GetPaintManager());
    }
    panel->Relayout();
    Settle();
    a->UpdateControl(1, 0);
    EXPECT_EQ(a->GetUpdate(), 0);
    EXPECT_EQ(b->GetUpdate(), 0);
    EXPECT_EQ(c->GetUpdate(), 1);
    EXPECT_EQ(Invalid(), QRect(100, 100, 200, 150));
}

TEST_F(Repaint, HiddenPanelChildrenAreNotDrawn)
{
    auto* panel = new MPanel(&dlg, 50, CRect(100, 100, 300, 250));
    dlg.GetPaintManager().AddControl(panel);
    panel->SetManager(&dlg.GetPaintManager());
    auto* a = new ProbeControl(panel, 61, CRect(110, 110, 150, 130));
    panel->AddChild(a);
    a->SetManager(&dlg.GetPaintManager());
    Settle();
    const int draws = a->draws;
    panel->SetVisible(0);
    Settle();
    EXPECT_EQ(a->draws, draws);
}

}  // namespace

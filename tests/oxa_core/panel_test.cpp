// Panel content measuring, scroll bar layout and scrolling.
#include <gtest/gtest.h>

#include "oxa/core/panel.h"
#include "oxa/core/scroll_bar.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

class Panels : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open(600, 800)); }
    MPanel* AddPanel(CRect rect)
    {
        auto* panel = new MPanel(&dlg, 50, rect);
        dlg.GetPaintManager().AddControl(panel);
        panel->SetManager(&dlg.GetPaintManager());
        return panel;
    }
    ProbeControl* Child(MPanel* panel, unsigned id, CRect rect)
    {
        auto* c = new ProbeControl(panel, id, rect);
        panel->AddChild(c);
        c->SetManager(&dlg.GetPaintManager());
        return c;
    }
    RecordingDialog dlg;
};

TEST_F(Panels, ScrollBarsAreLaidAlongTheEdgesWheneverTheRectIsSet)
{
    MPanel* panel = AddPanel(CRect(0, 0, 10, 10));
    ASSERT_EQ(panel->GetControls().size(), 2u);
    EXPECT_EQ(panel->GetControls()[0]->GetControlID(), 1u);
    EXPECT_EQ(panel->GetControls()[1]->GetControlID(), 2u);
    panel->GetScrollVertical()->SetRect(CRect(7, 7, 9, 9));
    panel->GetScrollHorizontal()->SetRect(CRect(1, 2, 3, 4));
    panel->SetRect(CRect(100, 50, 400, 250));
    EXPECT_EQ(panel->GetScrollVertical()->GetRect(), CRect(395, 50, 400, 250));
    EXPECT_EQ(panel->GetScrollHorizontal()->GetRect(), CRect(100, 245, 400, 250));
}

TEST_F(Panels, ContentIsMeasuredFromThePanelsOwnCorner)
{
    MPanel* panel = AddPanel(CRect(40, 300, 240, 500));
    Child(panel, 61, CRect(50, 310, 100, 700));  // ends 400 below the panel top
    panel->Relayout();
    EXPECT_EQ(panel->GetContentHeight(), 400);
    Child(panel, 62, CRect(60, 320, 300, 650));  // ends 350 below, 260 right
    panel->Relayout();
    EXPECT_EQ(panel->GetContentHeight(), 400);
    EXPECT_EQ(panel->GetContentWidth(), 260);
    EXPECT_EQ(panel->GetScrollVertical()->IsVisible(), 1);
    EXPECT_EQ(panel->GetScrollVertical()->GetScrollRange(), 400);
    EXPECT_EQ(panel->GetScrollHorizontal()->IsVisible(), 1);
    EXPECT_EQ(panel->GetScrollHorizontal()->GetScrollRange(), 260);
}

TEST_F(Panels, BarsShowOnlyWhenTheContentOverflows)
{
    MPanel* panel = AddPanel(CRect(0, 0, 200, 200));
    Child(panel, 61, CRect(0, 0, 200, 200));
    panel->Relayout();
    EXPECT_EQ(panel->GetScrollVertical()->IsVisible(), 0);
    EXPECT_EQ(panel->GetScrollHorizontal()->IsVisible(), 0);
}

TEST_F(Panels, PointsAreShiftedByTheScrollOffsetExceptForTheBars)
{
    MPanel* panel = AddPanel(CRect(0, 0, 200, 200));
    ProbeControl* row = Child(panel, 61, CRect(0, 0, 180, 400));
    panel->Relayout();
    panel->GetScrollVertical()->SetScrollPos(200);  // half of 400
    EXPECT_EQ(panel->GetVOffset(), 100);            // (400 - 200) * 200 / 400
    dlg.Send(WM_MOUSEMOVE, 0, 50, 50);
    EXPECT_EQ(row->moves.back(), CPoint(50, 150));
    // The vertical bar gets the point as it is.
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 197, 190);
    EXPECT_TRUE(panel->GetScrollVertical()->GetScrollPos() != 200 || panel->GetScrollVertical()->IsDragging());
}

TEST_F(Panels, WheelScrollsOneRowWhenTheContentIsTallEnough)
{
    MPanel* panel = AddPanel(CRect(0, 0, 200, 200));
    Child(panel, 61, CRect(0, 0, 180, 400));
    panel->Relayout();
    EXPECT_EQ(panel->OnScroll(1, 1, CPoint(50, 50)), 1);
    EXPECT_EQ(panel->GetScrollVertical()->GetScrollPos(), 10);
    EXPECT_EQ(panel->OnScroll(1, 0, CPoint(50, 50)), 1);
    EXPECT_EQ(panel->OnScroll(1, 0, CPoint(50, 50)), 1);
    EXPECT_EQ(panel->GetScrollVertical()->GetScrollPos(), 0);
    MPanel* small = AddPanel(CRect(300, 0, 500, 200));
    Child(small, 62, CRect(300, 0, 400, 100));
    small->Relayout();
    EXPECT_EQ(small->OnScroll(1, 1, CPoint(350, 50)), 0);
}

TEST_F(Panels, DraggingTheBarReportsCode8AndScrolls)
{
    MPanel* panel = AddPanel(CRect(0, 0, 200, 600));
    Child(panel, 61, CRect(0, 0, 180, 1800));
    panel->Relayout();
    CScrollVertical* bar = panel->GetScrollVertical();
    ASSERT_EQ(bar->IsVisible(), 1);
    const int thumb = bar->ThumbLength();
    EXPECT_EQ(thumb, 200);  // page 600 of 1800 over 600 pixels
    dlg.Send(WM_MOUSEMOVE, 0, 197, 10);
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 197, 10);
    dlg.Send(WM_MOUSEMOVE, MK_LBUTTON, 197, 210);
    dlg.Send(WM_LBUTTONUP, 0, 197, 210);
    EXPECT_EQ(bar->GetScrollPos(), 900);  // 200 of 400 pixels of travel
    ASSERT_FALSE(dlg.notes.empty());
    EXPECT_EQ(dlg.notes.back(), (Notification{1, 8, 900, 0}));
    EXPECT_EQ(panel->GetVOffset(), 600);
}

TEST_F(Panels, EnablingReachesEveryChild)
{
    MPanel* panel = AddPanel(CRect(0, 0, 200, 200));
    ProbeControl* c = Child(panel, 61, CRect(0, 0, 10, 10));
    panel->SetEnabled(0);
    EXPECT_EQ(c->IsEnabled(), 0);
    panel->SetEnabled(1);
    EXPECT_EQ(c->IsEnabled(), 1);
}

}  // namespace

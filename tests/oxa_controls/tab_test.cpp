// Tab strip and page container.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "controls_test_support.h"
#include "oxa/controls/button.h"
#include "oxa/controls/tab_ctrl.h"
#include "oxa/controls/tab_layout.h"

using namespace ctltest;

namespace {

class Tabs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(500, 400));
        tabs = dlg.Make<MTabCtrl>(u"MTabCtrl", 30, CRect(0, 0, 400, 40));
        ASSERT_NE(tabs, nullptr);
        for (int i = 0; i < 3; ++i) {
            pages[i] = dlg.Make<MTabLayout>(u"MTabLayout", 40 + i, CRect(0, 50, 500, 400));
            ASSERT_NE(pages[i], nullptr);
            EXPECT_EQ(tabs->InsertItem(unsigned(200 + i), QString::number(i), CString(), pages[i]), i);
        }
    }
    NoteDialog dlg;
    MTabCtrl* tabs = nullptr;
    MTabLayout* pages[3] = {};
};

TEST_F(Tabs, SelectingShowsOnlyThatPageAndReportsTheIndex)
{
    EXPECT_EQ(tabs->SetSelectItem(1), -1);
    EXPECT_EQ(tabs->SetSelectItem(2), 1);
    EXPECT_EQ(tabs->SetSelectItem(2), 1);  // current: ignored
    tabs->SetSelectItem(7);                // invalid: ignored
    EXPECT_EQ(pages[0]->IsVisible(), 0);
    EXPECT_EQ(pages[1]->IsVisible(), 0);
    EXPECT_EQ(pages[2]->IsVisible(), 1);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{30, 1, 1, 0}, {30, 1, 2, 0}}));
    EXPECT_EQ(tabs->GetItemInfo(1)->frames, 3);
    EXPECT_EQ(tabs->GetItemID(2), 202u);
    EXPECT_EQ(tabs->GetItemInfo(3), nullptr);
}

TEST_F(Tabs, PressOnATabSelectsItAndOnItsButtonSendsNine)
{
    // Default tabs are 100 pixels wide; a hidden tab is skipped in the layout.
    tabs->SetItemVisible(0, 0);
    EXPECT_EQ(tabs->GetItemInfo(1)->rect, CRect(0, 0, 100, 40));
    tabs->SetItemButton(2, CRect(80, 0, 100, 20));
    dlg.Click(50, 20);
    dlg.Click(150, 30);
    dlg.Click(190, 10);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{30, 1, 1, 0}, {30, 1, 2, 0}, {30, 9, 2, 0}}));
}

TEST_F(Tabs, PageTakesTheMouseOnlyOverItsChildren)
{
    tabs->SetSelectItem(0);
    dlg.notes.clear();
    auto* b = dynamic_cast<MButton*>(pages[0]->CreateControl(u"MButton"_qs, 77, CRect(10, 60, 110, 90), u"B"_qs, 1, 1));
    ASSERT_NE(b, nullptr);
    dlg.Click(50, 70);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{77, 1, 0, 0}, {77, 2, 0, 0}}));
    EXPECT_EQ(pages[0]->OnCheckMouseResponse(0, CPoint(50, 70)), 1);
    EXPECT_EQ(pages[0]->OnCheckMouseResponse(0, CPoint(300, 300)), 0);
    // A press on an empty part of the page is not the page's: it goes to the window.
    dlg.Move(300, 300);
    dlg.Down(300, 300);
    dlg.Up(300, 300);
    EXPECT_NE(dlg.GetPaintManager().GetFocusControl(), pages[0]);
    EXPECT_EQ(dlg.notes.size(), 2u);
}

TEST_F(Tabs, ChangeAnimationSlidesTheHighlightFromTheOldTab)
{
    tabs->SetSelectItem(0);
    EXPECT_FALSE(tabs->IsChangeAnimating());  // off by default
    EXPECT_EQ(tabs->GetHighlightRect(), tabs->GetItemInfo(0)->rect);
    tabs->EnableAnimateChangeTab(1);
    tabs->SetSelectItem(2);
    EXPECT_EQ(pages[2]->IsVisible(), 1);  // the page changes at once
    ASSERT_TRUE(tabs->IsChangeAnimating());
    EXPECT_EQ(tabs->GetHighlightRect(), tabs->GetItemInfo(0)->rect);
    int last = tabs->GetHighlightRect().left;
    QElapsedTimer t;
    t.start();
    while (tabs->IsChangeAnimating() && t.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const int left = tabs->GetHighlightRect().left;
        EXPECT_GE(left, last);  // only ever towards the new tab
        last = left;
    }
    EXPECT_FALSE(tabs->IsChangeAnimating());
    EXPECT_GE(t.elapsed(), 150);  // eight 30 ms steps
    EXPECT_EQ(tabs->GetHighlightRect(), tabs->GetItemInfo(2)->rect);
}

TEST_F(Tabs, TooltipsShowTheHoveredTabsTitleWhenEnabled)
{
    PaintManager& pm = dlg.GetPaintManager();
    dlg.Move(150, 20);
    EXPECT_FALSE(pm.IsTooltipActive());
    tabs->SetTabTooltip(1);
    dlg.Move(50, 20);
    EXPECT_TRUE(pm.IsTooltipActive());
    EXPECT_EQ(pm.GetTooltipText(), u"0"_qs);
    EXPECT_EQ(pm.GetTooltipOwner(), tabs);
    dlg.Move(250, 20);
    EXPECT_EQ(pm.GetTooltipText(), u"2"_qs);
    dlg.Move(450, 300);  // off the strip
    EXPECT_FALSE(pm.IsTooltipActive());
}

}  // namespace

// Mouse, button, double-click, wheel, key and timer routing through the
// window's manager and the control tree.
#include <gtest/gtest.h>

#include "oxa/core/manager.h"
#include "oxa/core/panel.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

class Routing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open(400, 300)); }

    template <typename T = ProbeControl>
    T* Top(unsigned id, CRect rect)
    {
        auto* c = new T(&dlg, id, rect);
        dlg.GetPaintManager().AddControl(c);
        c->SetManager(&dlg.GetPaintManager());
        return c;
    }
    template <typename T = ProbeControl>
    T* Child(MControl* parent, unsigned id, CRect rect)
    {
        auto* c = new T(parent, id, rect);
        parent->AddChild(c);
        c->SetManager(&dlg.GetPaintManager());
        return c;
    }
    void Move(int x, int y, unsigned flags = 0) { dlg.Send(WM_MOUSEMOVE, flags, x, y); }
    void Click(int x, int y)
    {
        dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        dlg.Send(WM_LBUTTONUP, 0, x, y);
    }

    RecordingDialog dlg;
};

TEST_F(Routing, DoubleClickOnAButtonIsASecondPress)
{
    ProbeControl* button = Top(42, CRect(10, 10, 110, 40));
    Move(20, 20);
    Click(20, 20);
    dlg.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 20);
    dlg.Send(WM_LBUTTONUP, 0, 20, 20);
    const std::vector<Notification> expected = {{42, 1, 0, 0}, {42, 2, 0, 0}, {42, 1, 0, 0}, {42, 2, 0, 0}};
    EXPECT_EQ(dlg.notes, expected);
    EXPECT_EQ(button->CountOf("dblclk"), 0);
}

TEST_F(Routing, DoubleClickInsideAPanelReachesTheChildAsAPress)
{
    auto* panel = Top<MPanel>(50, CRect(0, 0, 300, 200));
    ProbeControl* button = Child(panel, 61, CRect(10, 10, 110, 40));
    ProbeControl* lister = Child(panel, 62, CRect(10, 100, 110, 140));
    lister->SetDoubleClick(1);
    lister->dblClkResult = 1;
    Move(20, 20);
    Click(20, 20);
    dlg.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 20);
    dlg.Send(WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(button->CountOf("down"), 2);
    EXPECT_EQ(button->CountOf("up"), 2);
    Move(20, 110);
    Click(20, 110);
    dlg.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 110);
    EXPECT_EQ(lister->CountOf("dblclk"), 1);
    EXPECT_EQ(lister->CountOf("down"), 1);
}

TEST_F(Routing, PressMoveOutReleaseSendsPressButNoClick)
{
    Top(42, CRect(10, 10, 110, 40));
    Move(20, 20);
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    Move(200, 200, MK_LBUTTON);
    dlg.Send(WM_LBUTTONUP, 0, 200, 200);
    const std::vector<Notification> expected = {{42, 1, 0, 0}};
    EXPECT_EQ(dlg.notes, expected);
}

TEST_F(Routing, LeavingAChildGivesItOneLastMoveFirst)
{
    auto* panel = Top<MPanel>(50, CRect(0, 0, 300, 200));
    ProbeControl* second = Child(panel, 62, CRect(100, 10, 150, 40));  // earlier in the list
    ProbeControl* first = Child(panel, 61, CRect(10, 10, 60, 40));
    std::vector<int> order;
    second->onTick = nullptr;
    Move(20, 20);
    ASSERT_EQ(panel->GetActiveChild(), first);
    EXPECT_EQ(first->state, 1);
    const size_t firstMoves = first->moves.size();
    const size_t secondMoves = second->moves.size();
    Move(120, 20);
    EXPECT_EQ(panel->GetActiveChild(), second);
    ASSERT_EQ(first->moves.size(), firstMoves + 1);
    EXPECT_EQ(first->moves.back(), CPoint(120, 20));
    EXPECT_EQ(first->state, 0);  // dropped its hover look
    EXPECT_EQ(second->moves.size(), secondMoves + 1);
    EXPECT_EQ(second->state, 1);
}

TEST_F(Routing, ControlWithoutMouseResponseIsNeverActiveNorShowsItsTooltip)
{
    auto* panel = Top<MPanel>(50, CRect(0, 0, 300, 200));
    ProbeControl* mute = Child(panel, 61, CRect(10, 10, 60, 40));
    mute->SetRresponse(0);
    mute->SetTooltip(u"hidden"_qs);
    Move(20, 20);
    EXPECT_EQ(panel->GetActiveChild(), nullptr);
    EXPECT_TRUE(mute->moves.empty());
    EXPECT_NE(dlg.GetPaintManager().GetTooltipOwner(), mute);
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    dlg.Send(WM_LBUTTONUP, 0, 20, 20);
    EXPECT_EQ(mute->CountOf("down"), 0);

    ProbeControl* talker = Child(panel, 62, CRect(100, 10, 160, 40));
    talker->SetTooltip(u"shown"_qs);
    Move(110, 20);
    EXPECT_EQ(dlg.GetPaintManager().GetTooltipOwner(), talker);
    EXPECT_EQ(dlg.GetPaintManager().GetTooltipText(), u"shown"_qs);
}

TEST_F(Routing, PressOnEmptySpaceOrMuteControlMovesTheWindow)
{
    dlg.watch = {WM_NCLBUTTONDOWN};
    ProbeControl* button = Top(42, CRect(10, 10, 110, 40));
    ProbeControl* mute = Top(43, CRect(10, 100, 110, 140));
    mute->SetRresponse(0);
    struct Case {
        int x, y;
        size_t drags;
    } cases[] = {{20, 20, 0}, {300, 250, 1}, {20, 120, 1}};
    for (const Case& c : cases) {
        dlg.windowMessages.clear();
        Move(c.x, c.y);
        dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, c.x, c.y);
        dlg.Send(WM_LBUTTONUP, 0, c.x, c.y);
        EXPECT_EQ(dlg.windowMessages.size(), c.drags) << c.x << "," << c.y;
    }
    EXPECT_EQ(button->CountOf("down"), 1);
    dlg.windowMessages.clear();
    dlg.GetPaintManager().EnableWndDrag(0);
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 300, 250);
    EXPECT_TRUE(dlg.windowMessages.empty());
}

TEST_F(Routing, DeactivationReleasesThePressedControl)
{
    ProbeControl* button = Top(42, CRect(10, 10, 110, 40));
    Move(20, 20);
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    EXPECT_EQ(button->state, 2);
    dlg.SendMessageW(WM_NCACTIVATE, 0, 0);
    EXPECT_EQ(button->CountOf("up"), 1);
    EXPECT_EQ(button->state, 0);  // released at (-1, -1): outside
    EXPECT_EQ(dlg.GetPaintManager().GetHoverControl(), nullptr);
    EXPECT_EQ(dlg.notes.size(), 1u);  // no click
}

TEST_F(Routing, MouseLeaveDropsTheHoverLook)
{
    ProbeControl* button = Top(42, CRect(10, 10, 110, 40));
    Move(20, 20);
    EXPECT_EQ(dlg.GetPaintManager().GetHoverControl(), button);
    dlg.SendMessageW(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(button->moves.back(), CPoint(-1, -1));
    EXPECT_EQ(button->state, 0);
    EXPECT_EQ(dlg.GetPaintManager().GetHoverControl(), nullptr);
}

TEST_F(Routing, HoverControlAloneGetsMovesInsideIt)
{
    ProbeControl* under = Top(41, CRect(0, 0, 200, 200));
    ProbeControl* button = Top(42, CRect(10, 10, 110, 40));
    Move(20, 20);
    EXPECT_EQ(dlg.GetPaintManager().GetHoverControl(), button);
    const size_t underMoves = under->moves.size();
    Move(30, 25);
    Move(40, 30);
    EXPECT_EQ(under->moves.size(), underMoves);
    EXPECT_EQ(button->moves.back(), CPoint(40, 30));
}

TEST_F(Routing, DragThatBeganInsideKeepsGoingToTheActiveChild)
{
    auto* panel = Top<MPanel>(50, CRect(0, 0, 300, 200));
    ProbeControl* knob = Child(panel, 61, CRect(10, 10, 60, 40));
    ProbeControl* other = Child(panel, 62, CRect(100, 10, 160, 40));
    Move(20, 20);
    dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON, 20, 20);
    const size_t otherMoves = other->moves.size();
    Move(120, 20, MK_LBUTTON);
    EXPECT_EQ(knob->moves.back(), CPoint(120, 20));
    EXPECT_EQ(other->moves.size(), otherMoves);
    EXPECT_EQ(panel->GetActiveChild(), knob);
}

TEST_F(Routing, WheelGoesToTheHoverControlThenToTheOthers)
{
    ProbeControl* first = Top(41, CRect(0, 0, 200, 200));
    ProbeControl* hover = Top(42, CRect(10, 10, 110, 40));
    Move(20, 20);
    // Two notches towards the user (negative delta); points are in screen
    // coordinates and the window sits at the origin.
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(-240 & 0xFFFF) << 16, MAKELONG(20, 20));
    EXPECT_EQ(hover->CountOf("scroll1:1"), 2);
    EXPECT_EQ(first->CountOf("scroll1:1"), 2);  // the hover control did not take them
    hover->scrollResult = 1;
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(120) << 16, MAKELONG(20, 20));
    EXPECT_EQ(hover->CountOf("scroll1:0"), 1);
    EXPECT_EQ(first->CountOf("scroll1:0"), 0);
    hover->SetEnabled(0);
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(120) << 16, MAKELONG(20, 20));
    EXPECT_EQ(hover->CountOf("scroll1:0"), 1);  // disabled controls ignore the wheel
}

TEST_F(Routing, KeysDescendIntoTheFocusedChild)
{
    auto* panel = Top<MPanel>(50, CRect(0, 0, 300, 200));
    ProbeControl* a = Child(panel, 61, CRect(10, 10, 60, 40));
    ProbeControl* b = Child(panel, 62, CRect(100, 10, 160, 40));
    b->SetFocused(1);
    b->keyResult = 1;
    Move(20, 20);
    dlg.SendMessageW(WM_KEYDOWN, 'A', 1);
    EXPECT_EQ(b->CountOf("key65:0"), 1);
    EXPECT_EQ(a->CountOf("key65:0"), 0);
    b->SetVisible(0);  // a hidden focused child ends the search
    b->log.clear();
    dlg.SendMessageW(WM_KEYDOWN, 'A', 1);
    EXPECT_TRUE(b->log.empty());
    EXPECT_EQ(a->CountOf("key65:0"), 0);
    b->SetFocused(0);
    dlg.SendMessageW(WM_KEYDOWN, 'B', 1);
    EXPECT_GE(a->CountOf("key66:0"), 1);
}

TEST_F(Routing, FocusFollowsThePress)
{
    ProbeControl* a = Top(41, CRect(10, 10, 60, 40));
    ProbeControl* b = Top(42, CRect(100, 10, 160, 40));
    Move(20, 20);
    Click(20, 20);
    EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), a);
    EXPECT_EQ(a->IsFocused(), 1);
    Move(120, 20);
    Click(120, 20);
    EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), b);
    EXPECT_EQ(b->IsFocused(), 1);
    EXPECT_EQ(a->IsFocused(), 0);
}

TEST_F(Routing, TimerTicksReachRunningVisibleChildrenOnly)
{
    ProbeControl root(&dlg, 1, CRect(0, 0, 10, 10));
    auto* running = new ProbeControl(&root, 2, CRect());
    auto* stopped = new ProbeControl(&root, 3, CRect());
    auto* hidden = new ProbeControl(&root, 4, CRect());
    hidden->SetVisible(0);
    root.AddChild(running);
    root.AddChild(stopped);
    root.AddChild(hidden);
    running->SetRunTimer(1);
    hidden->SetRunTimer(1);
    EXPECT_EQ(root.OnTimer(), 1);
    EXPECT_EQ(running->ticks, 1);
    EXPECT_EQ(stopped->ticks, 0);
    EXPECT_EQ(hidden->ticks, 0);
}

TEST_F(Routing, TabMovesFocusAmongTabStopsAndWraps)
{
    ProbeControl* a = Top(41, CRect(0, 0, 10, 10));
    ProbeControl* skip = Top(42, CRect(0, 0, 10, 10));
    ProbeControl* b = Top(43, CRect(0, 0, 10, 10));
    ProbeControl* hidden = Top(44, CRect(0, 0, 10, 10));
    a->SetTabStop(1);
    b->SetTabStop(1);
    hidden->SetTabStop(1);
    hidden->SetVisible(0);
    (void)skip;
    MSG tab{dlg.GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 1};
    PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(dlg.PreTranslateMessage(&tab), 1);
    EXPECT_EQ(pm.GetFocusControl(), a);
    EXPECT_EQ(dlg.PreTranslateMessage(&tab), 1);
    EXPECT_EQ(pm.GetFocusControl(), b);
    EXPECT_EQ(dlg.PreTranslateMessage(&tab), 1);
    EXPECT_EQ(pm.GetFocusControl(), a);
    EXPECT_EQ(a->CountOf("focus"), 2);
}

TEST_F(Routing, ControlTimersDrawIdsAndRestart)
{
    ProbeControl* c = Top(41, CRect(0, 0, 10, 10));
    PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.SetTimer(c, 7, 1000), 1);
    EXPECT_TRUE(dlg.GetSafeHwnd()->HasTimer(17));  // 4097 mod 240
    EXPECT_EQ(pm.SetTimer(c, 7, 1000), 0);          // running: left alone
    EXPECT_EQ(pm.SetTimer(c, 8, 1000), 1);
    EXPECT_TRUE(dlg.GetSafeHwnd()->HasTimer(18));
    EXPECT_EQ(pm.KillTimer(c, 7), 1);
    EXPECT_FALSE(dlg.GetSafeHwnd()->HasTimer(17));
    EXPECT_EQ(pm.SetTimer(c, 7, 1000), 1);  // restarted under its id
    EXPECT_TRUE(dlg.GetSafeHwnd()->HasTimer(17));
    dlg.SendMessageW(WM_TIMER, 18, 0);
    EXPECT_EQ(c->ticks, 1);
    dlg.SendMessageW(WM_TIMER, 200, 0);  // unknown ids are ignored
    EXPECT_EQ(c->ticks, 1);
    EXPECT_EQ(dlg.timers, (std::vector<unsigned>{18, 200}));  // the dialog sees every timer
    pm.KillTimer(c);
    EXPECT_FALSE(dlg.GetSafeHwnd()->HasTimer(17));
    EXPECT_FALSE(dlg.GetSafeHwnd()->HasTimer(18));
}

}  // namespace

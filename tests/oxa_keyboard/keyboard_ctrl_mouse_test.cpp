// Keyboard picture input: hover notifications and key tips, the rules of
// both buttons, mode 20's check and deselect, and the selection rectangle.
#include <gtest/gtest.h>

#include "keyboard_ctrl_test_support.h"
#include "oxa/keyboard/keyboard_tips.h"

using namespace kbtest;

namespace {

constexpr unsigned kNone = unsigned(-1);
constexpr QRgb kDragGreen = 0xFF4CFF29u;
// Inside the control, outside every key.
const CPoint kGap(kPicX + 200, kPicY + 80);
// Outside the control.
const CPoint kOutside(10, 10);

using KeyboardMouse = KeyboardFixture;

CPoint Plus(CPoint p, int dx, int dy) { return CPoint(p.x + dx, p.y + dy); }

TEST_F(KeyboardMouse, MovesReportInsideAndOutsideAndRepaintOnlyWhenTheHoverKeyChanges)
{
    MoveTo(kGap);
    EXPECT_EQ(kb->GetHoverIndex(), -1);
    dlg.ForgetRepaints();
    MoveTo(KeyPoint(1));
    EXPECT_EQ(kb->GetHoverIndex(), 1);
    EXPECT_TRUE(dlg.RepaintPending());
    dlg.ForgetRepaints();
    MoveTo(KeyPoint(1, 5, 5));
    EXPECT_EQ(kb->GetHoverIndex(), 1);
    EXPECT_FALSE(dlg.RepaintPending());
    MoveTo(KeyPoint(2));
    EXPECT_EQ(kb->GetHoverIndex(), 2);
    MoveTo(kOutside);
    EXPECT_EQ(kb->GetHoverIndex(), -1);
    MoveTo(KeyPoint(0));
    dlg.SendMessageW(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(kb->GetHoverIndex(), -1);

    const std::vector<Note> expected = {
        {kKbId, 13, 0, 0}, {kKbId, 13, 0, 0}, {kKbId, 13, 0, 0}, {kKbId, 13, 0, 0},
        {kKbId, 12, 0, 0}, {kKbId, 13, 0, 0}, {kKbId, 12, 0, 0},
    };
    EXPECT_EQ(NotesOf({12, 13}), expected);
}

TEST_F(KeyboardMouse, TipsShowTheKeyOnTheSecondMoveAndHideWhenLeavingIt)
{
    kb->EnableKBTips(true);
    kb->SetTipKey(5, u"Macro"_qs, u"copy"_qs);
    MoveTo(KeyPoint(0));
    EXPECT_EQ(kb->GetTipWindow(), nullptr);  // the new key's tip comes with the next move
    MoveTo(KeyPoint(0, 21, 20));
    CKeyboardTips* tip = kb->GetTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->GetWindowTextW(), u"KeyboardTip Window"_qs);
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(tip->GetTitle(), u"A-label"_qs);
    EXPECT_EQ(tip->GetLine2(), u"Keyboard"_qs);
    EXPECT_EQ(tip->GetLine3(), u"A-label"_qs);
    // Anchored at the key's top centre, in screen coordinates.
    EXPECT_EQ(tip->GetAnchor(), dlg.ClientToScreen(CPoint(kPicX + 30, kPicY + 10)));

    MoveTo(KeyPoint(1));
    EXPECT_FALSE(tip->IsWindowVisible());
    MoveTo(KeyPoint(1, 22, 20));
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(tip->GetTitle(), u"B-label"_qs);
    EXPECT_EQ(tip->GetLine2(), u"Macro"_qs);
    EXPECT_EQ(tip->GetLine3(), u"copy"_qs);
    MoveTo(kGap);
    EXPECT_FALSE(tip->IsWindowVisible());

    // Hiding the control (its page is switched away) takes the tip with it.
    MoveTo(KeyPoint(2));
    MoveTo(KeyPoint(2, 21, 21));
    ASSERT_TRUE(tip->IsWindowVisible());
    kb->SetVisible(0);
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(KeyboardMouse, WithoutTipsNoTipWindowIsMade)
{
    MoveTo(KeyPoint(0));
    MoveTo(KeyPoint(0, 21, 21));
    EXPECT_EQ(kb->GetTipWindow(), nullptr);
}

TEST_F(KeyboardMouse, LeftClicksReportTheKeyAndAClickBesideTheKeysClearsTheSelection)
{
    ClickLeft(KeyPoint(3));
    EXPECT_EQ(kb->GetSelectedIndex(), 3);
    EXPECT_EQ(kb->GetCurrentKeyValue(), 7);
    dlg.ForgetRepaints();
    ClickLeft(kGap);
    EXPECT_EQ(kb->GetSelectedIndex(), -1);
    EXPECT_TRUE(dlg.RepaintPending());
    EXPECT_EQ(kb->GetCurrentKeyValue(), 7);  // kept from the last key
    const std::vector<Note> expected = {
        {kKbId, 1, 3, 7},
        {kKbId, 2, 3, 0},
        {kKbId, 1, kNone, 0},
        {kKbId, 2, kNone, 0},
    };
    EXPECT_EQ(NotesOf({1, 2, 5, 24}), expected);
}

TEST_F(KeyboardMouse, ClickOnlyModeChecksWithCtrlAndASecondClickDeselects)
{
    kb->SetKeyboardCtrlMode(20);
    ClickLeft(KeyPoint(0), MK_CONTROL);
    EXPECT_EQ(Key(0)->check, 1);
    EXPECT_EQ(kb->GetSelectedIndex(), 0);
    ClickLeft(KeyPoint(0));
    EXPECT_EQ(kb->GetSelectedIndex(), -1);
    EXPECT_EQ(Key(0)->check, 1);
    ClickLeft(KeyPoint(0));
    EXPECT_EQ(kb->GetSelectedIndex(), 0);
    ClickLeft(KeyPoint(1));  // another key: selected, not checked without Ctrl
    EXPECT_EQ(Key(1)->check, 0);
    const std::vector<Note> expected = {{kKbId, 1, 0, 4}, {kKbId, 1, kNone, 4}, {kKbId, 1, 0, 4}, {kKbId, 1, 1, 5}};
    EXPECT_EQ(NotesOf({1}), expected);

    // Outside mode 20, Ctrl does not check and a second click keeps the key.
    kb->SetKeyboardCtrlMode(101);
    ClickLeft(KeyPoint(2), MK_CONTROL);
    ClickLeft(KeyPoint(2), MK_CONTROL);
    EXPECT_EQ(Key(2)->check, 0);
    EXPECT_EQ(kb->GetSelectedIndex(), 2);
}

TEST_F(KeyboardMouse, AStaleHoverIndexAfterClearItemIsSentAsItIs)
{
    MoveTo(KeyPoint(2));
    kb->ClearItem();
    PressLeft(KeyPoint(2));
    ReleaseLeft(KeyPoint(2));
    const std::vector<Note> expected = {{kKbId, 1, 2, 0}, {kKbId, 2, 2, 0}};
    EXPECT_EQ(NotesOf({1, 2}), expected);
    dlg.RenderImage();  // frames of keys that are gone are not drawn
}

TEST_F(KeyboardMouse, RightClicksReportTheKeyUnderTheMouse)
{
    MoveTo(KeyPoint(3));
    PressRight(KeyPoint(3));
    ReleaseRight(KeyPoint(3));
    EXPECT_EQ(kb->GetSelectedIndex(), 3);
    EXPECT_EQ(kb->GetCurrentKeyValue(), 7);
    MoveTo(kGap);
    PressRight(kGap);
    ReleaseRight(kGap);
    EXPECT_EQ(kb->GetSelectedIndex(), -1);
    EXPECT_EQ(kb->GetCurrentKeyValue(), 0);
    const std::vector<Note> expected = {{kKbId, 5, 3, 7}, {kKbId, 5, kNone, 0}};
    EXPECT_EQ(NotesOf({1, 2, 5, 24}), expected);
}

class KeyboardSelection : public KeyboardFixture {
protected:
    void SetUp() override
    {
        KeyboardFixture::SetUp();
        kb->SetKeyboardCtrlMode(102);
        kb->EnableFrameSelect(1);
    }
    // From inside key 0 to 100 right and 30 down: keys 0, 1 and 2 meet it.
    const CPoint start = KeyPoint(0);
    const CPoint end = Plus(KeyPoint(0), 100, 30);
    const std::vector<int> firstThree = {1, 1, 1, 0, 0};
    const std::vector<int> none = {0, 0, 0, 0, 0};
};

TEST_F(KeyboardSelection, ALeftDragChecksExactlyTheKeysMeetingTheRectangle)
{
    kb->SetKeyCheck(7, 1);
    MoveTo(start);
    PressLeft(start);
    EXPECT_EQ(Checks(), none);  // a press without Ctrl unchecks every key
    const size_t moves = NotesOf({13}).size();
    MoveTo(end, MK_LBUTTON);
    EXPECT_EQ(kb->IsFrameDragging(), 1);
    EXPECT_EQ(Checks(), firstThree);
    EXPECT_EQ(NotesOf({13}).size(), moves);  // selection moves are not reported
    EXPECT_EQ(kb->GetCheckItemCount(), 3);

    // The rectangle is drawn, dotted green, on top while dragging.
    const QImage shot = dlg.RenderImage();
    EXPECT_GT(Count(shot, QRect(start.x, start.y, 100, 2), kDragGreen), 10);
    EXPECT_GT(Count(shot, QRect(start.x, start.y, 2, 30), kDragGreen), 3);
    EXPECT_EQ(Count(shot, QRect(start.x + 3, start.y + 3, 94, 24), kDragGreen), 0);

    ReleaseLeft(end);
    EXPECT_EQ(kb->IsFrameDragging(), 0);
    EXPECT_EQ(kb->GetDragStart(), CPoint());
    EXPECT_EQ(kb->GetDragPoint(), CPoint());
    EXPECT_EQ(Checks(), firstThree);
    EXPECT_EQ(Count(dlg.RenderImage(), QRect(kCtrlX, kCtrlY, 800, 300), kDragGreen), 0);
    const std::vector<Note> expected = {{kKbId, 1, 0, 4}, {kKbId, 2, 0, 0}};
    EXPECT_EQ(NotesOf({1, 2, 5, 24}), expected);
}

TEST_F(KeyboardSelection, CtrlKeepsThePreviousChecksUntilTheRectangleReplacesThem)
{
    kb->SetKeyCheck(7, 1);
    MoveTo(start);
    PressLeft(start, MK_CONTROL);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 1, 0}));
    MoveTo(Plus(start, 20, 20), MK_LBUTTON | MK_CONTROL);  // not more than 20 away: ignored
    EXPECT_EQ(kb->IsFrameDragging(), 0);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 1, 0}));
    MoveTo(end, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(Checks(), firstThree);
}

TEST_F(KeyboardSelection, ARectangleBelowSixPixelsInEitherDirectionSelectsNothing)
{
    const struct {
        int dx, dy;
        std::vector<int> checks;
    } cases[] = {
        {100, 5, {0, 0, 0, 0, 0}},
        {100, 0, {0, 0, 0, 0, 0}},
        {-5, 100, {0, 0, 0, 0, 0}},
        {100, 6, {1, 1, 1, 0, 0}},
        {-6, 25, {1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        kb->ResetAllItemCheck(1);
        MoveTo(start);
        PressLeft(start, MK_CONTROL);
        MoveTo(Plus(start, c.dx, c.dy), MK_LBUTTON | MK_CONTROL);
        EXPECT_EQ(kb->IsFrameDragging(), 1) << c.dx << "," << c.dy;
        EXPECT_EQ(Checks(), c.checks) << c.dx << "," << c.dy;
        ReleaseLeft(Plus(start, c.dx, c.dy));
    }
}

TEST_F(KeyboardSelection, ARightDragEndsWithCode24AndNoContextNotification)
{
    MoveTo(start);
    PressRight(start);
    MoveTo(end, MK_RBUTTON);
    EXPECT_EQ(kb->IsFrameDragging(), 1);
    EXPECT_EQ(Checks(), firstThree);
    ReleaseRight(end);
    EXPECT_EQ(kb->IsFrameDragging(), 0);
    EXPECT_EQ(Checks(), firstThree);
    const std::vector<Note> expected = {{kKbId, 24, 0, 0}};
    EXPECT_EQ(NotesOf({1, 2, 5, 24}), expected);
}

TEST_F(KeyboardSelection, WithoutFrameSelectionButtonMovesAreOrdinaryHover)
{
    kb->EnableFrameSelect(0);
    kb->SetKeyCheck(7, 1);
    MoveTo(start);
    PressLeft(start);
    const CPoint onKey2 = Plus(start, 100, 0);
    MoveTo(onKey2, MK_LBUTTON);
    EXPECT_EQ(kb->IsFrameDragging(), 0);
    EXPECT_EQ(Checks(), (std::vector<int>{0, 0, 0, 1, 0}));
    EXPECT_EQ(kb->GetHoverIndex(), 2);
    ReleaseLeft(onKey2);
}

TEST_F(KeyboardMouse, ADisabledControlIgnoresTheMouse)
{
    kb->SetEnabled(0);
    dlg.notes.clear();
    ClickLeft(KeyPoint(0));
    MoveTo(KeyPoint(1));
    PressRight(KeyPoint(1));
    ReleaseRight(KeyPoint(1));
    EXPECT_TRUE(NotesOf({1, 2, 5, 12, 13, 24}).empty());
    EXPECT_EQ(kb->GetSelectedIndex(), -1);
    EXPECT_EQ(kb->GetHoverIndex(), -1);
}

}  // namespace

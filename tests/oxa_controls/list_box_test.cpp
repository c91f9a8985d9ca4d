// List box: items, selection, mouse notifications, scrolling.
#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "oxa/controls/edit.h"
#include "oxa/controls/list_box.h"
#include "oxa/core/scroll_bar.h"

using namespace ctltest;

namespace {

class ListBox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(400, 300));
        list = dlg.Make<MListBox>(u"MListBox", 20, CRect(10, 10, 210, 106));  // three rows of 32 visible
        ASSERT_NE(list, nullptr);
    }
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i)
            list->AddString(QString(u"Profile %1"_qs).arg(i), long(100 + i), i);
    }
    NoteDialog dlg;
    MListBox* list = nullptr;
};

TEST_F(ListBox, ItemsAndOutOfRangeAnswers)
{
    Fill(3);
    EXPECT_EQ(list->InsertString(1, u"Inserted"_qs, 7, 555), 1);
    EXPECT_EQ(list->InsertString(-2, u"x"_qs, 0, 0), -1);
    EXPECT_EQ(list->InsertString(9, u"x"_qs, 0, 0), -1);
    EXPECT_EQ(list->GetItemCount(), 4);
    EXPECT_EQ(list->GetItemText(1), u"Inserted"_qs);
    EXPECT_EQ(list->GetItemText(2), u"Profile 1"_qs);
    EXPECT_EQ(list->FindItemData(555), 1);
    EXPECT_EQ(list->FindString(u"nothing"_qs), -1);
    EXPECT_EQ(list->GetItemText(4), CString());
    EXPECT_EQ(list->GetItemData(-1), 0);
    EXPECT_EQ(list->SetCurSel(4), 0);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->SetCurData(102), 1);
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(list->SetCurData(999), 0);
    EXPECT_EQ(list->GetCurSel(), 3);
    list->DeleteItem(0);
    EXPECT_EQ(list->GetCurSel(), 2);  // follows its row
    EXPECT_EQ(list->GetCurData(), 102);
    EXPECT_EQ(list->DeleteItem(7), 0);
    EXPECT_EQ(list->SwapItem(0, 2), 1);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(list->GetItemRect(1), CRect(10, 42, 210, 74));
    EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(ListBox, MouseNotificationsCarryTheRow)
{
    Fill(3);
    dlg.Move(50, 50);
    EXPECT_EQ(list->GetHoverIndex(), 1);
    dlg.Down(50, 50);
    dlg.Up(50, 50);
    dlg.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 50, 80);
    dlg.Up(50, 80);
    dlg.Send(WM_RBUTTONDOWN, 0, 50, 20);
    dlg.Send(WM_RBUTTONUP, 0, 50, 20);
    const std::vector<Note> expected = {{20, 1, 1, 0}, {20, 2, 1, 0}, {20, 3, 2, 0}, {20, 2, 2, 0}, {20, 5, 0, 0}};
    EXPECT_EQ(dlg.notes, expected);
    EXPECT_EQ(list->GetCurSel(), 0);
}

TEST_F(ListBox, RightClickBelowTheRowsClearsTheSelection)
{
    Fill(2);
    list->SetCurSel(1);
    dlg.Move(50, 100);
    dlg.Send(WM_RBUTTONDOWN, 0, 50, 100);
    dlg.Send(WM_RBUTTONUP, 0, 50, 100);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{20, 5, unsigned(-1), 0}}));
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(ListBox, WheelScrollsAndClicksHitTheShiftedRow)
{
    Fill(10);  // 320 pixels of rows in a 96-pixel panel
    EXPECT_EQ(list->GetContentHeight(), 320);
    dlg.Move(50, 20);
    for (int i = 0; i < 40; ++i)
        dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(-120) << 16, MAKELONG(50, 20));
    EXPECT_EQ(list->GetVOffset(), 320 - 96);  // scrolled to the end
    dlg.Move(50, 100);
    dlg.Down(50, 100);
    dlg.Up(50, 100);
    ASSERT_FALSE(dlg.notes.empty());
    EXPECT_EQ(dlg.notes.front(), (Note{20, 1, 9, 0}));  // the last row sits at the bottom
}

// With the scroll bar shown, a highlighted row (selected or hovered) stops
// left of it: the bar's column looks the same beside a highlighted row as
// beside a plain one, and just left of the bar the highlight is there.
TEST_F(ListBox, HighlightsEndLeftOfTheScrollBar)
{
    Fill(10);  // overflows: the bar runs along the right edge (x 205 to 210)
    ASSERT_TRUE(list->GetScrollVertical()->IsVisible());
    const CRect bar = list->GetScrollVertical()->GetRect();
    const QRgb select = Manager::GetSelectColor() | 0xFF000000u;
    // Row 1 (y 42 to 74) is highlighted, row 2 (y 74 to 106) is not; both lie
    // beside the bar's track, below its thumb.
    const int lit = 58, plain = 90;
    const struct {
        const char* what;
        int select;
        CPoint mouse;
    } cases[] = {{"selected", 1, CPoint(300, 250)}, {"hovered", -1, CPoint(50, lit)}};
    for (const auto& c : cases) {
        list->SetCurSel(c.select);
        dlg.Move(c.mouse.x, c.mouse.y);
        ASSERT_TRUE(list->GetCurSel() == 1 || list->GetHoverIndex() == 1) << c.what;
        const QImage shot = dlg.RenderImage();
        EXPECT_EQ(At(shot, bar.left - 20, lit), select) << c.what;
        EXPECT_NE(At(shot, bar.left - 20, plain), select) << c.what;
        for (int x = bar.left; x < bar.right; ++x)
            EXPECT_EQ(At(shot, x, lit), At(shot, x, plain)) << c.what << " x " << x;
    }
}

}  // namespace

// In-place renaming: a double-click opens an edit over the row; typing
// reports 26, a press on another row ends it with 29 carrying the edited row.
TEST_F(ListBox, DoubleClickRenamesTheRowInPlace)
{
    Fill(3);
    list->EnableShowEdit(1);
    dlg.Move(50, 50);
    dlg.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 50, 50);
    dlg.Up(50, 50);
    ASSERT_NE(list->GetEdit(), nullptr);
    EXPECT_EQ(list->GetEditIndex(), 1);
    EXPECT_TRUE(list->GetEdit()->IsVisible());
    EXPECT_EQ(list->GetEdit()->GetEditText(), u"Profile 1"_qs);
    EXPECT_EQ(list->GetEdit()->GetRect(), CRect(60, 42, 210, 74));
    dlg.notes.clear();
    dlg.SendMessageW(WM_CHAR, u'X', 0);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{20, 26, 0, 0}}));
    dlg.notes.clear();
    dlg.Move(50, 20);
    dlg.Down(50, 20);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{20, 29, 0, 1}, {20, 1, 0, 0}}));
    EXPECT_EQ(list->GetItemText(1), u"Profile 1X"_qs);
    EXPECT_EQ(list->GetEditIndex(), -1);
    EXPECT_FALSE(list->GetEdit()->IsVisible());
}

TEST_F(ListBox, ReturnEndsTheEditAndHideEditStoresTheText)
{
    Fill(2);
    list->EnableShowEdit(1);
    list->SetCurSel(0);
    list->ShowEdit();
    ASSERT_EQ(list->GetEditIndex(), 0);
    list->GetEdit()->SetSel(0, 9);
    list->GetEdit()->InsertText(u"Macro"_qs);
    dlg.notes.clear();
    dlg.SendMessageW(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{20, 29, 0, 0}}));
    EXPECT_EQ(list->GetItemText(0), u"Macro"_qs);
    dlg.notes.clear();
    list->HideEdit();  // nothing open: nothing sent
    EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(ListBox, ShowEditNeedsTheFlagASelectionAndAnEnabledList)
{
    Fill(2);
    list->SetCurSel(1);
    list->ShowEdit();
    EXPECT_EQ(list->GetEditIndex(), -1);  // not enabled for editing
    list->EnableShowEdit(1);
    list->SetCurSel(-1);
    list->ShowEdit();
    EXPECT_EQ(list->GetEditIndex(), -1);  // no selection
    dlg.Move(50, 20);
    dlg.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 50, 200);  // below the rows
    EXPECT_EQ(list->GetEditIndex(), -1);
    list->SetCurSel(1);
    list->SetControlEnabled(0);
    list->ShowEdit();
    EXPECT_EQ(list->GetEditIndex(), -1);
    EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(ListBox, DeletingTheEditedRowEndsTheEditFirst)
{
    Fill(3);
    list->EnableShowEdit(1);
    list->SetCurSel(2);
    list->ShowEdit();
    dlg.notes.clear();
    EXPECT_EQ(list->DeleteItem(2), 1);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{20, 29, 0, 2}}));
    EXPECT_EQ(list->GetEditIndex(), -1);
    EXPECT_EQ(list->GetItemCount(), 2);
}

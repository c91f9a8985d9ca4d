// Combo box: items, selection, the drop-down window and its list.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "controls_test_support.h"
#include "oxa/controls/combo_box.h"
#include "oxa/controls/combo_box_list.h"
#include "oxa/controls/combo_box_wnd.h"
#include "oxa/core/scroll_bar.h"

using namespace ctltest;

namespace {

bool SpinUntil(const std::function<bool()>& pred, int timeoutMs = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!pred()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

class Combo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(400, 300));
        box = dlg.Make<MComboBox>(u"MComboBox", 11, CRect(20, 20, 220, 50));
        ASSERT_NE(box, nullptr);
    }
    void Fill(int n)
    {
        for (int i = 0; i < n; ++i)
            box->AddItem(QString(u"Item %1"_qs).arg(i), long(10 * i));
    }
    // Clicks row `row` of the open drop-down's list.
    void Choose(int row)
    {
        CComboBoxWnd* drop = box->GetDropDown();
        ASSERT_NE(drop, nullptr);
        const int y = 6 + row * 30 + 15;
        drop->SendMessageW(WM_MOUSEMOVE, 0, MAKELONG(40, y));
        drop->SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(40, y));
        drop->SendMessageW(WM_LBUTTONUP, 0, MAKELONG(40, y));
    }
    NoteDialog dlg;
    MComboBox* box = nullptr;
};

TEST_F(Combo, SelectionOperationsAreSilentAndBounded)
{
    Fill(3);
    EXPECT_EQ(box->SetCurSel(3), 0);
    EXPECT_EQ(box->GetCurSel(), -1);
    EXPECT_EQ(box->SelectData(20), 1);
    EXPECT_EQ(box->GetCurSel(), 2);
    EXPECT_EQ(box->GetCurData(), 20);
    EXPECT_EQ(box->SelectData(99), 0);
    EXPECT_EQ(box->GetCurSel(), 2);
    EXPECT_EQ(box->InsertItem(-2, u"x"_qs), -1);
    EXPECT_EQ(box->InsertItem(4, u"x"_qs), -1);
    EXPECT_EQ(box->InsertItem(0, u"first"_qs, 5), 0);
    EXPECT_EQ(box->GetCurSel(), 3);  // follows its item
    EXPECT_EQ(box->SetCurSel(-1), 1);
    EXPECT_EQ(box->GetCurSel(), -1);
    EXPECT_TRUE(dlg.notes.empty());
}

struct HeightCase {
    int items;
    int height;
    bool scrollBar;
};

TEST_F(Combo, DropDownHeightFollowsTheRowsUpToFive)
{
    const HeightCase cases[] = {{3, 102, false}, {9, 162, true}};
    for (const auto& c : cases) {
        box->DelAllItems();
        Fill(c.items);
        dlg.Click(100, 35);
        CComboBoxWnd* drop = box->GetDropDown();
        ASSERT_NE(drop, nullptr);
        EXPECT_EQ(box->DropDownHeight(), c.height);
        EXPECT_EQ(drop->GetClientRect().Height(), c.height);
        EXPECT_EQ(drop->GetClientRect().Width(), 200);
        EXPECT_EQ(drop->GetWindowTextW(), u"ComboWnd"_qs);
        ASSERT_NE(drop->GetList(), nullptr);
        EXPECT_EQ(drop->GetList()->GetItemCount(), c.items);
        EXPECT_EQ(drop->GetList()->GetScrollVertical()->IsVisible() != 0, c.scrollBar) << c.items;
        box->CloseDropDown();
        EXPECT_TRUE(SpinUntil([&] { return box->GetDropDown() == nullptr; }));
    }
}

TEST_F(Combo, ChoosingARowSelectsItReportsAndCloses)
{
    Fill(3);
    dlg.Click(100, 35);
    Choose(1);
    EXPECT_EQ(box->GetCurSel(), 1);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{11, 2, 1, 0}}));
    EXPECT_TRUE(SpinUntil([&] { return box->GetDropDown() == nullptr; }));
    // The already selected row reports again.
    dlg.Click(100, 35);
    Choose(1);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{11, 2, 1, 0}, {11, 2, 1, 0}}));
}

TEST_F(Combo, ItemsShowTheirColourSwatchOrIconBesideTheText)
{
    ColourSkin skin;
    skin.Strip(u"mark.png"_qs, 12, 12, {0xFF00FF00u});
    box->AddItem(u"Red"_qs, 1, CString(), 0xFFFF0000u);
    box->AddItem(u"Marked"_qs, 2, u"mark.png"_qs, 0);
    box->AddItem(u"Plain"_qs, 3);
    box->SetCurSel(0);
    // Closed box: the swatch sits at the left of the text area (inset 3).
    QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 23 + 10, 35), 0xFFFF0000u);
    box->SetCurSel(1);
    shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 23 + 10, 35), 0xFF00FF00u);

    dlg.Click(100, 35);
    CComboBoxWnd* drop = box->GetDropDown();
    ASSERT_NE(drop, nullptr);
    CComboBoxList* list = drop->GetList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetItemColour(0), 0xFFFF0000u);
    EXPECT_NE(list->GetItemIcon(1), nullptr);
    EXPECT_EQ(list->GetItemIcon(2), nullptr);
    EXPECT_EQ(list->GetItemColour(2), 0u);
    // In the list both go in the 50-pixel gutter left of the row text.
    const QImage rows = drop->RenderImage();
    EXPECT_EQ(At(rows, 25, 6 + 15), 0xFFFF0000u);       // row 0: swatch
    EXPECT_EQ(At(rows, 25, 6 + 30 + 15), 0xFF00FF00u);  // row 1: icon
    EXPECT_NE(At(rows, 25, 6 + 60 + 15), 0xFFFF0000u);  // row 2: nothing
    EXPECT_NE(At(rows, 25, 6 + 60 + 15), 0xFF00FF00u);
    box->CloseDropDown();
    EXPECT_TRUE(SpinUntil([&] { return box->GetDropDown() == nullptr; }));
}

}  // namespace

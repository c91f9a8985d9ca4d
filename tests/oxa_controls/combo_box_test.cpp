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

}  // namespace

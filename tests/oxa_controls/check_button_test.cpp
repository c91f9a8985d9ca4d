// Check, radio, select and colour buttons: check state, keyboard, groups.
#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "oxa/controls/color_button.h"
#include "oxa/controls/select_button.h"
#include "oxa/controls/switch_button.h"
#include "oxa/core/panel.h"

using namespace ctltest;

namespace {

class Checks : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open(400, 300)); }
    NoteDialog dlg;
};

TEST_F(Checks, ClickTogglesAndSpaceWithFocusSendsCodeSeven)
{
    auto* c = dlg.Make<CCheckButton>(u"CCheckButton", 5, CRect(10, 10, 110, 30), u"Box"_qs);
    ASSERT_NE(c, nullptr);
    dlg.Click(20, 20);
    EXPECT_EQ(c->GetCheck(), 1);
    EXPECT_EQ(c->CurrentFrame(), 5);
    dlg.Click(20, 20);
    EXPECT_EQ(c->GetCheck(), 0);
    EXPECT_EQ(c->CurrentFrame(), 1);
    dlg.SendMessageW(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(c->GetCheck(), 1);
    const std::vector<Note> expected = {{5, 1, 0, 0}, {5, 2, 0, 0}, {5, 1, 0, 0}, {5, 2, 0, 0}, {5, 7, 0, 1}};
    EXPECT_EQ(dlg.notes, expected);
}

TEST_F(Checks, SetCheckIsSilentAndRefusedWhileDisabled)
{
    auto* c = dlg.Make<CCheckButton>(u"CCheckButton", 5, CRect(10, 10, 110, 30));
    EXPECT_EQ(c->SetCheck(1), 1);
    EXPECT_EQ(c->CurrentFrame(), 4);
    c->SetEnabled(0);
    EXPECT_EQ(c->SetCheck(0), 1);
    EXPECT_EQ(c->CurrentFrame(), 7);
    EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(Checks, RadioGroupsAreKeyedByNameAndParent)
{
    auto* a = dlg.Make<CRadioButton>(u"CRadioButton", 1, CRect(0, 0, 50, 20));
    auto* b = dlg.Make<CRadioButton>(u"CRadioButton", 2, CRect(0, 30, 50, 50));
    auto* other = dlg.Make<CRadioButton>(u"CRadioButton", 3, CRect(0, 60, 50, 80));
    other->SetGroupName(u"speed"_qs);
    auto* panel = new MPanel(&dlg, 50, CRect(200, 0, 400, 300));
    dlg.GetPaintManager().AddControl(panel);
    panel->SetManager(&dlg.GetPaintManager());
    auto* inner = dynamic_cast<CRadioButton*>(
        panel->CreateControl(u"CRadioButton"_qs, 4, CRect(200, 0, 250, 20), CString(), 1, 1));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(a->GetClassNameW(), QStringView(u"RadioButton"));
    a->SetCheck(1);
    other->SetCheck(1);
    inner->SetCheck(1);
    dlg.Click(10, 40);
    EXPECT_EQ(a->GetCheck(), 0);
    EXPECT_EQ(b->GetCheck(), 1);
    EXPECT_EQ(other->GetCheck(), 1);
    EXPECT_EQ(inner->GetCheck(), 1);
    // Clicking the checked radio again reports again and changes nothing.
    dlg.notes.clear();
    dlg.Click(10, 40);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{2, 1, 0, 0}, {2, 2, 0, 0}}));
    EXPECT_EQ(b->GetCheck(), 1);
    // SetCheck unchecks the group without notification.
    a->SetCheck(1);
    EXPECT_EQ(b->GetCheck(), 0);
    EXPECT_EQ(b->CurrentFrame(), 0);
    EXPECT_EQ(dlg.notes.size(), 2u);
}

TEST_F(Checks, SelectButtonsGroupApartFromRadios)
{
    auto* radio = dlg.Make<CRadioButton>(u"CRadioButton", 1, CRect(0, 0, 50, 20));
    auto* s1 = dlg.Make<CSelectButton>(u"CSelectButton", 2, CRect(0, 30, 50, 50));
    auto* s2 = dlg.Make<CSelectButton>(u"CSelectButton", 3, CRect(0, 60, 50, 80));
    ASSERT_NE(s1, nullptr);
    radio->SetCheck(1);
    s1->SetCheck(1);
    dlg.Click(10, 70);
    EXPECT_EQ(radio->GetCheck(), 1);
    EXPECT_EQ(s1->GetCheck(), 0);
    EXPECT_EQ(s2->GetCheck(), 1);
}

TEST_F(Checks, RadioSpaceChecksAndReportsOne)
{
    auto* a = dlg.Make<CRadioButton>(u"CRadioButton", 1, CRect(0, 0, 50, 20));
    auto* b = dlg.Make<CRadioButton>(u"CRadioButton", 2, CRect(0, 30, 50, 50));
    a->SetCheck(1);
    dlg.Click(10, 40);
    dlg.notes.clear();
    dlg.SendMessageW(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{2, 7, 0, 1}}));
    EXPECT_EQ(b->GetCheck(), 1);
    EXPECT_EQ(a->GetCheck(), 0);
}

TEST_F(Checks, ColourSwatchSelectsOnPressAndLooksAsDescribed)
{
    auto* red = dlg.Make<CColorButton>(u"CColorButton", 1, CRect(10, 10, 40, 40));
    auto* blue = dlg.Make<CColorButton>(u"CColorButton", 2, CRect(60, 10, 90, 40));
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->GetColor(), 0xFFFFFFu);
    red->SetColor(RGB(255, 0, 0));
    blue->SetColor(RGB(0, 0, 255));
    dlg.Move(20, 20);
    dlg.Down(20, 20);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{1, 1, 0, 0}}));
    dlg.Up(20, 20);
    EXPECT_EQ(dlg.notes.back(), (Note{1, 2, 0, 0}));
    EXPECT_EQ(red->GetCheck(), 1);
    EXPECT_EQ(red->CurrentFrame(), 2);  // a selected swatch shows its pressed frame
    dlg.Move(200, 200);
    QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 25, 25), 0xFFFF0000u);  // colour inset by 2
    EXPECT_EQ(At(shot, 11, 11), 0xFFF5F5F5u);  // 2-pixel frame of the pressed look
    EXPECT_EQ(At(shot, 12, 25), 0xFFF5F5F5u);
    EXPECT_EQ(At(shot, 13, 25), 0xFFFF0000u);
    EXPECT_EQ(At(shot, 75, 25), 0xFF0000FFu);  // unselected: no frame
    EXPECT_EQ(At(shot, 61, 25), At(shot, 200, 200));
    dlg.Click(70, 20);
    EXPECT_EQ(red->GetCheck(), 0);
    EXPECT_EQ(blue->GetCheck(), 1);
    blue->SetVisibleBorder(true);
    shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 60, 25), 0xFFEBEBEBu);
    EXPECT_EQ(At(shot, 61, 25), 0xFF050505u);
    EXPECT_EQ(At(shot, 63, 25), 0xFF0000FFu);
}

TEST_F(Checks, SwitchTogglesAndReportsTheNewPosition)
{
    auto* s = dlg.Make<CSwitchButton>(u"CSwitchButton", 6, CRect(10, 10, 60, 30));
    ASSERT_NE(s, nullptr);
    dlg.Click(20, 20);
    dlg.Click(20, 20);
    const std::vector<Note> expected = {{6, 1, 0, 0}, {6, 2, 0, 1}, {6, 1, 0, 0}, {6, 2, 0, 0}};
    EXPECT_EQ(dlg.notes, expected);
}

}  // namespace

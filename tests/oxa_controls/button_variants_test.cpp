// Timer, text-check, download and icon buttons: factory names, text shown,
// notifications, the icon button's tip.
#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "oxa/controls/air_bladder.h"
#include "oxa/controls/download_button.h"
#include "oxa/controls/icon_button.h"
#include "oxa/core/paint_manager.h"
#include "oxa/controls/text_check_button.h"
#include "oxa/controls/timer_button.h"
#include "oxa/core/panel.h"
#include "oxa/keyboard/keyboard_tips.h"

using namespace ctltest;

namespace {

class ButtonVariants : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open(300, 200)); }
    NoteDialog dlg;
};

TEST_F(ButtonVariants, TimerCountsTenSecondsThenSendsClicked)
{
    auto* b = dlg.Make<CTimerButton>(u"CTimerButton", 4, CRect(10, 10, 150, 40), u"Retry"_qs);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->ShownTitle(), u"Retry"_qs);
    b->SetRun(1);
    b->SetRunTimer(0);  // time moved by hand
    EXPECT_EQ(b->ShownTitle(), u"Retry(10s)"_qs);
    b->Elapse(3500);
    EXPECT_EQ(b->ShownTitle(), u"Retry(7s)"_qs);
    EXPECT_TRUE(dlg.notes.empty());
    b->Elapse(6500);
    EXPECT_EQ(b->IsRunning(), 0);
    EXPECT_EQ(b->ShownTitle(), u"Retry"_qs);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{4, 2, 0, 0}}));
    b->Elapse(1000);  // stopped: nothing more
    EXPECT_EQ(dlg.notes.size(), 1u);
}

TEST_F(ButtonVariants, ClickingARunningTimerStopsItWithOneClick)
{
    auto* b = dlg.Make<CTimerButton>(u"CTimerButton", 4, CRect(10, 10, 150, 40), u"Retry"_qs);
    b->SetRun(1);
    b->SetRunTimer(0);
    dlg.Click(50, 25);
    EXPECT_EQ(b->IsRunning(), 0);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{4, 1, 0, 0}, {4, 2, 0, 0}}));
    b->Elapse(20000);
    EXPECT_EQ(dlg.notes.size(), 2u);
}

TEST_F(ButtonVariants, TextCheckTogglesAndDrawsInTheStateColour)
{
    auto* b = dlg.Make<TextCheckButton>(u"TextCheckButton", 5, CRect(10, 10, 150, 40), u"Loop"_qs);
    ASSERT_NE(b, nullptr);
    b->SetTextCheckColor(0xFF112233u, 0xFF445566u, 0xFF778899u, 0xFFAABBCCu);
    dlg.Click(50, 25);
    EXPECT_EQ(b->GetCheck(), 1);
    EXPECT_EQ(b->CurrentFrame(), 5);  // checked, hover
    EXPECT_EQ(b->GetStateColor(b->CurrentFrame()), 0xFF445566u);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{5, 1, 0, 0}, {5, 2, 0, 0}}));
    b->SetControlEnabled(0);
    EXPECT_EQ(b->SetCheck(0), 1);  // refused while disabled
    EXPECT_EQ(b->GetStateColor(b->CurrentFrame()), 0xFFAABBCCu);
}

TEST_F(ButtonVariants, DownloadShowsThePercentageWhileRunning)
{
    // Only panels create download buttons by name.
    auto* page = new MPanel(&dlg, 60, CRect(0, 0, 300, 200));
    dlg.GetPaintManager().AddControl(page);
    page->SetManager(&dlg.GetPaintManager());
    auto* b = dynamic_cast<DownloadButton*>(
        page->CreateControl(u"DownloadButton"_qs, 6, CRect(10, 10, 110, 40), u"Update"_qs, 1, 1));
    ASSERT_NE(b, nullptr);
    const struct {
        int set, value;
        const char16_t* shown;
    } cases[] = {
        {40, 40, u"40%"}, {-5, 40, u"40%"}, {250, 100, u"Update"}, {0, 0, u"Update"}, {99, 99, u"99%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(b->SetDownloadProcess(c.set), c.value) << c.set;
        EXPECT_EQ(b->ShownTitle(), QString::fromUtf16(c.shown)) << c.set;
    }
    b->SetDownloadProcess(40);
    const QImage shot = dlg.RenderImage();
    EXPECT_NE(At(shot, 20, 12), At(shot, 105, 12));  // filled on the left only
    dlg.Click(50, 25);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{6, 1, 0, 0}, {6, 2, 0, 0}}));
}

struct Balloon {
    CString text;
    int show;
};
std::vector<Balloon> g_balloons;

TEST_F(ButtonVariants, IconButtonsGroupApartFromRadios)
{
    auto* a = dlg.Make<CIconButton>(u"CIconButton", 11, CRect(10, 10, 60, 60), u"A"_qs);
    auto* b = dlg.Make<CIconButton>(u"CIconButton", 12, CRect(70, 10, 120, 60), u"B"_qs);
    auto* radio = dlg.Make<CRadioButton>(u"CRadioButton", 13, CRect(130, 10, 200, 40), u"R"_qs);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    radio->SetCheck(1);
    dlg.Click(20, 20);
    EXPECT_EQ(a->GetCheck(), 1);
    dlg.Click(80, 20);
    EXPECT_EQ(a->GetCheck(), 0);
    EXPECT_EQ(b->GetCheck(), 1);
    EXPECT_EQ(radio->GetCheck(), 1);  // another class, another group
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{11, 1, 0, 0}, {11, 2, 0, 0}, {12, 1, 0, 0}, {12, 2, 0, 0}}));
}

// The three-line tip shows in the key tip window centred above the button,
// never in the library balloon; leaving the button hides it.
TEST_F(ButtonVariants, IconButtonTipShowsInTheKeyTipWindowWhileHovered)
{
    auto* a = dlg.Make<CIconButton>(u"CIconButton", 11, CRect(10, 40, 60, 90), u"A"_qs);
    auto* b = dlg.Make<CIconButton>(u"CIconButton", 12, CRect(70, 40, 120, 90), u"B"_qs);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    PaintManager::SetAirBladderHandler([](PaintManager*, const CString& text, CPoint, int, int, int show) {
        g_balloons.push_back({text, show});
    });
    g_balloons.clear();
    a->SetTipInfo(u"Game mode"_qs, CString(), u"Locks the Windows key"_qs);
    dlg.Move(250, 150);
    EXPECT_EQ(a->GetTipWindow(), nullptr);  // created on the first hover
    dlg.Move(20, 50);
    CKeyboardTips* tip = a->GetTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(tip->GetWindowTextW(), u"KeyboardTip Window"_qs);
    EXPECT_EQ(tip->GetTitle(), u"Game mode"_qs);
    EXPECT_EQ(tip->GetLine2(), CString());
    EXPECT_EQ(tip->GetLine3(), u"Locks the Windows key"_qs);
    // Centre x of the button, 5 below its top, in screen coordinates; the
    // 190 x 100 tip sits centred above that point.
    const CPoint anchor = dlg.ClientToScreen(CPoint(35, 45));
    EXPECT_EQ(tip->GetAnchor(), anchor);
    EXPECT_EQ(tip->GetWindowRect(), CRect(anchor.x - 95, anchor.y - 100, anchor.x + 95, anchor.y));
    dlg.Move(25, 55);  // still over the button
    EXPECT_TRUE(tip->IsWindowVisible());
    dlg.Move(250, 150);
    EXPECT_FALSE(tip->IsWindowVisible());
    dlg.Move(80, 50);  // a button without a tip shows none
    EXPECT_EQ(b->GetTipWindow(), nullptr);
    EXPECT_FALSE(tip->IsWindowVisible());
    dlg.Move(20, 50);
    ASSERT_TRUE(tip->IsWindowVisible());
    a->SetVisible(0);  // a hidden button takes its tip with it
    EXPECT_FALSE(tip->IsWindowVisible());
    EXPECT_TRUE(g_balloons.empty());
    MAirBladder::Install();  // back to the library's balloon
}

}  // namespace

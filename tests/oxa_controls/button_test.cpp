// Push, image and text buttons: state frames, notifications, disabling.
#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "oxa/controls/air_bladder.h"
#include "oxa/controls/standard_controls.h"
#include "oxa/controls/help_button.h"
#include "oxa/controls/image_button.h"
#include "oxa/controls/upgrade_button.h"
#include "oxa/core/panel.h"
#include "oxa/controls/text_button.h"

using namespace ctltest;

namespace {

constexpr QRgb kNormal = 0xFF102030, kHover = 0xFF405060, kPressed = 0xFF708090, kDisabled = 0xFFA0B0C0;

class Buttons : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin.Strip(u"plate.png"_qs, 40, 30, {kNormal, kHover, kPressed, kDisabled});
        ASSERT_TRUE(dlg.Open(300, 200));
    }
    ColourSkin skin;
    NoteDialog dlg;
};

TEST_F(Buttons, PressAndReleaseInsideSendPressedThenClicked)
{
    auto* b = dlg.Make<MButton>(u"MButton", 7, CRect(10, 10, 110, 40), u"OK"_qs);
    ASSERT_NE(b, nullptr);
    dlg.Move(20, 20);
    EXPECT_EQ(b->GetState(), 1);
    EXPECT_EQ(b->GetCursorShape(), int(Qt::PointingHandCursor));
    dlg.Down(20, 20);
    EXPECT_EQ(b->GetState(), 2);
    dlg.Up(20, 20);
    EXPECT_EQ(b->GetState(), 1);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{7, 1, 0, 0}, {7, 2, 0, 0}}));
}

TEST_F(Buttons, ReleaseOutsideSendsNoClickAndReturnsToNormal)
{
    auto* b = dlg.Make<MButton>(u"MButton", 7, CRect(10, 10, 110, 40), u"OK"_qs);
    dlg.Move(20, 20);
    dlg.Down(20, 20);
    dlg.Move(200, 150, MK_LBUTTON);
    dlg.Up(200, 150);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{7, 1, 0, 0}}));
    EXPECT_EQ(b->GetState(), 0);
}

TEST_F(Buttons, DisabledButtonShowsFrameThreeAndIgnoresTheMouse)
{
    auto* b = dlg.Make<MButton>(u"MButton", 7, CRect(10, 10, 110, 40), CString(), 0);
    ASSERT_TRUE(b->SetImage(u"plate.png"_qs, 4));
    dlg.Click(60, 25);
    EXPECT_TRUE(dlg.notes.empty());
    EXPECT_EQ(b->CurrentFrame(), 3);
    EXPECT_EQ(At(dlg.RenderImage(), 60, 25), kDisabled);
    b->SetEnabled(1);
    EXPECT_EQ(At(dlg.RenderImage(), 60, 25), kNormal);
}

TEST_F(Buttons, EachStateShowsItsFrameStretchedOverTheButton)
{
    auto* b = dlg.Make<MButton>(u"MButton", 7, CRect(10, 10, 110, 40));
    ASSERT_TRUE(b->SetImage(u"plate.png"_qs, 4));
    EXPECT_EQ(At(dlg.RenderImage(), 100, 35), kNormal);
    dlg.Move(100, 35);
    EXPECT_EQ(At(dlg.RenderImage(), 100, 35), kHover);
    dlg.Down(100, 35);
    EXPECT_EQ(At(dlg.RenderImage(), 100, 35), kPressed);
}

TEST_F(Buttons, ImageButtonDrawsItsFrameAtItsOwnSize)
{
    auto* b = dlg.Make<CImageButton>(u"CImageButton", 8, CRect(10, 10, 110, 60));
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(b->SetImage(u"plate.png"_qs, 4));
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 45, 35), kNormal);    // inside the 40 x 30 frame
    EXPECT_NE(At(shot, 80, 50), kNormal);    // beyond it: background
}

struct BalloonCall {
    CString text;
    CPoint pt;
    int type, mode, show;
};
std::vector<BalloonCall> g_balloon;

TEST_F(Buttons, ImageButtonShowsItsTitleInABalloonWhileHovered)
{
    RegisterStandardControls();  // installs the library's balloon, replaced here
    PaintManager::SetAirBladderHandler(
        [](PaintManager*, const CString& text, CPoint pt, int type, int mode, int show) {
            g_balloon.push_back({text, pt, type, mode, show});
        });
    g_balloon.clear();
    auto* b = dlg.Make<CImageButton>(u"CImageButton", 8, CRect(10, 10, 50, 40), u"Close"_qs);
    dlg.Move(20, 20);
    EXPECT_TRUE(g_balloon.empty());  // mode 0: none
    dlg.Move(200, 150);
    b->SetAlrBladderMode(1);
    dlg.Move(20, 20);
    ASSERT_EQ(g_balloon.size(), 1u);
    EXPECT_EQ(g_balloon[0].text, u"Close"_qs);
    EXPECT_EQ(g_balloon[0].type, 5);
    EXPECT_EQ(g_balloon[0].mode, 1);
    EXPECT_EQ(g_balloon[0].pt, dlg.ClientToScreen(CPoint(50, 25)));  // middle of the right edge
    dlg.Move(200, 150);
    ASSERT_EQ(g_balloon.size(), 2u);
    EXPECT_EQ(g_balloon[1].show, 0);
    MAirBladder::Install();  // back to the library's balloon
}

TEST_F(Buttons, HelpButtonBalloonPointsBesideItsCorner)
{
    RegisterStandardControls();  // installs the library's balloon, replaced here
    PaintManager::SetAirBladderHandler(
        [](PaintManager*, const CString& text, CPoint pt, int type, int mode, int show) {
            g_balloon.push_back({text, pt, type, mode, show});
        });
    g_balloon.clear();
    auto* help = dlg.Make<CHelpButton>(u"CHelpButton", 16, CRect(100, 100, 121, 121), u"What this does"_qs);
    ASSERT_NE(help, nullptr);
    dlg.Move(110, 110);
    dlg.Move(111, 111);  // still inside: shown once
    ASSERT_EQ(g_balloon.size(), 1u);
    EXPECT_EQ(g_balloon[0].pt, dlg.ClientToScreen(CPoint(98, 100)));  // mode 2 by default
    EXPECT_EQ(g_balloon[0].type, 5);
    dlg.Move(250, 180);
    ASSERT_EQ(g_balloon.size(), 2u);
    EXPECT_EQ(g_balloon[1].show, 0);
    help->SetAirbladderMode(1);
    EXPECT_EQ(help->BalloonPoint(), dlg.ClientToScreen(CPoint(120, 100)));
    MAirBladder::Install();  // back to the library's balloon
}

TEST_F(Buttons, UpgradeBadgeAppearsWithTheStatus)
{
    auto* page = new MPanel(&dlg, 60, CRect(0, 0, 300, 200));
    dlg.GetPaintManager().AddControl(page);
    page->SetManager(&dlg.GetPaintManager());
    auto* up = dynamic_cast<UpgradeButton*>(page->CreateControl(u"UpgradeButton"_qs, 17, CRect(10, 10, 110, 40),
                                                                 u"Update"_qs, 1, 0));
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->IsEnabled(), 1);  // always created enabled
    const QRgb before = At(dlg.RenderImage(), 97, 18);
    up->SetUpgradeStatus(1);
    EXPECT_EQ(At(dlg.RenderImage(), 97, 18), 0xFFFF0000u);  // inside the 16-pixel disc, beside the "1"
    up->SetUpgradeStatus(0);
    EXPECT_EQ(At(dlg.RenderImage(), 97, 18), before);
    EXPECT_EQ(dlg.CreateControl(u"UpgradeButton"_qs, 18, CRect(), CString(), 1, 1), nullptr);  // panels only
}

TEST_F(Buttons, TextButtonDefaultColoursAndNotifications)
{
    auto* b = dlg.Make<CTextButton>(u"CTextButton", 9, CRect(10, 10, 110, 40), u"Text"_qs);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetStateColor(0), 0xFECCCCCCu);
    EXPECT_EQ(b->GetStateColor(1), 0xFEFEDB00u);
    EXPECT_EQ(b->GetStateColor(2), 0xFEA0A0A0u);
    EXPECT_EQ(b->GetStateColor(3), 0xFE808080u);
    dlg.Click(20, 20);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{9, 1, 0, 0}, {9, 2, 0, 0}}));
}

}  // namespace

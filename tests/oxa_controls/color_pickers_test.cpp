// The colour pickers: the colour wheel, the swatch grid, the
// saturation/value square with its hue bar and the spectrum.
#include <gtest/gtest.h>

#include "controls_test_support.h"
#include "oxa/controls/circle_palette.h"
#include "oxa/controls/color_palette.h"
#include "oxa/controls/color_select.h"
#include "oxa/controls/palette.h"
#include "oxa/core/panel.h"

using namespace ctltest;

namespace {

constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

class Pickers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open(400, 300)); }
    ColourSkin skin;
    NoteDialog dlg;
};

TEST_F(Pickers, AreCreatedByNameInDialogsAndPanelsAlwaysEnabled)
{
    auto* panel = dlg.Make<MPanel>(u"MTabLayout", 50, CRect(0, 0, 400, 300));
    ASSERT_NE(panel, nullptr);
    const char16_t* names[] = {u"MPalette", u"CColorPalette", u"CColorSelect", u"CirclePalette"};
    unsigned id = 60;
    for (const char16_t* name : names) {
        const CString cls = QString::fromUtf16(name);
        MControl* a = dlg.CreateControl(cls, ++id, CRect(0, 0, 50, 50), CString(), 1, 0);
        MControl* b = panel->CreateControl(cls, ++id, CRect(0, 0, 50, 50), CString(), 1, 0);
        ASSERT_NE(a, nullptr) << cls.toStdString();
        ASSERT_NE(b, nullptr) << cls.toStdString();
        EXPECT_EQ(a->IsEnabled(), 1) << cls.toStdString();  // they take only the visible flag
        EXPECT_EQ(b->GetManager(), &dlg.GetPaintManager());
    }
    EXPECT_NE(dynamic_cast<MPanel*>(dlg.GetControl(63)), nullptr);  // CColorPalette is a panel
    EXPECT_NE(dynamic_cast<MPanel*>(dlg.GetControl(65)), nullptr);  // CColorSelect too
}

// A 130 x 130 wheel picture: red on the left half, blue on the right; the
// control's centre is (165, 115).
class Wheel : public Pickers {
protected:
    void SetUp() override
    {
        Pickers::SetUp();
        skin.Strip(u"wheel.png"_qs, 65, 130, {0xFFFF0000u, 0xFF0000FFu});
        wheel = dlg.Make<CirclePalette>(u"CirclePalette", 7, CRect(100, 50, 230, 180));
        ASSERT_NE(wheel, nullptr);
        ASSERT_TRUE(wheel->SetImage(u"wheel.png"_qs, 1));
    }
    CirclePalette* wheel = nullptr;
};

TEST_F(Wheel, PicksTheColourUnderTheMouseAndReportsIt)
{
    EXPECT_EQ(wheel->GetSelectColor(), kRed);  // default
    dlg.Move(195, 115);
    dlg.Down(195, 115);
    EXPECT_EQ(wheel->GetSelectColor(), kBlue);
    EXPECT_EQ(wheel->GetThumbPoint(), CPoint(195, 115));
    dlg.Move(135, 115, MK_LBUTTON);
    dlg.Up(135, 115);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{7, 27, 0, long(kBlue)}, {7, 27, 0, long(kRed)}, {7, 2, 0, long(kRed)}}));
}

TEST_F(Wheel, DragCountsOnlyMovesBeyondTheThresholdAndInsideTheCircle)
{
    dlg.Down(165, 115);  // the centre: blue half
    dlg.notes.clear();
    struct Step {
        CPoint to;
        bool counted;
    } steps[] = {
        {{160, 115}, false},  // 5 to the left
        {{165, 121}, false},  // 6 down
        {{159, 115}, true},   // 6 to the left: red
        {{159, 122}, true},   // 7 down
        {{90, 122}, false},   // 69 left of the centre: out of reach
        {{150, 80}, true},    // back within reach, 38 from the centre
    };
    size_t expected = 0;
    for (const Step& s : steps) {
        dlg.Move(s.to.x, s.to.y, MK_LBUTTON);
        expected += s.counted ? 1 : 0;
        EXPECT_EQ(dlg.notes.size(), expected) << s.to.x << "," << s.to.y;
    }
    const CPoint last = wheel->GetThumbPoint();
    EXPECT_EQ(last, CPoint(150, 80));
    // Out of the 60-pixel circle: the last colour stays.
    dlg.Move(240, 115, MK_LBUTTON);
    EXPECT_EQ(wheel->GetThumbPoint(), last);
    EXPECT_EQ(wheel->GetSelectColor(), kRed);
    dlg.Up(240, 115);
    EXPECT_EQ(dlg.notes.back(), (Note{7, 2, 0, long(kRed)}));
}

TEST_F(Wheel, IgnoresPressesOutOfReachAndWhileDisabled)
{
    dlg.Down(102, 52);  // inside the control, 89 pixels from the centre
    dlg.Up(102, 52);
    wheel->SetEnabled(0);
    dlg.Down(195, 115);
    dlg.Up(195, 115);
    EXPECT_TRUE(dlg.notes.empty());
    EXPECT_EQ(wheel->GetSelectColor(), kRed);
}

TEST_F(Pickers, DrawnWheelRunsFromWhiteToFullHuesAtTheRim)
{
    auto* wheel = dlg.Make<CirclePalette>(u"CirclePalette", 8, CRect(0, 0, 121, 121));
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->ColorAt(CPoint(60, 60)), kWhite);
    const COLORREF right = wheel->ColorAt(CPoint(118, 60));
    EXPECT_GT(GetRValue(right), 240);
    EXPECT_LT(GetGValue(right), 30);
    EXPECT_LT(GetBValue(right), 30);
    // The thumb sits on the stored colour.
    wheel->SetSelectColor(kBlue);
    const COLORREF at = wheel->ColorAt(wheel->GetThumbPoint());
    EXPECT_GT(GetBValue(at), 200);
    EXPECT_LT(GetGValue(at), 60);
}

TEST_F(Pickers, SwatchGridSelectsOnPressAndConfirmsOnReleaseOverTheSameSwatch)
{
    auto* palette = dlg.Make<MPalette>(u"MPalette", 9, CRect(0, 100, 160, 140));
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(palette->GetColors().size(), 16u);
    EXPECT_EQ(palette->GetItemRect(9), CRect(20, 120, 40, 140));  // 8 columns of 20 x 20
    const long colour9 = long(palette->GetColors()[9]);
    dlg.Click(30, 130);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{9, 27, 9, colour9}, {9, 2, 9, colour9}}));
    EXPECT_EQ(palette->GetCurSel(), 9);
    dlg.notes.clear();
    dlg.Down(5, 105);
    dlg.Up(30, 105);  // released over another swatch
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{9, 27, 0, long(palette->GetColors()[0])}}));
    EXPECT_EQ(palette->SetSelectColor(0x123456), -1);
    EXPECT_EQ(palette->SetCurSel(16), 0);
    palette->SetColors({kRed, kGreen});
    EXPECT_EQ(palette->SetSelectColor(kGreen), 1);
    EXPECT_EQ(palette->GetItemRect(1), CRect(80, 100, 160, 140));  // two columns fill the width
}

TEST_F(Pickers, SquareAndHueBarPickSaturationValueAndHue)
{
    // 224 wide: a 200 x 91 square, a gap of 8 and a 16-pixel hue bar.
    auto* palette = dlg.Make<CColorPalette>(u"CColorPalette", 10, CRect(0, 0, 224, 91));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->FieldRect(), CRect(0, 0, 200, 91));
    EXPECT_EQ(palette->HueRect(), CRect(208, 0, 224, 91));
    dlg.Down(199, 0);  // full saturation and value, hue 0
    dlg.Up(199, 0);
    dlg.Down(215, 30);  // a third down the bar: hue 120 (91 pixels: 30 * 360 / 91 = 118)
    dlg.Move(215, 30 + 1, MK_LBUTTON);
    dlg.Up(215, 31);
    ASSERT_GE(dlg.notes.size(), 4u);
    EXPECT_EQ(dlg.notes[0], (Note{10, 27, 0, long(kRed)}));
    EXPECT_EQ(dlg.notes[1], (Note{10, 2, 0, long(kRed)}));
    EXPECT_EQ(dlg.notes[2].code, 27u);
    EXPECT_EQ(palette->GetHue(), 31 * 360 / 91);
    dlg.notes.clear();
    dlg.Down(100, 90);  // the bottom row is black whatever the hue
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{10, 27, 0, 0}}));
    palette->SetColor(kBlue);
    EXPECT_EQ(palette->GetHue(), 240);
    EXPECT_EQ(palette->GetColor(), kBlue);
}

TEST_F(Pickers, SpectrumPicksHueAcrossAndLightnessDown)
{
    auto* select = dlg.Make<CColorSelect>(u"CColorSelect", 11, CRect(20, 20, 380, 121));
    ASSERT_NE(select, nullptr);
    struct Case {
        CPoint at;
        COLORREF colour;
    } cases[] = {
        {{20, 70}, kRed},     // hue 0, middle row: the pure hue
        {{140, 70}, kGreen},  // a third across: hue 120
        {{260, 70}, kBlue},   // two thirds across: hue 240
        {{200, 20}, kWhite},  // the top row
        {{200, 120}, 0},      // the bottom row
    };
    for (const Case& c : cases) {
        dlg.notes.clear();
        dlg.Down(c.at.x, c.at.y);
        dlg.Up(c.at.x, c.at.y);
        EXPECT_EQ(dlg.notes, (std::vector<Note>{{11, 27, 0, long(c.colour)}, {11, 2, 0, long(c.colour)}}))
            << c.at.x << "," << c.at.y;
    }
    // Dragging beyond the spectrum keeps to its edge.
    dlg.Down(200, 70);
    dlg.Move(500, 70, MK_LBUTTON);
    EXPECT_EQ(select->GetMarker(), CPoint(379, 70));
    dlg.Up(500, 70);
    select->SetColor(kGreen);
    EXPECT_EQ(select->GetMarker(), CPoint(140, 70));
}

}  // namespace

// Static text, pictures, the progress bar and the slider; creation by name.
#include <gtest/gtest.h>

#include <QFile>

#include "controls_test_support.h"
#include "oxa/controls/gif_picture.h"
#include "oxa/controls/level_ctrl.h"
#include "oxa/controls/photo_frame.h"
#include "oxa/controls/slider_picture.h"
#include "oxa/controls/picture.h"
#include "oxa/controls/progress.h"
#include "oxa/controls/slider.h"
#include "oxa/controls/spin_button.h"
#include "oxa/controls/text.h"
#include "oxa/core/control_factory.h"

using namespace ctltest;

namespace {

class Values : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open(400, 300)); }
    ColourSkin skin;
    NoteDialog dlg;
};

TEST(StandardFactory, CreatesEachBuiltClassUnderItsName)
{
    NoteDialog dlg;
    ASSERT_TRUE(dlg.Open(100, 100));
    const char16_t* names[] = {u"MText",        u"MPicture",     u"MProgress",     u"MSlider",
                               u"MButton",      u"CImageButton", u"CTextButton",   u"CCheckButton",
                               u"CRadioButton", u"CSelectButton", u"CColorButton", u"CSwitchButton", u"CSpinButton"};
    unsigned id = 100;
    for (const char16_t* name : names) {
        MControl* c = dlg.CreateControl(QString::fromUtf16(name), ++id, CRect(0, 0, 10, 10), u"t"_qs, 1, 0);
        ASSERT_NE(c, nullptr) << QString::fromUtf16(name).toStdString();
        EXPECT_EQ(c->GetManager(), &dlg.GetPaintManager());
        EXPECT_EQ(c->GetControlID(), id);
    }
    // Title and enabled go to the classes that take them; MText is always enabled.
    EXPECT_EQ(dynamic_cast<MControlFont*>(dlg.GetPaintManager().GetControl(105))->GetTitle(), u"t"_qs);
    EXPECT_EQ(dlg.GetPaintManager().GetControl(105)->IsEnabled(), 0);
    EXPECT_EQ(dlg.GetPaintManager().GetControl(101)->IsEnabled(), 1);
    EXPECT_EQ(dlg.CreateControl(u"NoSuch"_qs, 1, CRect(), CString(), 1, 1), nullptr);
}

TEST_F(Values, ProgressClampsIgnoresNegativesAndRefusesWhileDisabled)
{
    auto* p = dlg.Make<MProgress>(u"MProgress", 3, CRect(0, 100, 200, 110));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetMaxProgress(), 100);
    EXPECT_EQ(p->SetProgress(40), 40);
    EXPECT_EQ(p->SetProgress(-5), 40);
    EXPECT_EQ(p->SetProgress(150), 100);
    p->EnableShowText(1);
    p->SetTitle(u"Upload "_qs);
    EXPECT_EQ(p->GetShowText(), u"Upload 100%"_qs);
    p->SetMaxProgress(50);
    EXPECT_EQ(p->GetShowText(), u"Upload 50"_qs);
    p->SetEnabled(0);
    EXPECT_EQ(p->SetProgress(10), 50);
}

TEST_F(Values, ProgressWithoutImagesDrawsTheThinBarToTheValue)
{
    auto* p = dlg.Make<MProgress>(u"MProgress", 3, CRect(0, 100, 200, 110));
    p->SetProgress(25);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 10, 107), 0xFFFFE100u);   // bar: rows height-3 .. height-1
    EXPECT_EQ(At(shot, 49, 109), 0xFFFFE100u);
    EXPECT_NE(At(shot, 50, 107), 0xFFFFE100u);   // 200 x 25 / 100 = 50 pixels
    EXPECT_NE(At(shot, 10, 106), 0xFFFFE100u);
}

TEST_F(Values, ProgressRunAdvancesEveryThirdTickAndWraps)
{
    auto* p = dlg.Make<MProgress>(u"MProgress", 3, CRect(0, 100, 200, 110));
    p->SetMaxProgress(2);
    p->SetRun(1, 1);
    p->SetRunTimer(0);  // tick by hand
    p->OnControlTimer();
    p->OnControlTimer();
    EXPECT_EQ(p->GetProgress(), 1);
    p->OnControlTimer();
    EXPECT_EQ(p->GetProgress(), 0);  // 1 + 1 reaches the maximum: wraps
}

struct SliderCase {
    const char* what;
    int pressX;
    int expected;
};

TEST_F(Values, SliderPressMovesTheThumbToTheMouse)
{
    // Range 0..10 on a 200-pixel track with a 20-pixel thumb.
    const SliderCase cases[] = {{"middle", 90, 5}, {"start", 0, 0}, {"end", 199, 10}, {"past the end", 190, 10}};
    for (const auto& c : cases) {
        auto* s = dlg.Make<MSlider>(u"MSlider", 4, CRect(50, 50, 250, 90));
        ASSERT_NE(s, nullptr);
        s->SetProgress(c.expected == 0 ? 10 : 0);  // thumb away from the press
        dlg.Move(50 + c.pressX, 60);
        dlg.Down(50 + c.pressX, 60);
        EXPECT_EQ(s->GetProgress(), c.expected) << c.what;
        dlg.Up(50 + c.pressX, 60);
        dlg.GetPaintManager().RemoveControl(s);
    }
}

TEST_F(Values, SliderDragReportsPositionsThenTheRelease)
{
    auto* s = dlg.Make<MSlider>(u"MSlider", 4, CRect(50, 50, 250, 90));
    dlg.Move(55, 55);
    dlg.Down(55, 55);  // on the thumb at value 0
    EXPECT_TRUE(s->IsDragging());
    dlg.Move(50 + 90, 55, MK_LBUTTON);
    dlg.Move(50 + 91, 55, MK_LBUTTON);  // still 5: no second report
    dlg.Move(50 + 180, 55, MK_LBUTTON);
    dlg.Up(50 + 180, 55);
    const std::vector<Note> expected = {{4, 8, 5, 0}, {4, 8, 10, 0}, {4, 2, 0, 0}};
    EXPECT_EQ(dlg.notes, expected);
    EXPECT_EQ(s->GetThumbRect(), CRect(230, 50, 250, 70));
}

TEST_F(Values, SliderWheelStepsWithinTheRange)
{
    auto* s = dlg.Make<MSlider>(u"MSlider", 4, CRect(50, 50, 250, 90));
    s->SetProgress(9);
    dlg.Move(100, 60);
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(120) << 16, MAKELONG(100, 60));  // away from the user
    EXPECT_EQ(s->GetProgress(), 10);
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(120) << 16, MAKELONG(100, 60));  // at the top: no change
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(-120) << 16, MAKELONG(100, 60));
    EXPECT_EQ(s->GetProgress(), 9);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{4, 2, 0, 0}, {4, 2, 0, 0}}));
    EXPECT_EQ(s->SetProgress(-1), 9);
    EXPECT_EQ(s->SetProgress(50), 10);
}

TEST_F(Values, SpinArrowsAndWheelStepWithinTheRange)
{
    auto* s = dlg.Make<CSpinButton>(u"CSpinButton", 8, CRect(0, 0, 80, 30));
    ASSERT_NE(s, nullptr);
    s->SetRange(0, 2);
    dlg.Click(75, 5);  // up arrow
    dlg.Click(75, 5);
    dlg.Click(75, 5);  // at the maximum: no change, no report
    EXPECT_EQ(s->GetValue(), 2);
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(-120) << 16, MAKELONG(20, 10));
    EXPECT_EQ(s->GetValue(), 1);
    dlg.Click(20, 10);  // on the number: nothing
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{8, 28, 0, 0}, {8, 28, 0, 0}, {8, 28, 0, 0}}));
    EXPECT_EQ(s->SetValue(-7), 0);
}

TEST(GifPicture, AdvancesEveryFifthTickAndWraps)
{
    const CString old = Manager::GetProgramFolder();
    Manager::SetProgramFolder(QString::fromUtf8(VARNET_BIN_DIR) + u"/"_qs);
    if (!QFile::exists(Manager::GetSkinFolder() + u"loading.gif"_qs)) {
        Manager::SetProgramFolder(old);
        GTEST_SKIP() << "the skin has not been drawn";
    }
    NoteDialog dlg;
    ASSERT_TRUE(dlg.Open(200, 200));
    auto* gif = dlg.Make<CGifPicture>(u"CGifPicture", 9, CRect(0, 0, 100, 100));
    ASSERT_NE(gif, nullptr);
    ASSERT_TRUE(gif->SetImage(u"loading.gif"_qs, 1));
    Manager::SetProgramFolder(old);
    const int frames = gif->GetFrameCount();
    ASSERT_GT(frames, 1);
    EXPECT_EQ(gif->SetRunState(1, frames - 1), 1);
    gif->SetRunTimer(0);  // tick by hand
    for (int i = 0; i < 4; ++i)
        gif->OnControlTimer();
    EXPECT_EQ(gif->GetCurrentFrame(), frames - 1);
    gif->OnControlTimer();
    EXPECT_EQ(gif->GetCurrentFrame(), 0);  // wrapped
    gif->SetRunState(0, 2);
    for (int i = 0; i < 10; ++i)
        gif->OnControlTimer();
    EXPECT_EQ(gif->GetCurrentFrame(), 2);
}

TEST_F(Values, PictureModesAndFailedLoads)
{
    skin.Strip(u"pic.png"_qs, 10, 10, {0xFFFF0000, 0xFF00FF00});
    auto* pic = dlg.Make<MPicture>(u"MPicture", 6, CRect(100, 100, 130, 125));
    ASSERT_NE(pic, nullptr);
    ASSERT_TRUE(pic->SetImage(u"pic.png"_qs, 1));
    pic->SetAlignment(0, 0);
    QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 105, 105), 0xFFFF0000u);  // own size at the top-left
    EXPECT_EQ(At(shot, 115, 105), 0xFF00FF00u);
    EXPECT_NE(At(shot, 125, 120), 0xFFFF0000u);
    EXPECT_EQ(pic->SetShowMode(SHOW_MODE_TILE), 1);
    EXPECT_EQ(pic->SetShowMode(SHOW_MODE_TILE), 0);
    shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 110, 105), 0xFF00FF00u);  // second tile shows the strip's second half
    EXPECT_EQ(At(shot, 125, 122), 0xFFFF0000u);
    EXPECT_EQ(pic->SetShowMode(SHOW_MODE_FRAME, 2), 1);
    EXPECT_EQ(pic->SetShowMode(SHOW_MODE_FRAME, 2), 0);
    EXPECT_EQ(pic->SetShowMode(SHOW_MODE_FRAME, 3), 1);
    EXPECT_EQ(pic->SetImage(u"missing.png"_qs, 1), 0);
    EXPECT_EQ(pic->GetImage(), nullptr);
    shot = dlg.RenderImage();
    EXPECT_NE(At(shot, 105, 105), 0xFFFF0000u);
}

TEST_F(Values, TextFillsItsBackgroundOnlyWhenAsked)
{
    auto* t = dlg.Make<MText>(u"MText", 7, CRect(0, 0, 100, 20), u"Hello"_qs);
    ASSERT_NE(t, nullptr);
    const QRgb back = At(dlg.RenderImage(), 99, 0);
    t->EnableTextBack(1, 0xFF336699);
    EXPECT_EQ(At(dlg.RenderImage(), 99, 0), 0xFF336699u);
    t->EnableTextBack(0, 0);
    EXPECT_EQ(At(dlg.RenderImage(), 99, 0), back);
    dlg.Click(10, 10);
    EXPECT_TRUE(dlg.notes.empty());
}

}  // namespace

namespace {

// Five segments of 18 pixels with 2-pixel gaps over a 98-pixel bar.
TEST_F(Values, LevelPressChoosesTheSegmentsLevel)
{
    auto* level = dlg.Make<MLevelCtrl>(u"MLevelCtrl", 40, CRect(10, 10, 108, 30));
    ASSERT_NE(level, nullptr);
    dlg.Click(15, 20);
    dlg.Click(70, 20);  // fourth segment: 70..88
    dlg.Click(29, 20);  // the gap after the first segment: nothing
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{40, 2, 1, 0}, {40, 2, 4, 0}}));
    EXPECT_EQ(level->GetLevel(), 4);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 75, 20), 0xFFFFE100u);
    EXPECT_NE(At(shot, 100, 20), 0xFFFFE100u);
    EXPECT_EQ(level->SetLevel(9), 5);
    EXPECT_EQ(level->SetLevel(-1), 0);
    level->SetLevel(5);
    level->SetLevelCount(3);
    EXPECT_EQ(level->GetLevel(), 3);
    level->SetControlEnabled(0);
    dlg.notes.clear();
    dlg.Click(15, 20);
    EXPECT_TRUE(dlg.notes.empty());
    EXPECT_EQ(level->GetLevel(), 3);
}

TEST_F(Values, PhotoFrameFitsThePhotoInsideItsFrame)
{
    skin.Strip(u"photo.png"_qs, 40, 20, {0xFFFF0000u});
    auto* frame = dlg.Make<CPhotoFrame>(u"CPhotoFrame", 41, CRect(10, 10, 110, 110));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->SetPhoto(u"missing.png"_qs), 0);
    EXPECT_EQ(frame->GetPhotoRect(), CRect());
    ASSERT_EQ(frame->SetPhoto(u"photo.png"_qs), 1);
    // 92 x 92 inside a 4-pixel frame; a 2:1 photo becomes 92 x 46, centred.
    EXPECT_EQ(frame->GetPhotoRect(), CRect(14, 37, 106, 83));
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 60, 56), 0xFFFF0000u);
    EXPECT_EQ(At(shot, 11, 11), 0xFFE6E6E6u);
}

TEST_F(Values, SliderPictureSlidesTheNextPictureInOverTenTicks)
{
    skin.Strip(u"red.png"_qs, 50, 30, {0xFFFF0000u});
    skin.Strip(u"blue.png"_qs, 50, 30, {0xFF0000FFu});
    auto* show = dlg.Make<CSliderPicture>(u"CSliderPicture", 42, CRect(150, 10, 200, 40));
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->AddImage(u"red.png"_qs), 0);
    EXPECT_EQ(show->AddImage(u"blue.png"_qs), 1);
    EXPECT_EQ(show->AddImage(u"missing.png"_qs), -1);
    EXPECT_EQ(show->GetCurIndex(), 0);
    EXPECT_EQ(show->SetCurIndex(5), 0);
    EXPECT_EQ(show->SetCurIndex(0), 0);
    show->Next();
    show->SetRunTimer(0);  // tick by hand
    EXPECT_EQ(show->GetCurIndex(), 1);
    for (int i = 0; i < 5; ++i)
        show->OnControlTimer();
    QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 160, 20), 0xFFFF0000u);  // the old picture half gone
    EXPECT_EQ(At(shot, 190, 20), 0xFF0000FFu);  // the new one half in
    for (int i = 0; i < 5; ++i)
        show->OnControlTimer();
    EXPECT_FALSE(show->IsSliding());
    shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 160, 20), 0xFF0000FFu);
    dlg.Click(170, 20);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{42, 2, 1, 0}}));
    show->Next();  // wraps to the first
    EXPECT_EQ(show->GetCurIndex(), 0);
}

}  // namespace

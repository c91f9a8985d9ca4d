// Device picture: placement in both show modes, the hover/press frame, the
// title colours and the mouse rules tied to the device status.
#include <gtest/gtest.h>

#include "keyboard_test_support.h"
#include "oxa/keyboard/device_ctrl.h"

using namespace kbtest;

namespace {

constexpr QRgb kGreen = 0xFF00FF00u;
constexpr QRgb kMagenta = 0xFFFF00FFu;
constexpr unsigned kId = 30;

class DeviceCtrl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(500, 300));
        ctrl = dlg.Make<CDeviceCtrl>(u"CDeviceCtrl", kId, CRect(10, 10, 310, 210));  // 300 x 200
        ASSERT_NE(ctrl, nullptr);
        // Two frames of 100 x 50; only the first is the keyboard.
        strip = pictures.Strip(u"keyboard.png"_qs, 100, 50, {kGreen, kMagenta});
        ASSERT_EQ(ctrl->SetImage(strip, 2), 1);
    }
    PictureFolder pictures;
    NoteDialog dlg;
    CDeviceCtrl* ctrl = nullptr;
    QString strip;
};

TEST_F(DeviceCtrl, ImageComesFromAFullPathAndAFailedLoadKeepsTheOldOne)
{
    EXPECT_EQ(ctrl->GetPictureWidth(), 100);
    EXPECT_EQ(ctrl->GetPictureHeight(), 50);
    EXPECT_EQ(ctrl->SetImage(pictures.Missing(), 1), 0);
    EXPECT_EQ(ctrl->GetPictureWidth(), 100);
    EXPECT_EQ(ctrl->SetImage(strip, 0), 1);  // no frame count: the whole picture
    EXPECT_EQ(ctrl->GetPictureWidth(), 200);
}

TEST_F(DeviceCtrl, WithoutATitleThePictureIsCentred)
{
    const QImage shot = dlg.RenderImage();
    // (300 - 100) / 2 = 100, (200 - 50) / 2 = 75.
    EXPECT_EQ(At(shot, 110, 85), kGreen);
    EXPECT_EQ(At(shot, 209, 134), kGreen);
    EXPECT_NE(At(shot, 110, 84), kGreen);
    EXPECT_NE(At(shot, 210, 85), kGreen);
    EXPECT_EQ(Count(shot, QRect(0, 0, 500, 300), kMagenta), 0);
}

TEST_F(DeviceCtrl, ModeZeroPutsThePictureAboveTheNameAndHoverMovesIt)
{
    ctrl->SetTitle(u"HHHH"_qs);
    ctrl->SetDeviceStatus(1);
    QImage shot = dlg.RenderImage();
    // Centred across, and down in the 170 pixels above the name band.
    EXPECT_EQ(At(shot, 110, 70), kGreen);
    EXPECT_EQ(At(shot, 209, 119), kGreen);
    EXPECT_NE(At(shot, 109, 70), kGreen);
    EXPECT_NE(At(shot, 110, 69), kGreen);
    EXPECT_EQ(Brightest(shot, QRect(10, 175, 300, 30)), 0xFFFFFFFFu);  // the name band

    dlg.Move(150, 100);
    EXPECT_EQ(ctrl->GetState(), 1);
    shot = dlg.RenderImage();
    EXPECT_NE(At(shot, 110, 70), kGreen);
    EXPECT_EQ(At(shot, 111, 71), kGreen);
    EXPECT_EQ(At(shot, 210, 120), kGreen);
}

TEST_F(DeviceCtrl, ModeOneTintsTheBackAndPutsThePictureLeftOfTheName)
{
    ctrl->SetTitle(u"HHHH"_qs);
    ctrl->SetDeviceStatus(1);
    const QRgb back = At(dlg.RenderImage(), 12, 190);
    ctrl->SetShowMode(1);
    const QImage shot = dlg.RenderImage();
    // The picture at its own size at (5, 0).
    EXPECT_EQ(At(shot, 15, 10), kGreen);
    EXPECT_EQ(At(shot, 114, 59), kGreen);
    EXPECT_NE(At(shot, 115, 30), kGreen);
    // Elsewhere the back colour 0x3CFFFFFF over what was there.
    const QRgb tinted = At(shot, 12, 190);
    const int expected = qGreen(back) + (255 - qGreen(back)) * 0x3C / 255;
    EXPECT_NEAR(qGreen(tinted), expected, 2);
    // The name starts at x 238 of the control, in 60 to 90.
    EXPECT_EQ(Brightest(shot, QRect(10 + 238, 10 + 60, 62, 30)), 0xFFFFFFFFu);
    EXPECT_NE(Brightest(shot, QRect(10 + 120, 10 + 60, 110, 30)), 0xFFFFFFFFu);
}

TEST_F(DeviceCtrl, TitleIsGreyWhileTheStatusIsZero)
{
    ctrl->SetTitle(u"HHHH"_qs);
    const struct {
        int mode;
        int status;
        QRect band;  // window coordinates of the title box
        int grey;
    } cases[] = {
        {0, 1, QRect(10, 175, 300, 30), 0xFF},
        {0, 0, QRect(10, 175, 300, 30), 0x80},
        {1, 0, QRect(248, 70, 62, 30), 0xC8},
        {1, 1, QRect(248, 70, 62, 30), 0xFF},
    };
    for (const auto& c : cases) {
        ctrl->SetShowMode(c.mode);
        ctrl->SetDeviceStatus(c.status);
        const QRgb brightest = Brightest(dlg.RenderImage(), c.band);
        EXPECT_NEAR(qGreen(brightest), c.grey, 2) << c.mode << "/" << c.status;
        EXPECT_EQ(qRed(brightest), qGreen(brightest));
        EXPECT_EQ(qBlue(brightest), qGreen(brightest));
    }
}

TEST_F(DeviceCtrl, MouseNotifiesOnlyWhileEnabledWithAStatus)
{
    const struct {
        int enabled;
        int status;
        std::vector<Note> notes;
        int stateWhilePressed;
    } cases[] = {
        {1, 1, {{kId, 1, 0, 0}, {kId, 2, 0, 0}}, 2},
        {1, 0, {}, 0},
        {0, 1, {}, 0},
    };
    for (const auto& c : cases) {
        ctrl->SetEnabled(c.enabled);
        ctrl->SetDeviceStatus(c.status);
        dlg.notes.clear();
        dlg.Move(150, 100);
        EXPECT_EQ(ctrl->GetState(), c.stateWhilePressed ? 1 : 0);
        dlg.Down(150, 100);
        EXPECT_EQ(ctrl->GetState(), c.stateWhilePressed);
        dlg.Up(150, 100);
        EXPECT_EQ(ctrl->GetState(), 0);
        EXPECT_EQ(dlg.notes, c.notes) << c.enabled << "/" << c.status;
        dlg.Move(400, 250);
    }
}

TEST_F(DeviceCtrl, AReleaseOutsideDropsThePressWithoutAClick)
{
    ctrl->SetDeviceStatus(1);
    dlg.Move(150, 100);
    dlg.Down(150, 100);
    dlg.Move(400, 250);
    EXPECT_EQ(ctrl->GetState(), 2);  // a move does not end the press
    dlg.Up(400, 250);
    EXPECT_EQ(ctrl->GetState(), 0);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{kId, 1, 0, 0}}));
}

}  // namespace

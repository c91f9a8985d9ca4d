// Battery: the level fill, the charging look, no repaint for unchanged
// values and reports from another thread.
#include <gtest/gtest.h>

#include <thread>

#include "keyboard_test_support.h"
#include "oxa/keyboard/battery_ctrl.h"

using namespace kbtest;

namespace {

constexpr QRgb kOutline = 0xFF0000FFu;
constexpr QRgb kLevel = 0xFFFF0000u;
constexpr QRgb kCharge = 0xFFFFFF00u;
// The control at (50, 20), 100 x 20; outline 30 x 14, level 40 x 14, charging 8 x 10.
constexpr int kX = 50, kY = 20;

class Battery : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(300, 100));
        battery = dlg.Make<BatteryCtrl>(u"BatteryCtrl", 40, CRect(kX, kY, kX + 100, kY + 20));
        ASSERT_NE(battery, nullptr);
        ASSERT_EQ(battery->SetImage(pictures.Skin(u"icon/icon_battery_bkg.png"_qs, 30, 14, kOutline), 1), 1);
        EXPECT_EQ(battery->SetBatteryIcon(pictures.Skin(u"icon/icon_batteryvalue.png"_qs, 40, 14, kLevel),
                                          pictures.Skin(u"icon/icon_charge.png"_qs, 8, 10, kCharge)),
                  1);
    }
    // Width of the level fill along the second row.
    int FillWidth()
    {
        const QImage shot = dlg.RenderImage();
        int n = 0;
        while (n < 100 && At(shot, kX + n, kY + 1) == kLevel)
            ++n;
        return n;
    }
    PictureFolder pictures;
    NoteDialog dlg;
    BatteryCtrl* battery = nullptr;
};

TEST_F(Battery, FillIsTheLevelsShareOfTheLevelPicture)
{
    EXPECT_EQ(battery->GetBatteryLevel(), 100);
    EXPECT_EQ(battery->IsCharging(), 0);
    const struct {
        int level;
        int width;
    } cases[] = {{100, 40}, {55, 22}, {1, 0}, {0, 0}, {-5, 0}, {150, 40}};
    for (const auto& c : cases) {
        battery->SetBatteryInfo(c.level, 0);
        EXPECT_EQ(FillWidth(), c.width) << c.level;
    }
    battery->SetBatteryInfo(55, 0);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, kX + 22, kY + 1), kOutline);  // the outline shows beyond the fill
    EXPECT_EQ(Count(shot, QRect(kX, kY, 100, 20), kCharge), 0);
}

TEST_F(Battery, ChargingShowsNoFillAndTheChargingPicture)
{
    battery->SetBatteryInfo(55, 1);
    EXPECT_EQ(FillWidth(), 0);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, kX, kY + 1), kOutline);
    // Right of the outline (30 + 5), centred down: (20 - 10) / 2 = 5.
    EXPECT_EQ(At(shot, kX + 35, kY + 5), kCharge);
    EXPECT_EQ(At(shot, kX + 42, kY + 14), kCharge);
    EXPECT_NE(At(shot, kX + 34, kY + 5), kCharge);
    EXPECT_NE(At(shot, kX + 35, kY + 4), kCharge);
    EXPECT_NE(At(shot, kX + 35, kY + 15), kCharge);
}

TEST_F(Battery, RepeatingTheStoredValuesRepaintsNothing)
{
    dlg.ForgetRepaints();
    battery->SetBatteryInfo(100, 0);  // the values it starts with
    EXPECT_FALSE(dlg.RepaintPending());
    battery->SetBatteryInfo(55, 0);
    EXPECT_TRUE(dlg.RepaintPending());
    dlg.ForgetRepaints();
    battery->SetBatteryInfo(55, 0);
    EXPECT_FALSE(dlg.RepaintPending());
    battery->SetBatteryInfo(55, 1);
    EXPECT_TRUE(dlg.RepaintPending());
}

TEST_F(Battery, PicturesComeFromTheSkinFolder)
{
    battery->SetBatteryInfo(0, 0);
    EXPECT_EQ(battery->SetImage(u"icon/none.png"_qs, 1), 0);
    EXPECT_EQ(At(dlg.RenderImage(), kX + 5, kY + 1), kOutline);  // the old outline stays
    dlg.ForgetRepaints();
    EXPECT_EQ(battery->SetImage(u"icon\\icon_battery_bkg.png"_qs, 1), 1);
    EXPECT_FALSE(dlg.RepaintPending());  // setting the outline does not repaint
}

TEST_F(Battery, TheWorkerReportsTheLevel)
{
    dlg.ForgetRepaints();
    std::thread worker([this] { battery->SetBatteryInfo(25, 0); });
    worker.join();
    EXPECT_TRUE(dlg.RepaintPending());
    EXPECT_EQ(battery->GetBatteryLevel(), 25);
    EXPECT_EQ(FillWidth(), 10);
}

}  // namespace

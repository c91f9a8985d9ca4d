// Key tip window: creation, placement over the anchor, the painting with and
// without a title, hiding, closing and the ignored input.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "keyboard_test_support.h"
#include "oxa/keyboard/keyboard_tips.h"

using namespace kbtest;

namespace {

constexpr QRgb kBorder = 0xFF505050u;
constexpr QRgb kInside = 0xFF141414u;

class KeyboardTips : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.Open(400, 300));
        ASSERT_TRUE(tip.CreateTipWindow(owner.GetSafeHwnd()));
    }
    void Flush()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendPostedEvents();
    }
    NoteDialog owner;
    CKeyboardTips tip;
};

TEST_F(KeyboardTips, IsAHiddenToolPopupOfItsOwner)
{
    EXPECT_EQ(tip.GetWindowTextW(), u"KeyboardTip Window"_qs);
    EXPECT_TRUE(tip.GetStyle() & WS_POPUP);
    EXPECT_TRUE(tip.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_EQ(tip.GetParentHwnd(), owner.GetSafeHwnd());
    EXPECT_FALSE(tip.IsWindowVisible());
    const QRegion shape = CKeyboardTips::ShapeRegion(190, 100);
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(189, 99)));
    EXPECT_TRUE(shape.contains(QPoint(95, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, 50)));
    EXPECT_TRUE(shape.contains(QPoint(3, 3)));
}

TEST_F(KeyboardTips, ATitledMessageCentresTheWindowAboveTheAnchor)
{
    EXPECT_EQ(tip.SetAirBladderMsg(u"Esc"_qs, u"Keyboard"_qs, u"Esc"_qs, CPoint(400, 300)), 0);
    EXPECT_EQ(tip.GetWindowRect(), CRect(305, 200, 495, 300));
    EXPECT_EQ(tip.SetAirBladderMsg(u"Esc"_qs, u"Keyboard"_qs, u"Esc"_qs, CPoint(400, 300)), 1);
    EXPECT_EQ(tip.SetAirBladderMsg(u"Esc"_qs, u"Keyboard"_qs, u"Esc"_qs, CPoint(401, 300)), 0);
    EXPECT_EQ(tip.GetWindowRect(), CRect(306, 200, 496, 300));
    EXPECT_FALSE(tip.IsWindowVisible());  // showing is the caller's
}

TEST_F(KeyboardTips, AnEmptyTitleStoresTheTextsButLeavesTheWindowAndShowsOnlyTheFrame)
{
    tip.SetAirBladderMsg(u"F1"_qs, u"a"_qs, u"b"_qs, CPoint(200, 200));
    const CRect placed = tip.GetWindowRect();
    EXPECT_EQ(tip.SetAirBladderMsg(CString(), u"line 2"_qs, u"line 3"_qs, CPoint(50, 60)), 0);
    EXPECT_EQ(tip.GetLine2(), u"line 2"_qs);
    EXPECT_EQ(tip.GetLine3(), u"line 3"_qs);
    EXPECT_EQ(tip.GetAnchor(), CPoint(50, 60));
    EXPECT_EQ(tip.GetWindowRect(), placed);
    const QImage shot = tip.RenderImage();
    ASSERT_EQ(shot.size(), QSize(190, 100));
    EXPECT_EQ(Count(shot, QRect(1, 1, 187, 97), kInside), 187 * 97);
}

TEST_F(KeyboardTips, PaintingDrawsTheBorderThePlateAndThreeWhiteLines)
{
    tip.SetAirBladderMsg(u"HHH"_qs, u"HHH"_qs, u"HHH"_qs, CPoint(200, 200));
    const QImage shot = tip.RenderImage();
    // One pixel of border left and top, two right and bottom.
    const struct {
        int x, y;
        QRgb colour;
    } pixels[] = {
        {0, 50, kBorder},   {1, 50, kInside},   {50, 0, kBorder},   {50, 1, kInside},
        {189, 50, kBorder}, {188, 50, kBorder}, {187, 50, kInside}, {50, 99, kBorder},
        {50, 98, kBorder},  {50, 97, kInside},  {5, 5, kInside},    {184, 94, kInside},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(At(shot, p.x, p.y), p.colour) << p.x << "," << p.y;
    // White text in each line's box (x 10 to 180; y 8, 35, 63, 20 high) and
    // nowhere between them.
    for (int top : {8, 35, 63})
        EXPECT_EQ(Brightest(shot, QRect(10, top, 170, 20)), 0xFFFFFFFFu) << top;
    EXPECT_EQ(Count(shot, QRect(1, 1, 187, 5), kInside), 187 * 5);
    EXPECT_EQ(Count(shot, QRect(1, 86, 187, 11), kInside), 187 * 11);
    // Line 3 is the larger font: its text is taller.
    auto rows = [&](int top) {
        int n = 0;
        for (int y = top; y < top + 20; ++y)
            n += Count(shot, QRect(10, y, 170, 1), kInside) < 170 ? 1 : 0;
        return n;
    };
    EXPECT_GT(rows(63), rows(35));
}

TEST_F(KeyboardTips, HidesOnFocusLossAndOnTimerTen)
{
    tip.ShowWindow(SW_SHOW);
    ASSERT_TRUE(tip.IsWindowVisible());
    tip.SendMessageW(WM_TIMER, 11, 0);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.SendMessageW(WM_TIMER, 10, 0);
    EXPECT_FALSE(tip.IsWindowVisible());
    tip.ShowWindow(SW_SHOW);
    tip.SendMessageW(WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(tip.IsWindowVisible());
}

TEST_F(KeyboardTips, IgnoresMouseAndKeys)
{
    tip.ShowWindow(SW_SHOW);
    for (unsigned msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEMOVE, WM_KEYDOWN, WM_CHAR})
        EXPECT_EQ(tip.SendMessageW(msg, 0, MAKELONG(5, 5)), 0);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_TRUE(tip.GetSafeHwnd());
}

TEST_F(KeyboardTips, CloseRequestsDestroyTheWindow)
{
    tip.CloseWindow();
    EXPECT_TRUE(tip.GetSafeHwnd());  // posted, not at once
    Flush();
    EXPECT_FALSE(tip.GetSafeHwnd());

    CKeyboardTips other;
    ASSERT_TRUE(other.CreateTipWindow(owner.GetSafeHwnd()));
    other.PostMessageW(WM_OXA_CLOSE, 2, 0);
    Flush();
    EXPECT_FALSE(other.GetSafeHwnd());
}

TEST_F(KeyboardTips, KeepsTheBackgroundPictureAndBackMode)
{
    PictureFolder pictures;
    pictures.Skin(u"img_tip_bk.png"_qs, 190, 100, 0xFF202020u);
    EXPECT_EQ(tip.LoadBKImage(u"img_tip_bk.png"_qs), 1);
    EXPECT_EQ(tip.GetBKImageSize(), CSize(190, 100));
    EXPECT_EQ(At(tip.RenderImage(), 50, 50), kInside);  // the picture is not drawn
    EXPECT_EQ(tip.LoadBKImage(u"none.png"_qs), 0);
    tip.SetBackMode(1, 30);
    EXPECT_EQ(tip.GetBackMode(), 1);
    EXPECT_EQ(tip.GetBackBorder(), 30);
}

}  // namespace

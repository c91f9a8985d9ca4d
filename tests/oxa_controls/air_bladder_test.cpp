// The balloon tip: placement per mode, showing and hiding through the
// window's manager, the auto-hide timer and its lifetime.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>

#include "controls_test_support.h"
#include "oxa/controls/air_bladder.h"
#include "oxa/controls/image_button.h"
#include "oxa/core/font_collection.h"

using namespace ctltest;

namespace {

void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class Balloons : public ::testing::Test {
protected:
    void SetUp() override
    {
        MAirBladder::Install();
        ASSERT_TRUE(dlg.Open(400, 300));
    }
    PaintManager& pm() { return dlg.GetPaintManager(); }
    NoteDialog dlg;
};

TEST(BalloonLayout, PlacesTheWindowByMode)
{
    const QFont font = MakeFont(nullptr, 14, 0);
    const QFontMetrics fm(font);
    const CString text = u"Profile 1"_qs;
    const int tw = fm.horizontalAdvance(text), lh = fm.height();
    const CPoint pt(500, 400);
    const CSize side(8, 14), top(14, 8);
    struct Case {
        int mode;
        CRect window;
        int arrowSide;
    } cases[] = {
        {1, CRect(500, 400 - (lh + 20) / 2, 500 + tw + 40, 400 - (lh + 20) / 2 + lh + 20), 1},
        {2, CRect(500 - tw - 40, 373, 500, 373 + lh + 20), 2},
        {3, CRect(475, 400, 475 + tw + 40, 400 + lh + 20 + 8), 3},
        {4, CRect(500 - (tw + 30) / 2, 380 - (lh + 20), 500 - (tw + 30) / 2 + tw + 30, 380), 0},
        {5, CRect(500, 390, 500 + tw + 40, 390 + lh + 20), 1},
    };
    for (const Case& c : cases) {
        const AirBladderLayout l = MAirBladder::ComputeLayout(text, pt, c.mode, font, side, top);
        EXPECT_EQ(l.window, c.window) << "mode " << c.mode;
        EXPECT_EQ(l.arrowSide, c.arrowSide) << "mode " << c.mode;
        if (c.arrowSide == 0)
            continue;
        // The arrow's tip touches the anchor.
        CRect arrow = l.arrow;
        arrow.OffsetRect(l.window.left, l.window.top);
        const CPoint tip = c.arrowSide == 1   ? CPoint(arrow.left, (arrow.top + arrow.bottom) / 2)
                           : c.arrowSide == 2 ? CPoint(arrow.right, (arrow.top + arrow.bottom) / 2)
                                              : CPoint((arrow.left + arrow.right) / 2, arrow.top);
        EXPECT_EQ(tip, pt) << "mode " << c.mode;
    }
}

TEST(BalloonLayout, MultiLineTextGrowsByLinesAndIsLeftAligned)
{
    const QFont font = MakeFont(nullptr, 14, 0);
    const QFontMetrics fm(font);
    const CString text = u"Game mode\nLocks the Windows key"_qs;
    const AirBladderLayout l = MAirBladder::ComputeLayout(text, CPoint(0, 100), 1, font, CSize(8, 14), CSize());
    EXPECT_EQ(l.window.Width(), fm.horizontalAdvance(u"Locks the Windows key"_qs) + 40);
    EXPECT_EQ(l.window.Height(), 2 * fm.height() + 20);
    EXPECT_FALSE(l.centred);
    EXPECT_EQ(l.text.left, l.plate.left + 8);
    EXPECT_EQ(l.text.top, l.plate.top + 8);
    EXPECT_TRUE(MAirBladder::ComputeLayout(text, CPoint(0, 100), 4, font, CSize(), CSize()).centred);
}

TEST_F(Balloons, ImageButtonHoverShowsItsTitleAgainEachTime)
{
    auto* b = dlg.Make<CImageButton>(u"CImageButton", 8, CRect(10, 10, 50, 40), u"Close"_qs);
    ASSERT_NE(b, nullptr);
    b->SetAlrBladderMode(1);
    dlg.Move(20, 20);
    MAirBladder* balloon = MAirBladder::Find(&pm());
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->IsShown());
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_EQ(balloon->GetText(), u"Close"_qs);
    EXPECT_EQ(balloon->title(), u"AirBladder Window"_qs);
    const CPoint anchor = dlg.ClientToScreen(CPoint(50, 25));
    EXPECT_EQ(balloon->GetLayout().window.left, anchor.x);
    dlg.Move(200, 150);
    EXPECT_FALSE(balloon->IsShown());
    EXPECT_FALSE(balloon->isVisible());
    // The same text at the same point comes back on the next hover.
    dlg.Move(20, 20);
    EXPECT_TRUE(balloon->IsShown());
    EXPECT_EQ(MAirBladder::Find(&pm()), balloon);  // one per window
}

TEST_F(Balloons, OnlyTypeFourStaysUntilHidden)
{
    pm().SetAirBladderMsg(u"Saved"_qs, CPoint(100, 100), 4, 3);
    MAirBladder* balloon = MAirBladder::Find(&pm());
    ASSERT_NE(balloon, nullptr);
    balloon->SetHideDelay(40);
    pm().SetAirBladderMsg(u"Saved!"_qs, CPoint(100, 100), 4, 3);
    Pump(150);
    EXPECT_TRUE(balloon->IsShown());
    pm().ShowAirBladder(0, 0);
    EXPECT_FALSE(balloon->IsShown());

    pm().SetAirBladderMsg(u"Saved!"_qs, CPoint(100, 100), 5, 3);
    EXPECT_TRUE(balloon->IsShown());
    Pump(150);
    EXPECT_FALSE(balloon->IsShown());
}

TEST_F(Balloons, EmptyTextHidesAndDialogPointsBelowTheControl)
{
    dlg.SetAirBladderMsg(u"Tip"_qs, CPoint(0, 50), 0);  // ignored: a zero coordinate
    EXPECT_EQ(MAirBladder::Find(&pm()), nullptr);
    dlg.SetAirBladderMsg(u"Tip"_qs, CPoint(30, 50), 0);
    MAirBladder* balloon = MAirBladder::Find(&pm());
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->GetLayout().arrowSide, 3);  // mode 3: below the point
    EXPECT_EQ(balloon->GetLayout().window.left, 5);
    EXPECT_EQ(balloon->GetLayout().window.top, 50);
    pm().SetAirBladderMsg(CString(), CPoint(30, 50), 0, 3);
    EXPECT_FALSE(balloon->IsShown());
}

TEST_F(Balloons, DrawsAPlateWithWhiteTextAndTransparentCorners)
{
    pm().SetAirBladderMsg(u"MMMM"_qs, CPoint(100, 100), 4, 1);
    MAirBladder* balloon = MAirBladder::Find(&pm());
    ASSERT_NE(balloon, nullptr);
    const QImage image = balloon->RenderImage().convertToFormat(QImage::Format_ARGB32);
    const AirBladderLayout& l = balloon->GetLayout();
    ASSERT_EQ(image.size(), QSize(l.window.Width(), l.window.Height()));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // beside the arrow
    EXPECT_GT(qAlpha(image.pixel(l.plate.left + 3, l.plate.top + 3)), 200);
    int white = 0;
    for (int y = l.text.top; y < l.text.bottom; ++y)
        for (int x = l.text.left; x < l.text.right; ++x)
            white += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_GT(white, 10);
}

// The window's shape holds the plate and the arrow and leaves out the
// transparent pixels beside the arrow, which would show black without a
// compositor.
TEST_F(Balloons, ShapeHoldsThePlateAndTheArrowOnly)
{
    const struct {
        int mode;
        int side;
    } cases[] = {{1, 1}, {2, 2}, {3, 3}};
    for (const auto& c : cases) {
        pm().SetAirBladderMsg(QString(u"Mode %1"_qs).arg(c.mode), CPoint(200, 150), 4, c.mode);
        MAirBladder* balloon = MAirBladder::Find(&pm());
        ASSERT_NE(balloon, nullptr);
        const AirBladderLayout& l = balloon->GetLayout();
        ASSERT_EQ(l.arrowSide, c.side) << c.mode;
        const QRegion shape = MAirBladder::ShapeRegion(balloon->RenderImage());
        const CRect a = l.arrow;
        EXPECT_TRUE(shape.contains(QPoint((l.plate.left + l.plate.right) / 2, (l.plate.top + l.plate.bottom) / 2)))
            << c.mode;
        EXPECT_TRUE(shape.contains(QPoint((a.left + a.right) / 2, (a.top + a.bottom) / 2))) << c.mode;
        // The arrow's box is cut to the triangle: its corner by the tip is out.
        const QPoint corner = c.side == 2 ? QPoint(a.right - 1, a.top) : QPoint(a.left, a.top);
        EXPECT_FALSE(shape.contains(corner)) << c.mode;
        // So is the window's corner beside the arrow.
        const QPoint outside = c.side == 2 ? QPoint(l.window.Width() - 1, 0) : QPoint(0, 0);
        EXPECT_FALSE(shape.contains(outside)) << c.mode;
    }
    EXPECT_TRUE(MAirBladder::ShapeRegion(QImage()).isEmpty());
}

TEST(BalloonLifetime, GoesWithItsWindowsManager)
{
    MAirBladder::Install();
    PaintManager* manager = nullptr;
    {
        NoteDialog dlg;
        ASSERT_TRUE(dlg.Open(200, 100));
        manager = &dlg.GetPaintManager();
        manager->SetAirBladderMsg(u"Hello"_qs, CPoint(10, 10), 4, 1);
        ASSERT_NE(MAirBladder::Find(manager), nullptr);
    }
    EXPECT_EQ(MAirBladder::Find(manager), nullptr);
}

}  // namespace

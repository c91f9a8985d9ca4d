// Keyboard picture drawing: key colours through the transparent caps, the
// frames of each mode, the key caps of mode 100, the picture's placement and
// the modes that draw nothing.
#include <gtest/gtest.h>

#include "keyboard_ctrl_test_support.h"

using namespace kbtest;

namespace {

constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kCapBlue = 0xFF007ACCu;
constexpr QRgb kSelect = 0xFFEE6E01u;

class KeyboardDrawing : public KeyboardFixture {
protected:
    // Window rect of key i.
    static QRect KeyRect(int i)
    {
        return QRect(kPicX + kKeys[i].rect.left, kPicY + kKeys[i].rect.top, kKeys[i].rect.Width(),
                     kKeys[i].rect.Height());
    }
    // The key's left edge pixel, two rows below its top-left corner.
    static CPoint Edge(int i, int dx = 0) { return CPoint(KeyRect(i).left() + dx, KeyRect(i).top() + 20); }
    QRgb Pixel(const QImage& shot, CPoint p) { return At(shot, p.x, p.y); }
};

TEST_F(KeyboardDrawing, LightModeShowsEachKeyColourThroughItsTransparentCap)
{
    kb->SetKeyboardCtrlMode(102);
    kb->SetKeyColor(4, RGB(255, 0, 0));
    kb->SetKeyColor(6, RGB(0, 0, 255));
    kb->UpdateControl(1);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(Pixel(shot, KeyPoint(0)), kRed);
    EXPECT_EQ(Pixel(shot, KeyPoint(2)), 0xFF0000FFu);
    EXPECT_EQ(Pixel(shot, KeyPoint(1)), 0xFF000000u);  // colour 0
    // Around the caps the picture's body covers the keys.
    EXPECT_EQ(Pixel(shot, KeyPoint(0, 2, 2)), kBody);
    EXPECT_EQ(Pixel(shot, CPoint(kPicX + 55, kPicY + 30)), kBody);
    // The picture from the offsets, 400 x 200.
    EXPECT_EQ(Pixel(shot, CPoint(kPicX, kPicY)), kBody);
    EXPECT_EQ(Pixel(shot, CPoint(kPicX + 399, kPicY + 199)), kBody);
    EXPECT_NE(Pixel(shot, CPoint(kPicX - 1, kPicY + 100)), kBody);
    EXPECT_NE(Pixel(shot, CPoint(kPicX + 400, kPicY + 100)), kBody);
    EXPECT_NE(Pixel(shot, CPoint(kPicX + 100, kPicY + 200)), kBody);
    // No frames without frame selection, even for checked keys.
    kb->SetKeyCheck(4, 1);
    kb->UpdateControl(1);
    EXPECT_EQ(Count(dlg.RenderImage(), KeyRect(0), kWhite), 0);
}

TEST_F(KeyboardDrawing, FrameSelectionFramesCheckedHoverAndSelectedKeysInWhite)
{
    kb->SetKeyboardCtrlMode(102);
    kb->EnableFrameSelect(1);
    ClickLeft(KeyPoint(3));  // selected; unchecks every key first
    MoveTo(KeyPoint(2));     // hover
    kb->SetKeyCheck(4, 1);
    kb->UpdateControl(1);
    const QImage shot = dlg.RenderImage();
    for (int i : {0, 2, 3}) {
        EXPECT_EQ(Pixel(shot, Edge(i)), kWhite) << i;
        EXPECT_EQ(Pixel(shot, Edge(i, 1)), kBody) << i;  // one pixel wide
        EXPECT_EQ(Count(shot, KeyRect(i), kWhite), 2 * 40 + 2 * 38) << i;
    }
    EXPECT_EQ(Count(shot, KeyRect(1), kWhite), 0);
    EXPECT_EQ(Count(shot, KeyRect(4), kWhite), 0);

    // The music mode shows the colours only.
    kb->SetKeyboardCtrlMode(103);
    kb->SetKeyColor(4, RGB(255, 0, 0));
    kb->UpdateControl(1);
    const QImage music = dlg.RenderImage();
    EXPECT_EQ(Count(music, QRect(kPicX, kPicY, 400, 200), kWhite), 0);
    EXPECT_EQ(Pixel(music, KeyPoint(0)), kRed);
}

TEST_F(KeyboardDrawing, AssignModeFillsCheckedKeysInTheSelectColourAndFramesHoverSelectedAndLocked)
{
    kb->SetKeyboardCtrlMode(101);
    kb->SetKeyboardColor(RGB(0, 0, 255));
    kb->SetKeyColor(5, RGB(255, 0, 0));  // not shown in this mode
    kb->SetKeyCheck(4, 1);
    {
        std::lock_guard<std::recursive_mutex> lock(kb->KeysLock());
        Key(2)->lockFlag = 1;
    }
    ClickLeft(KeyPoint(3));  // selected
    MoveTo(KeyPoint(1));     // hover
    kb->UpdateControl(1);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(Pixel(shot, KeyPoint(0)), kSelect);
    EXPECT_EQ(Pixel(shot, KeyPoint(1)), 0xFF0000FFu);
    EXPECT_EQ(Pixel(shot, KeyPoint(4)), 0xFF0000FFu);
    // Hover and selected keys: a one-pixel frame in the keyboard colour.
    for (int i : {1, 3}) {
        EXPECT_EQ(Pixel(shot, Edge(i)), 0xFF0000FFu) << i;
        EXPECT_EQ(Pixel(shot, Edge(i, 1)), kBody) << i;
    }
    EXPECT_EQ(Pixel(shot, Edge(0)), kBody);
    // The locked key: a red frame two pixels wide.
    EXPECT_EQ(Pixel(shot, Edge(2)), kRed);
    EXPECT_EQ(Pixel(shot, Edge(2, 1)), kRed);
    EXPECT_EQ(Pixel(shot, Edge(2, 2)), kBody);
    EXPECT_EQ(Count(shot, KeyRect(2), kRed), 40 * 40 - 36 * 36);
    // No cap text: nothing white on the keys.
    EXPECT_EQ(Count(shot, KeyRect(0), kWhite), 0);
}

TEST_F(KeyboardDrawing, CapModeDrawsBlueKeysInsetByOnePixelWithTheirNamesAndNoPicture)
{
    pictures.Skin(u"icon/cap_icon.png"_qs, 10, 6, 0xFF00FF00u);
    kb->AddKeyItem(CString(), u"icon only"_qs, 60, CRect(10, 100, 50, 140), u"icon/cap_icon.png"_qs, 0);
    kb->AddKeyItem(u"W"_qs, u"icon and name"_qs, 61, CRect(60, 100, 100, 160), u"icon/cap_icon.png"_qs, 0);
    kb->UpdateControl(1);
    const QImage shot = dlg.RenderImage();
    const QRect a = KeyRect(0);
    EXPECT_EQ(At(shot, a.left() + 1, a.top() + 1), kCapBlue);
    EXPECT_EQ(At(shot, a.right() - 1, a.bottom() - 1), kCapBlue);
    EXPECT_NE(At(shot, a.left(), a.top() + 20), kCapBlue);
    EXPECT_NE(At(shot, a.right(), a.top() + 20), kCapBlue);
    EXPECT_EQ(Brightest(shot, a), kWhite);  // the name
    EXPECT_EQ(Count(shot, QRect(kPicX, kPicY, 400, 200), kBody), 0);
    // An icon without a name sits in the middle: 10 x 6 at (15, 17) inside.
    const int ix = kPicX + 10 + 15, iy = kPicY + 100 + 17;
    EXPECT_EQ(Count(shot, QRect(ix, iy, 10, 6), 0xFF00FF00u), 60);
    EXPECT_EQ(Count(shot, QRect(kPicX + 10, kPicY + 100, 40, 40), 0xFF00FF00u), 60);
    // With a name the icon's top is 20 pixels above the key's bottom and the
    // name is drawn above it.
    const int jx = kPicX + 60 + 15, jy = kPicY + 160 - 20;
    EXPECT_EQ(Count(shot, QRect(jx, jy, 10, 6), 0xFF00FF00u), 60);
    // Text is the only thing with red in it on a blue cap with a green icon.
    auto textPixels = [&](QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qRed(At(shot, x, y)) > 0x40 ? 1 : 0;
        return n;
    };
    EXPECT_GT(textPixels(QRect(kPicX + 61, kPicY + 101, 38, 38)), 5);
    EXPECT_EQ(textPixels(QRect(kPicX + 61, jy, 38, 19)), 0);
}

TEST_F(KeyboardDrawing, ModesWithoutAPictureOrWithoutDrawingShowOnlyTheBackground)
{
    kb->SetKeyColor(4, RGB(255, 0, 0));
    kb->SetKeyCheck(5, 1);
    const QRect area(kCtrlX, kCtrlY, 800, 300);
    kb->SetKeyboardCtrlMode(20);
    kb->UpdateControl(1);
    const QImage background = dlg.RenderImage().copy(area);
    for (int mode : {7, 101, 102, 103}) {
        kb->SetKeyboardImage(mode == 7 ? u"keyboard/test_kb.png"_qs : u"keyboard/none.png"_qs);
        kb->SetKeyboardCtrlMode(mode);
        kb->UpdateControl(1);
        EXPECT_EQ(dlg.RenderImage().copy(area), background) << mode;
    }
    EXPECT_FALSE(kb->HasKeyboardImage());
}

TEST(KeyboardCtrlPicture, IsDrawnAtItsSizeFromTheCentredOffsetWithoutScaling)
{
    PictureFolder pictures;
    // 1000 x 300: green where the drawn area falls, magenta beyond it.
    QImage image(1000, 300, QImage::Format_ARGB32);
    image.fill(0xFFFF00FFu);
    QPainter(&image).fillRect(0, 0, 780, 260, QColor(0, 255, 0));
    QDir().mkpath(Manager::GetSkinFolder() + u"keyboard"_qs);
    ASSERT_TRUE(image.save(Manager::GetSkinFolder() + u"keyboard/big.png"_qs));

    NoteDialog dlg;
    ASSERT_TRUE(dlg.Open(900, 400));
    auto* kb = dlg.Make<KeyboardCtrl>(u"KeyboardCtrl", 5, CRect(0, 0, 900, 300));
    ASSERT_NE(kb, nullptr);
    kb->SetKeyboardCtrlMode(103);
    kb->SetKeyboardImage(u"keyboard/big.png"_qs);
    kb->SetWidthAndHeight(780, 260);
    kb->UpdateControl(1);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, 60, 0), 0xFF00FF00u);
    EXPECT_EQ(At(shot, 839, 259), 0xFF00FF00u);
    EXPECT_NE(At(shot, 59, 0), 0xFF00FF00u);
    EXPECT_NE(At(shot, 840, 100), 0xFF00FF00u);
    EXPECT_NE(At(shot, 100, 260), 0xFF00FF00u);
    EXPECT_EQ(Count(shot, QRect(0, 0, 900, 400), 0xFF00FF00u), 780 * 260);
    EXPECT_EQ(Count(shot, QRect(0, 0, 900, 400), 0xFFFF00FFu), 0);
}

TEST_F(KeyboardDrawing, AKeyChangedWithoutARepaintRequestShowsAtTheNextPaint)
{
    kb->SetKeyboardCtrlMode(102);
    kb->UpdateControl(1);
    EXPECT_EQ(Pixel(dlg.RenderImage(), KeyPoint(0)), 0xFF000000u);
    // The worker changes colours and leaves the repaint to its caller; the
    // cached frame must not hide the change from whatever paints next.
    kb->SetKeyColor(4, RGB(255, 0, 0));
    EXPECT_EQ(Pixel(dlg.RenderImage(), KeyPoint(0)), kRed);
}

}  // namespace

// Skin path resolution, the image cache, image strips and nine-slice
// drawing, the image list, fonts and the text placement helpers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "oxa/core/font_collection.h"
#include "oxa/core/image_list.h"
#include "oxa/core/manager.h"
#include "oxa/core/render.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

// A strip of n frames, frame i filled with colours[i].
QImage Strip(int frameWidth, int height, const std::vector<QColor>& colours)
{
    QImage image(frameWidth * int(colours.size()), height, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    for (size_t i = 0; i < colours.size(); ++i)
        p.fillRect(int(i) * frameWidth, 0, frameWidth, height, colours[i]);
    return image;
}

class Skin : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        old = Manager::GetProgramFolder();
        Manager::SetProgramFolder(dir.path());
        skin = dir.path() + u"/skins/theme1/"_qs;
        QDir().mkpath(skin + u"icon"_qs);
        ASSERT_TRUE(dlg.Open(200, 100));
    }
    void TearDown() override { Manager::SetProgramFolder(old); }
    ProbeControl* Attached(unsigned id)
    {
        auto* c = new ProbeControl(&dlg, id, CRect(0, 0, 40, 20));
        dlg.GetPaintManager().AddControl(c);
        c->SetManager(&dlg.GetPaintManager());
        return c;
    }

    QTemporaryDir dir;
    CString old;
    CString skin;
    RecordingDialog dlg;
};

TEST_F(Skin, RelativePathsResolveAgainstTheThemeFolder)
{
    EXPECT_EQ(Manager::GetSkinFolder(), dir.path() + u"/skins/theme1/"_qs);
    EXPECT_EQ(Manager::GetFontFolder(), dir.path() + u"/font/"_qs);
    ASSERT_TRUE(Strip(10, 10, {Qt::red, Qt::green}).save(skin + u"icon/pic.png"_qs));
    ProbeControl* c = Attached(41);
    struct Case {
        const char16_t* path;
        int result;
    } cases[] = {{u"icon\\pic.png", 1}, {u"icon//pic.png", 1}, {u"icon/pic.png", 1}, {u"icon/none.png", 0}};
    for (const Case& k : cases)
        EXPECT_EQ(c->SetImage(QString::fromUtf16(k.path), 2), k.result) << QString::fromUtf16(k.path).toStdString();
    EXPECT_EQ(c->GetImageFrameWidth(), 10);  // the failed load kept the picture
    EXPECT_EQ(c->GetImagePath(), u"icon/pic.png"_qs);
}

TEST_F(Skin, NormalizePath)
{
    struct Case {
        const char16_t* in;
        const char16_t* out;
    } cases[] = {{u"a\\b.png", u"a/b.png"}, {u"icon//x.png", u"icon/x.png"}, {u"a\\\\b", u"a/b"}, {u"", u""}};
    for (const Case& k : cases)
        EXPECT_EQ(Manager::NormalizePath(QString::fromUtf16(k.in)), QString::fromUtf16(k.out));
}

TEST_F(Skin, SamePathIsDecodedOnceAndTheFirstFrameCountWins)
{
    ASSERT_TRUE(Strip(12, 10, {Qt::red, Qt::green, Qt::blue, Qt::gray}).save(skin + u"btn.png"_qs));
    ProbeControl* a = Attached(41);
    ProbeControl* b = Attached(42);
    EXPECT_EQ(a->SetImage(u"btn.png"_qs, 4), 1);
    EXPECT_EQ(b->SetImage(u"btn.png"_qs, 3), 1);
    EXPECT_EQ(a->GetImage(), b->GetImage());
    EXPECT_EQ(b->GetImageFrameWidth(), 12);  // 48 / 4
    EXPECT_EQ(b->GetImageFrameCount(), 3);
    EXPECT_EQ(dlg.GetPaintManager().GetImageCache().Count(), 1);
}

TEST_F(Skin, SetImageBeforeAttachmentFails)
{
    ASSERT_TRUE(Strip(12, 10, {Qt::red}).save(skin + u"one.png"_qs));
    ProbeControl loose(&dlg, 41, CRect(0, 0, 10, 10));
    EXPECT_EQ(loose.SetImage(u"one.png"_qs, 1), 0);
    EXPECT_EQ(loose.GetImage(), nullptr);
}

TEST_F(Skin, CorruptPictureIsRefused)
{
    QFile f(skin + u"bad.png"_qs);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x89PNG\r\n\x1a\n garbage");
    f.close();
    ProbeControl* c = Attached(41);
    EXPECT_EQ(c->SetImage(u"bad.png"_qs, 4), 0);
    EXPECT_EQ(c->SetImage(u"bad.png"_qs, 0), 0);
    EXPECT_EQ(dlg.GetPaintManager().AddImgResInfo(u"bad.png"_qs, 4), nullptr);
}

// A 90 x 90 source: corners red, edges green, centre blue (border 30).
QImage NineSource()
{
    QImage src(90, 90, QImage::Format_ARGB32_Premultiplied);
    src.fill(Qt::green);
    QPainter p(&src);
    for (int x : {0, 60})
        for (int y : {0, 60})
            p.fillRect(x, y, 30, 30, Qt::red);
    p.fillRect(30, 30, 30, 30, Qt::blue);
    return src;
}

TEST(NineSlice, BorderEqualToHalfTheHeightLeavesNoSideEdges)
{
    const QImage src = NineSource();
    QImage dst(200, 60, QImage::Format_ARGB32_Premultiplied);
    dst.fill(Qt::black);
    QPainter p(&dst);
    MRender::DrawImageFrame(p, &src, CRect(0, 0, 200, 60), 0, 0, 90, 90, 30);
    p.end();
    struct Case {
        int x, y;
        QRgb colour;
    } cases[] = {
        {0, 0, qRgb(255, 0, 0)},     {0, 29, qRgb(255, 0, 0)},   {0, 30, qRgb(255, 0, 0)},
        {0, 59, qRgb(255, 0, 0)},    {199, 0, qRgb(255, 0, 0)},  {199, 59, qRgb(255, 0, 0)},
        {100, 0, qRgb(0, 255, 0)},   {100, 59, qRgb(0, 255, 0)}, {170, 30, qRgb(255, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Pixel(dst, c.x, c.y), c.colour) << c.x << "," << c.y;
    // No centre piece and no side edges: nothing blue anywhere.
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_NE(qBlue(Pixel(dst, x, y)), 255) << x << "," << y;
}

TEST(NineSlice, StretchesEdgesAndCentre)
{
    const QImage src = NineSource();
    QImage dst(300, 200, QImage::Format_ARGB32_Premultiplied);
    dst.fill(Qt::black);
    QPainter p(&dst);
    MRender::DrawImageFrameMID(p, &src, CRect(0, 0, 300, 200), 0, 0, 90, 90, 30, 30, 30, 30);
    p.end();
    EXPECT_EQ(Pixel(dst, 150, 100), qRgb(0, 0, 255));
    EXPECT_EQ(Pixel(dst, 5, 100), qRgb(0, 255, 0));
    EXPECT_EQ(Pixel(dst, 150, 195), qRgb(0, 255, 0));
    EXPECT_EQ(Pixel(dst, 295, 195), qRgb(255, 0, 0));
}

TEST(ImageStrip, FrameIComesFromItsColumn)
{
    const QImage strip = Strip(10, 10, {Qt::red, Qt::green, Qt::blue, Qt::white});
    for (int i = 0; i < 4; ++i) {
        QImage dst(20, 20, QImage::Format_ARGB32_Premultiplied);
        dst.fill(Qt::black);
        QPainter p(&dst);
        MRender::DrawStripFrame(p, &strip, 4, i, CRect(0, 0, 20, 20), 0);
        p.end();
        EXPECT_EQ(Pixel(dst, 10, 10), Pixel(strip, i * 10 + 5, 5)) << i;
    }
}

TEST(ImageListTest, InsertDrawAndLookup)
{
    QTemporaryDir dir;
    const QString a = dir.path() + u"/a.png"_qs, b = dir.path() + u"/b.png"_qs;
    ASSERT_TRUE(Strip(8, 8, {Qt::red, Qt::green, Qt::blue}).save(a));
    ASSERT_TRUE(Strip(8, 8, {Qt::white}).save(b));
    MImageList list;
    EXPECT_EQ(list.AddImage(a, 100, 3), 0);
    EXPECT_EQ(list.InsertImage(-1, b, 101, 1), 1);
    EXPECT_EQ(list.InsertImage(0, b, 102, 1), -1);  // inserted although -1
    EXPECT_EQ(list.GetImageCount(), 3);
    EXPECT_EQ(list.GetImagePathByID(102), b);
    EXPECT_EQ(list.GetItemImageData(1)->id, 100);
    EXPECT_EQ(list.GetItemImageData(1)->frameWidth, 8);
    EXPECT_EQ(list.GetItemImageData(3), nullptr);
    EXPECT_EQ(list.GetItemImageData(-1), nullptr);
    EXPECT_EQ(list.InsertImage(-1, CString(), 1, 1), -1);
    EXPECT_EQ(list.InsertImage(7, b, 1, 1), -1);
    EXPECT_EQ(list.AddImage(dir.path() + u"/none.png"_qs, 1, 1), -1);
    QImage dst(4, 4, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&dst);
    list.DrawItemIcon(p, CRect(0, 0, 4, 4), 1, 99);  // beyond the strip: the last frame
    p.end();
    EXPECT_EQ(Pixel(dst, 2, 2), qRgb(0, 0, 255));
    list.DelAllImages();
    EXPECT_EQ(list.GetImageCount(), 0);
}

TEST(Fonts, FolderFontsRegisterUnderTheLibraryFace)
{
    const QString system = u"/usr/share/fonts/truetype/open-sans/"_qs;
    if (!QFile::exists(system + u"OpenSans-Semibold.ttf"_qs))
        GTEST_SKIP() << "fonts-open-sans is not installed";
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + u"/font"_qs);
    for (const char* f : {"OpenSans-Regular.ttf", "OpenSans-Semibold.ttf"})
        ASSERT_TRUE(QFile::copy(system + QString::fromLatin1(f), dir.path() + u"/font/"_qs + QString::fromLatin1(f)));
    FontCollection fonts;
    fonts.AddFolderFonts(dir.path() + u"/font/"_qs);
    const FontFamily* face = fonts.FindTempFont(u"Anything Else"_qs);
    ASSERT_NE(face, nullptr);
    EXPECT_FALSE(face->family.isEmpty());
    EXPECT_GT(face->weight, QFont::Normal);  // the semibold file
    EXPECT_EQ(fonts.AddTempFont(u"Missing"_qs, dir.path() + u"/font/none.ttf"_qs), nullptr);
    EXPECT_EQ(fonts.AddTempFont(u"Missing"_qs, 999u), nullptr);
    const QFont font = MakeFont(face, 16, 1 | 4);
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(font.weight(), QFont::Bold);
}

TEST(Fonts, WithoutAFontFolderTheInstalledFaceOrNothing)
{
    FontCollection fonts;
    fonts.AddFolderFonts(u"/nonexistent/font/"_qs);
    const FontFamily* face = fonts.FindTempFont(u"x"_qs);
    if (face) {
        EXPECT_EQ(face->family, Manager::GetFontName());
    }
}

TEST(Placement, OriginPointForEachAlignment)
{
    struct Case {
        unsigned h, v;
        int x, y;
    } cases[] = {{0, 0, 10, 20}, {1, 0, 45, 20}, {2, 0, 80, 20}, {0, 4, 10, 40}, {1, 4, 45, 40}, {2, 8, 80, 60}};
    for (const Case& c : cases)
        EXPECT_EQ(MRender::GetOriginPoint(10, 20, 100, 60, 30, 20, c.h, c.v), CPoint(c.x, c.y)) << c.h << "," << c.v;
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 20, 110, 80), 30, 20, 1, 4), CPoint(45, 42));
}

TEST(Placement, BlackNeverEqualsTheKey)
{
    uint32_t black = 0xFF000000u, red = 0xFF0000FFu;
    MRender::CheckAlphaColor(black);
    MRender::CheckAlphaColor(red);
    EXPECT_EQ(black, 0xFF000001u);
    EXPECT_EQ(red, 0xFF0000FFu);
}

}  // namespace

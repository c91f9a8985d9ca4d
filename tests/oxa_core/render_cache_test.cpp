// Titles and nine-slice strips are laid out and composed once and drawn again
// from those caches: the pixels must be the ones drawing from scratch gives,
// and a changed title, font, box or picture must never show the old drawing.
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <functional>

#include "oxa/core/control_font.h"
#include "oxa/core/font_collection.h"
#include "oxa/core/render.h"

namespace {

using namespace OXA;

QImage Backdrop(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(20, 22, 26));
    g.setColorAt(1, QColor(200, 120, 40, 160));
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(image.rect(), g);
    return image;
}

// A four-frame strip of rounded, half transparent boxes, 40 x 30 each.
QImage Strip(QColor base)
{
    QImage strip(160, 30, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(base.lighter(100 + 20 * i));
        p.drawRoundedRect(QRectF(i * 40 + 0.5, 0.5, 39, 29), 6, 6);
    }
    return strip;
}

// --- titles ------------------------------------------------------------------

struct TextCase {
    const char* text;
    int width, height;
    unsigned h, v;
    int style;
};

// Three frames side by side, as a control's cache holds them (the second and
// third drawn from the kept layout), against QPainter::drawText.
void ExpectSameAsQt(const TextCase& c, int shift)
{
    SCOPED_TRACE(std::string(c.text) + " h" + std::to_string(c.h) + " v" + std::to_string(c.v) + " shift " +
                 std::to_string(shift));
    const QFont font = MakeFont(nullptr, 13, c.style);
    const QString text = QString::fromUtf8(c.text);
    const int w = c.width, h = c.height;
    QImage cached = Backdrop(3 * w + 4, h + 2);
    {
        QPainter p(&cached);
        p.translate(shift, shift / 2);
        for (int i = 0; i < 3; ++i)
            MRender::DrawText(p, CRect(i * w, 0, (i + 1) * w, h), text, 0xFFF0F0F0u, font, c.h, c.v);
    }
    QImage direct = Backdrop(3 * w + 4, h + 2);
    {
        QPainter p(&direct);
        p.translate(shift, shift / 2);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setFont(font);
        p.setPen(QColor(0xF0, 0xF0, 0xF0));
        const int flags = (c.h == 1 ? Qt::AlignHCenter : c.h == 2 ? Qt::AlignRight : Qt::AlignLeft) |
                          (c.v == 4 ? Qt::AlignVCenter : c.v == 8 ? Qt::AlignBottom : Qt::AlignTop) |
                          Qt::TextSingleLine;
        const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, w);
        for (int i = 0; i < 3; ++i)
            p.drawText(QRect(i * w, 0, w, h), flags, shown);
    }
    EXPECT_TRUE(cached == direct);
}

TEST(RenderCache, TitlesMatchQtsOwnTextDrawing)
{
    const TextCase cases[] = {
        {"Button 7", 115, 30, 1, 4, FontStyleRegular},
        {"Button 7", 114, 31, 1, 4, FontStyleBold},
        {"Left", 80, 24, 0, 0, FontStyleRegular},
        {"Right", 81, 25, 2, 8, FontStyleItalic},
        {"Underlined", 90, 22, 1, 4, FontStyleUnderline},
        {"A title far too long for its little box", 70, 20, 1, 4, FontStyleRegular},
        {"A title far too long for its little box", 70, 20, 2, 4, FontStyleRegular},
        {"trailing space ", 120, 20, 1, 4, FontStyleRegular},
        {"trailing space ", 120, 20, 2, 4, FontStyleRegular},
        {"  leading", 120, 20, 1, 4, FontStyleRegular},
        {"tab\tand\nbreak", 140, 20, 0, 4, FontStyleRegular},
        {"Tall text", 60, 8, 1, 4, FontStyleRegular},  // taller than its box: clipped
        {"W", 3, 20, 1, 4, FontStyleRegular},
        {"\u4E2D\u6587 mixed", 120, 24, 1, 4, FontStyleRegular},
        {"Save \u05E9\u05DE\u05D5\u05E8 now", 120, 24, 1, 4, FontStyleRegular},
        {"\u05E9\u05DE\u05D5\u05E8 first", 120, 24, 2, 4, FontStyleRegular},
    };
    for (const TextCase& c : cases)
        for (int shift : {0, 3})  // a painter moved by whole pixels too
            ExpectSameAsQt(c, shift);
}

TEST(RenderCache, ScaledPainterStillGetsItsText)
{
    const QFont font = MakeFont(nullptr, 13, FontStyleRegular);
    QImage a = Backdrop(100, 30), b = Backdrop(100, 30);
    {
        QPainter p(&a);
        p.scale(1.5, 1.5);
        MRender::DrawText(p, CRect(0, 0, 60, 20), u"Scaled"_qs, 0xFFFFFFFFu, font, 1, 4);
    }
    {
        QPainter p(&b);
        p.scale(1.5, 1.5);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 60, 20), Qt::AlignCenter | Qt::TextSingleLine, u"Scaled"_qs);
    }
    EXPECT_TRUE(a == b);
}

// --- nine-slice strips --------------------------------------------------------

// The nine pieces drawn one by one: corners as they are, edges stretched
// along one axis, the centre along both.
void NinePieces(QPainter& p, const QImage& img, QRect dst, QRect src, int b)
{
    const int dw = dst.width(), dh = dst.height(), sw = src.width(), sh = src.height();
    const int xs[3] = {0, b, dw - b}, ws[3] = {b, dw - 2 * b, b};
    const int ys[3] = {0, b, dh - b}, hs[3] = {b, dh - 2 * b, b};
    const int sxs[3] = {0, b, sw - b}, sws[3] = {b, sw - 2 * b, b};
    const int sys[3] = {0, b, sh - b}, shs[3] = {b, sh - 2 * b, b};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            if (ws[c] > 0 && hs[r] > 0 && sws[c] > 0 && shs[r] > 0)
                p.drawImage(QRect(dst.x() + xs[c], dst.y() + ys[r], ws[c], hs[r]), img,
                            QRect(src.x() + sxs[c], src.y() + sys[r], sws[c], shs[r]));
}

TEST(RenderCache, StripFramesMatchTheirNinePieces)
{
    const QImage strip = Strip(QColor(60, 60, 160, 200));
    struct Case {
        int width, height, border;
        bool smooth;
    } cases[] = {{115, 30, 8, false}, {61, 47, 6, false}, {40, 30, 8, false}, {115, 30, 8, true}, {9, 30, 6, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " border " + std::to_string(c.border));
        QImage cached = Backdrop(4 * c.width + 10, c.height + 4);
        QImage direct = cached;
        {
            QPainter p(&cached);
            p.setRenderHint(QPainter::SmoothPixmapTransform, c.smooth);
            p.translate(3, 2);
            for (int i = 0; i < 4; ++i)
                MRender::DrawStripFrame(p, &strip, 4, i, CRect(i * c.width, 0, (i + 1) * c.width, c.height),
                                        c.border);
        }
        {
            QPainter p(&direct);
            p.setRenderHint(QPainter::SmoothPixmapTransform, c.smooth);
            p.translate(3, 2);
            for (int i = 0; i < 4; ++i)
                NinePieces(p, strip, QRect(i * c.width, 0, c.width, c.height), QRect(i * 40, 0, 40, 30), c.border);
        }
        EXPECT_TRUE(cached == direct);
    }
}

// --- a control's frames after a change ------------------------------------------

// Renders four frames like a push button: the copied background, its strip
// nine-sliced, its title.
class TitledStrip : public MControlFont {
public:
    using MControlFont::MControlFont;
    void SetStrip(const QImage* strip)
    {
        m_image = strip;
        m_frameCount = 4;
        m_frameWidth = strip->width() / 4;
        m_frameHeight = strip->height();
    }
    void DrawControl(HDC& hdc, CRect) override
    {
        const int w = m_rect.Width(), h = m_rect.Height();
        UpdateMemDC(hdc, 4 * w, h);
        for (int i = 0; i < 4; ++i) {
            CopyBackgroundToFrame(hdc, i);
            QPainter p(&m_memImage);
            DrawImageStrip(p, i, CRect(i * w, 0, (i + 1) * w, h), 8);
            DrawTitle(p, CRect(i * w, 0, (i + 1) * w, h), m_textColor);
        }
    }
    QImage Render(QImage& surface)
    {
        HDC hdc;
        hdc.surface = &surface;
        DrawControl(hdc, m_rect);
        return m_memImage.copy();
    }
};

struct Change {
    const char* name;
    std::function<void(TitledStrip&, QImage& strip)> apply;
};

TEST(RenderCache, ChangedControlsNeverShowTheirOldFrames)
{
    const Change changes[] = {
        {"title", [](TitledStrip& c, QImage&) { c.SetTitle(u"Load"_qs); }},
        {"font size and style", [](TitledStrip& c, QImage&) { c.SetFont(c.GetFontFace(), 18, FontStyleBold); }},
        {"text colour", [](TitledStrip& c, QImage&) { c.SetTextColor(0xFF20C020u); }},
        {"alignment", [](TitledStrip& c, QImage&) { c.SetAlignment(2, 8); }},
        {"size", [](TitledStrip& c, QImage&) { c.SetRect(CRect(10, 10, 100, 44)); }},
        {"position", [](TitledStrip& c, QImage&) { c.SetRect(CRect(40, 30, 160, 60)); }},
        {"strip pixels", [](TitledStrip&, QImage& strip) { strip = Strip(QColor(160, 40, 40, 220)); }},
        {"strip edited in place", [](TitledStrip&, QImage& strip) { strip.setPixel(2, 15, 0xFF00FF00u); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        QImage surface = Backdrop(200, 80);
        QImage strip = Strip(QColor(60, 60, 60, 230));
        // The reference is built in its final state and drawn first, so a
        // cache keyed too loosely would hand the changed control its old
        // drawing, not this one.
        QImage refStrip = strip;
        TitledStrip reference(nullptr, 1, CRect(10, 10, 130, 40), u"Save"_qs);
        change.apply(reference, refStrip);
        reference.SetStrip(&refStrip);
        const QImage expected = reference.Render(surface);

        TitledStrip changed(nullptr, 2, CRect(10, 10, 130, 40), u"Save"_qs);
        changed.SetStrip(&strip);
        const QImage before = changed.Render(surface);
        change.apply(changed, strip);
        changed.SetStrip(&strip);
        const QImage after = changed.Render(surface);
        EXPECT_FALSE(after == before);
        EXPECT_TRUE(after == expected);
    }
}

}  // namespace

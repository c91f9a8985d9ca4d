#include "oxa/core/render.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>
#include <cstring>

#include "oxa/core/library_resources.h"
#include "oxa/core/slice_cache.h"
#include "oxa/core/text_layout_cache.h"

namespace OXA {
namespace {

QColor Argb(ARGB c) { return QColor(ArgbRed(c), ArgbGreen(c), ArgbBlue(c), ArgbAlpha(c)); }

void Piece(QPainter& g, const QImage& image, int dx, int dy, int dw, int dh, int sx, int sy, int sw, int sh)
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;
    g.drawImage(QRect(dx, dy, dw, dh), image, QRect(sx, sy, sw, sh));
}

}  // namespace

QImage MRender::LoadImage(const CString& path)
{
    if (path.isEmpty())
        return QImage();
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage* MRender::LoadImageFromFile(const CString& path)
{
    QImage image = LoadImage(path);
    return image.isNull() ? nullptr : new QImage(std::move(image));
}

QImage* MRender::LoadImageFromFileEx(const CString& path, int width, int height)
{
    QImage image = LoadImage(path);
    if (image.isNull())
        return nullptr;
    if (width == 0 && height == 0)
        return new QImage(std::move(image));
    if (width <= 0 || height <= 0)
        return nullptr;
    return new QImage(image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage MRender::LoadImageFromIDResource(unsigned id, const CString& type, int module)
{
    if (!module)
        return LibraryImage(id);
    const QByteArray data = ProgramResource(id, type);
    if (data.isEmpty())
        return QImage();
    QImage image;
    if (!image.loadFromData(data))
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage MRender::LoadIconFromFile(const CString& path)
{
    if (!QFileInfo::exists(path))
        return QImage();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QIcon icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
    if (icon.isNull())
        return QImage();
    return icon.pixmap(32, 32).toImage();
}

void MRender::DrawImageFrame(QPainter& g, const QImage* image, CRect dst, int sx, int sy, int sw, int sh, int b)
{
    DrawImageFrameMID(g, image, dst, sx, sy, sw, sh, b, b, b, b);
}

namespace {

// The nine pieces of a slicing at (x0, y0), size dw x dh.
void DrawSlices(QPainter& g, const QImage& image, int x0, int y0, int dw, int dh, int sx, int sy, int sw, int sh,
                int l, int t, int r, int b)
{
    const int midSW = sw - l - r, midSH = sh - t - b;
    const int midDW = dw - l - r, midDH = dh - t - b;
    // Corners at their own size.
    Piece(g, image, x0, y0, l, t, sx, sy, l, t);
    Piece(g, image, x0 + dw - r, y0, r, t, sx + sw - r, sy, r, t);
    Piece(g, image, x0, y0 + dh - b, l, b, sx, sy + sh - b, l, b);
    Piece(g, image, x0 + dw - r, y0 + dh - b, r, b, sx + sw - r, sy + sh - b, r, b);
    // Edges stretched along one axis.
    Piece(g, image, x0 + l, y0, midDW, t, sx + l, sy, midSW, t);
    Piece(g, image, x0 + l, y0 + dh - b, midDW, b, sx + l, sy + sh - b, midSW, b);
    Piece(g, image, x0, y0 + t, l, midDH, sx, sy + t, l, midSH);
    Piece(g, image, x0 + dw - r, y0 + t, r, midDH, sx + sw - r, sy + t, r, midSH);
    // Centre along both.
    Piece(g, image, x0 + l, y0 + t, midDW, midDH, sx + l, sy + t, midSW, midSH);
}

// Drawing the composed slicing gives the very pixels the pieces would: they
// do not overlap (each target pixel comes from one piece, copied unchanged
// onto transparent), the blend is plain source-over at full opacity, and the
// painter only moves by whole pixels.
bool CanCompose(const QPainter& g, const QImage& image, int dw, int dh, int l, int t, int r, int b)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied || l + r > dw || t + b > dh ||
        qint64(dw) * dh > SliceCache::kMaxPixels)
        return false;
    if (g.compositionMode() != QPainter::CompositionMode_SourceOver || g.opacity() != 1.0)
        return false;
    const QTransform& m = g.transform();
    return m.type() <= QTransform::TxTranslate && m.dx() == std::floor(m.dx()) && m.dy() == std::floor(m.dy());
}

}  // namespace

void MRender::DrawImageFrameMID(QPainter& g, const QImage* image, CRect dst, int sx, int sy, int sw, int sh, int l,
                                int t, int r, int b)
{
    if (!image || image->isNull() || dst.IsRectEmpty() || sw <= 0 || sh <= 0)
        return;
    l = std::max(0, l), t = std::max(0, t), r = std::max(0, r), b = std::max(0, b);
    const int dw = dst.Width(), dh = dst.Height();
    if (!CanCompose(g, *image, dw, dh, l, t, r, b)) {
        DrawSlices(g, *image, dst.left, dst.top, dw, dh, sx, sy, sw, sh, l, t, r, b);
        return;
    }
    const SliceKey key{image->cacheKey(), sx, sy, sw, sh, l, t, r, b, dw, dh, int(g.renderHints())};
    QImage composed = SliceCache::Find(key);
    if (composed.isNull()) {
        composed = QImage(dw, dh, QImage::Format_ARGB32_Premultiplied);
        composed.fill(Qt::transparent);
        QPainter p(&composed);
        p.setRenderHints(g.renderHints());
        DrawSlices(p, *image, 0, 0, dw, dh, sx, sy, sw, sh, l, t, r, b);
        p.end();
        SliceCache::Insert(key, composed);
    }
    g.drawImage(QPoint(dst.left, dst.top), composed);
}

void MRender::DrawStripFrame(QPainter& g, const QImage* image, int frames, int frame, CRect dst, int border)
{
    if (!image || image->isNull())
        return;
    frames = std::max(1, frames);
    frame = std::clamp(frame, 0, frames - 1);
    const int fw = image->width() / frames;
    if (border > 0)
        DrawImageFrame(g, image, dst, frame * fw, 0, fw, image->height(), border);
    else
        Piece(g, *image, dst.left, dst.top, dst.Width(), dst.Height(), frame * fw, 0, fw, image->height());
}

void MRender::DrawRoundRectange(QPainter& g, float x, float y, float w, float h, float radius, ARGB fill)
{
    DrawRoundRectange(g, x, y, w, h, radius, fill, 0, 0, 0);
}

void MRender::DrawRoundRectange(QPainter& g, float x, float y, float w, float h, float radius, ARGB fill,
                                float borderWidth, ARGB borderColor, int drawBorder)
{
    if (w <= 0 || h <= 0)
        return;
    g.save();
    g.setRenderHint(QPainter::Antialiasing, true);
    radius = std::max(0.0f, std::min(radius, std::min(w, h) / 2));
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    if (ArgbAlpha(fill))
        g.fillPath(path, Argb(fill));
    if (drawBorder && borderWidth > 0) {
        g.setPen(QPen(Argb(borderColor), borderWidth));
        g.setBrush(Qt::NoBrush);
        g.drawPath(path);
    }
    g.restore();
}

CSize MRender::GetTextBounds(const QFont& font, const CString& text)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    const int width = int(std::ceil(path.boundingRect().width()));
    const double line = QFontMetricsF(font).lineSpacing();
    const double extra = (line != std::floor(line)) ? 4.0 : 1.0;
    return CSize(width, int(line + extra));
}

CPoint MRender::GetOriginPoint(int left, int top, int width, int height, int cw, int ch, unsigned h, unsigned v)
{
    int x = left, y = top;
    if (h == 1)
        x = left + (width - cw) / 2;
    else if (h == 2)
        x = left + width - cw;
    if (v == 4)
        y = top + (height - ch) / 2;
    else if (v == 8)
        y = top + height - ch;
    return CPoint(x, y);
}

CPoint MRender::GetOriginPoint(CRect rect, int cw, int ch, unsigned h, unsigned v)
{
    CPoint p = GetOriginPoint(rect.left, rect.top, rect.Width(), rect.Height(), cw, ch, h, v);
    p.y += 2;
    return p;
}

void MRender::FillSolidRect(QPainter& g, CRect rect, COLORREF color)
{
    if (!rect.IsRectEmpty())
        g.fillRect(rect.ToQRect(), QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
}

void MRender::DrawColor(QPainter& g, CRect rect, ARGB color)
{
    if (ArgbAlpha(color) == 0 || rect.IsRectEmpty())
        return;
    g.fillRect(rect.ToQRect(), Argb(color));
}

void MRender::DrawGradient(QPainter& g, CRect rect, ARGB from, ARGB to, bool vertical, int)
{
    if (rect.IsRectEmpty())
        return;
    QLinearGradient grad(QPointF(rect.left, rect.top),
                         vertical ? QPointF(rect.left, rect.bottom) : QPointF(rect.right, rect.top));
    grad.setColorAt(0, Argb(from));
    grad.setColorAt(1, Argb(to));
    g.fillRect(rect.ToQRect(), grad);
}

int MRender::DrawTextW(QPainter& g, CRect& rect, const CString& text, COLORREF color, const QFont& font,
                       unsigned format)
{
    int flags = 0;
    flags |= (format & DT_CENTER) ? Qt::AlignHCenter : (format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : (format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    else
        flags |= Qt::AlignTop;
    if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE))
        flags |= Qt::TextWordWrap;
    else
        flags |= Qt::TextSingleLine;
    const QFontMetrics fm(font);
    if (format & DT_CALCRECT) {
        const QRect r = fm.boundingRect(rect.ToQRect().isEmpty() ? QRect(rect.left, rect.top, 100000, 100000)
                                                                 : QRect(rect.left, rect.top, rect.Width(), 100000),
                                        flags, text);
        rect.right = rect.left + r.width();
        rect.bottom = rect.top + r.height();
        return r.height();
    }
    CString shown = text;
    if ((format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && (flags & Qt::TextSingleLine))
        shown = fm.elidedText(text, Qt::ElideRight, rect.Width());
    g.save();
    g.setFont(font);
    g.setPen(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    g.drawText(rect.ToQRect(), flags, shown);
    g.restore();
    return fm.height();
}

void MRender::DrawText(QPainter& g, CRect rect, const CString& text, ARGB color, const QFont& font, unsigned h,
                       unsigned v, bool wrap)
{
    if (text.isEmpty() || rect.IsRectEmpty() || ArgbAlpha(color) == 0)
        return;
    int flags = h == 1 ? Qt::AlignHCenter : h == 2 ? Qt::AlignRight : Qt::AlignLeft;
    flags |= v == 4 ? Qt::AlignVCenter : v == 8 ? Qt::AlignBottom : Qt::AlignTop;
    flags |= wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QFont oldFont = g.font();
    const QPen oldPen = g.pen();
    g.setRenderHint(QPainter::TextAntialiasing, true);
    g.setFont(font);
    g.setPen(Argb(color));
    if (wrap)
        g.drawText(rect.ToQRect(), flags, text);
    else
        TextLayoutCache::Draw(g, rect.ToQRect(), flags, text, font);  // shaped once, elided when too wide
    g.setFont(oldFont);
    g.setPen(oldPen);
}

namespace {
// Blends `to` over `from` inside rect with a per-line weight.
template <typename Weight>
void Transition(QPainter& g, const QImage& from, const QImage& to, CRect rect, bool rows, Weight weight)
{
    if (rect.IsRectEmpty())
        return;
    const QRect r = rect.ToQRect();
    g.drawImage(r.topLeft(), from, r);
    const int lines = rows ? r.height() : r.width();
    for (int i = 0; i < lines; ++i) {
        const double a = std::clamp(weight(i, lines), 0.0, 1.0);
        if (a <= 0)
            continue;
        g.setOpacity(a);
        const QRect line = rows ? QRect(r.left(), r.top() + i, r.width(), 1) : QRect(r.left() + i, r.top(), 1, r.height());
        g.drawImage(line.topLeft(), to, line);
    }
    g.setOpacity(1.0);
}
}  // namespace

void MRender::DrawVerticalTransition(QPainter& g, const QImage& from, const QImage& to, CRect rect, double progress)
{
    // A soft edge moves from the top to the bottom.
    Transition(g, from, to, rect, true,
               [progress](int i, int n) { return (progress * (n + 16) - i) / 16.0; });
}

void MRender::DrawHorizontalTransition(QPainter& g, const QImage& from, const QImage& to, CRect rect, double progress)
{
    Transition(g, from, to, rect, false,
               [progress](int i, int n) { return (progress * (n + 16) - i) / 16.0; });
}

void MRender::DrawRightBottomTransition(QPainter& g, const QImage& from, const QImage& to, CRect rect,
                                        double progress)
{
    // Columns fade in from the right while the whole area follows progress.
    Transition(g, from, to, rect, false,
               [progress](int i, int n) { return (progress * (n + 16) - (n - 1 - i)) / 16.0; });
}

void MRender::CheckAlphaColor(uint32_t& color)
{
    if ((color & 0x00FFFFFF) == 0)
        color |= 1;
}

QImage MRender::CreateARGB32Bitmap(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    return QImage(width, height, QImage::Format_ARGB32_Premultiplied);
}

void MRender::BitBlt(QImage& dst, int x, int y, int width, int height, const QImage& src, int sx, int sy)
{
    if (dst.isNull() || src.isNull() || dst.format() != src.format() || dst.depth() != 32)
        return;
    // Clip against the source and the destination.
    if (sx < 0) { x -= sx; width += sx; sx = 0; }
    if (sy < 0) { y -= sy; height += sy; sy = 0; }
    if (x < 0) { sx -= x; width += x; x = 0; }
    if (y < 0) { sy -= y; height += y; y = 0; }
    width = std::min({width, src.width() - sx, dst.width() - x});
    height = std::min({height, src.height() - sy, dst.height() - y});
    if (width <= 0 || height <= 0)
        return;
    for (int row = 0; row < height; ++row) {
        const uchar* s = src.constScanLine(sy + row) + size_t(sx) * 4;
        uchar* d = dst.scanLine(y + row) + size_t(x) * 4;
        std::memmove(d, s, size_t(width) * 4);
    }
}

void MRender::AlphaBlend(QPainter& g, CRect dst, const QImage& src, CRect srcRect, int alpha)
{
    if (src.isNull() || dst.IsRectEmpty() || alpha <= 0)
        return;
    const qreal old = g.opacity();
    g.setOpacity(old * std::min(alpha, 255) / 255.0);
    g.drawImage(dst.ToQRect(), src, srcRect.ToQRect());
    g.setOpacity(old);
}

bool MRender::SaveBitmapToFile(const QImage& image, const CString& path)
{
    return !image.isNull() && image.save(path, "PNG");
}

}  // namespace OXA

#pragma once
// Drawing helpers: picture loading, image strips and nine-slice drawing,
// rounded rectangles, gradients, fills, text in a rectangle, pixel copies.
#include <QFont>
#include <QImage>

#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

class QPainter;

namespace OXA {

// Text format flags of DrawTextW.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;

class OXA_API MRender {
public:
    // Decoded picture (any Qt-readable format) or a null image.
    static QImage LoadImage(const CString& path);
    // The same as a new object the caller owns, or null.
    static QImage* LoadImageFromFile(const CString& path);
    // Scaled to width x height (own size when both are 0); null on failure.
    static QImage* LoadImageFromFileEx(const CString& path, int width, int height);
    // A picture resource of the program (module != 0) or of the library.
    static QImage LoadImageFromIDResource(unsigned id, const CString& type, int module);
    // The desktop's icon for the file's type (null when none).
    static QImage LoadIconFromFile(const CString& path);

    // Nine-slice: source (sx, sy, sw, sh) into dst with border b; corners
    // unscaled, edges stretched along one axis, centre along both.
    static void DrawImageFrame(QPainter& g, const QImage* image, CRect dst, int sx, int sy, int sw, int sh,
                               int border);
    static void DrawImageFrameMID(QPainter& g, const QImage* image, CRect dst, int sx, int sy, int sw, int sh,
                                  int left, int top, int right, int bottom);
    // Frame i of a horizontal strip of frames frames, nine-sliced into dst
    // (border 0 stretches it whole).
    static void DrawStripFrame(QPainter& g, const QImage* image, int frames, int frame, CRect dst, int border);

    static void DrawRoundRectange(QPainter& g, float x, float y, float w, float h, float radius, ARGB fill);
    static void DrawRoundRectange(QPainter& g, float x, float y, float w, float h, float radius, ARGB fill,
                                  float borderWidth, ARGB borderColor, int drawBorder);

    // Width: the text outline's width rounded up; height: line height + 1
    // (+ 4 when it has a fraction), truncated.
    static CSize GetTextBounds(const QFont& font, const CString& text);
    // Where content of width x height goes in the box for alignments h (0
    // left, 1 centre, 2 right) and v (0 top, 4 centre, 8 bottom).
    static CPoint GetOriginPoint(int left, int top, int width, int height, int contentWidth, int contentHeight,
                                 unsigned h, unsigned v);
    // The rectangle form adds 2 pixels to y.
    static CPoint GetOriginPoint(CRect rect, int contentWidth, int contentHeight, unsigned h, unsigned v);

    static void FillSolidRect(QPainter& g, CRect rect, COLORREF color);
    // Fills with an ARGB colour; nothing when its alpha is 0.
    static void DrawColor(QPainter& g, CRect rect, ARGB color);
    static void DrawGradient(QPainter& g, CRect rect, ARGB from, ARGB to, bool vertical, int steps);
    // Text with DT_* flags; with DT_CALCRECT only measures into rect.
    static int DrawTextW(QPainter& g, CRect& rect, const CString& text, COLORREF color, const QFont& font,
                         unsigned format);
    // Text in rect with an ARGB colour and the alignments of GetOriginPoint;
    // single line with an ellipsis unless wrap is set.
    static void DrawText(QPainter& g, CRect rect, const CString& text, ARGB color, const QFont& font, unsigned h,
                         unsigned v, bool wrap = false);
    static void DrawRectangle() {}
    // Cross-fades rect from `from` into `to`, progress 0..1, row by row
    // (vertical), column by column (horizontal) or along the diagonal.
    static void DrawVerticalTransition(QPainter& g, const QImage& from, const QImage& to, CRect rect, double progress);
    static void DrawHorizontalTransition(QPainter& g, const QImage& from, const QImage& to, CRect rect,
                                         double progress);
    static void DrawRightBottomTransition(QPainter& g, const QImage& from, const QImage& to, CRect rect,
                                          double progress);
    // Pure black becomes 1 in its low byte, so it never equals a colour key.
    static void CheckAlphaColor(uint32_t& color);
    static QImage CreateARGB32Bitmap(int width, int height);
    // Plain copy of src's rectangle to (x, y) of dst, clipped to both.
    static void BitBlt(QImage& dst, int x, int y, int width, int height, const QImage& src, int sx, int sy);
    // Draws src's rectangle into dst with a constant alpha (0..255).
    static void AlphaBlend(QPainter& g, CRect dst, const QImage& src, CRect srcRect, int alpha);
    static bool SaveBitmapToFile(const QImage& image, const CString& path);
};

}  // namespace OXA

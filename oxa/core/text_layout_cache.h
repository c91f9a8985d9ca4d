#pragma once
// Single-line text shaped once and drawn again from its layout. Shaping is
// the costly part of drawing a title, and a control draws the same title
// into each of its cached frames, then again on every re-render; the layout
// of (text, font, box size, alignment) is kept and only painted each time.
#include <QString>

class QFont;
class QPainter;
class QRect;

namespace OXA {

class TextLayoutCache {
public:
    // Draws what QPainter::drawText(rect, flags, text) draws with the
    // painter's current font and pen, for single-line flags (alignment and
    // Qt::TextSingleLine). Before, text that does not fit rect's width is
    // elided at the right as QFontMetrics(metricsFont) measures it. Painters
    // that scale, rotate or lay out right to left get Qt's own path.
    static void Draw(QPainter& g, const QRect& rect, int flags, const QString& text, const QFont& metricsFont);
    static void Clear();
    static constexpr int kCapacity = 1024;
};

}  // namespace OXA

#pragma once
// Colour conversions and colour fields shared by the colour pickers.
#include <QColor>
#include <QImage>

#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

OXA_API COLORREF ToColorRef(const QColor& colour);
OXA_API QColor FromColorRef(COLORREF colour);
// The opaque colour of a pixel of an image (premultiplied or not), as COLORREF.
OXA_API COLORREF PixelColorRef(const QImage& image, int x, int y);

// A hue and saturation wheel filling width x height: hue around the centre
// (red to the right, then yellow, green, cyan, blue, magenta counter-clockwise),
// saturation from white in the middle to full at the rim, full value;
// transparent outside the circle with an anti-aliased rim.
OXA_API QImage MakeColorWheel(int width, int height);
// The point of the wheel above (window coordinates, wheel in rect) that shows
// colour; its value is ignored.
OXA_API CPoint ColorWheelPoint(CRect rect, COLORREF colour);

// A saturation/value square for one hue: white top-left, the pure hue
// top-right, black along the bottom.
OXA_API QImage MakeSaturationValueField(int width, int height, int hue);
// A hue strip: red, yellow, green, cyan, blue, magenta and red again along
// the strip (vertical when height > width).
OXA_API QImage MakeHueStrip(int width, int height);
// A spectrum: hue from left to right; from white at the top through the pure
// hue in the middle to black at the bottom.
OXA_API QImage MakeSpectrum(int width, int height);

}  // namespace OXA

#include "oxa/controls/color_math.h"

#include <cmath>

namespace OXA {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

COLORREF ToColorRef(const QColor& colour) { return RGB(colour.red(), colour.green(), colour.blue()); }

QColor FromColorRef(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

COLORREF PixelColorRef(const QImage& image, int x, int y)
{
    if (!image.valid(x, y))
        return 0;
    const QColor c = image.pixelColor(x, y);  // un-premultiplied
    return ToColorRef(c);
}

QImage MakeColorWheel(int width, int height)
{
    QImage wheel(std::max(1, width), std::max(1, height), QImage::Format_ARGB32);
    wheel.fill(Qt::transparent);
    const double cx = width / 2.0, cy = height / 2.0;
    const double radius = std::min(width, height) / 2.0 - 0.5;
    if (radius <= 0)
        return wheel;
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(wheel.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double dist = std::sqrt(dx * dx + dy * dy);
            const double cover = std::clamp(radius + 0.5 - dist, 0.0, 1.0);
            if (cover <= 0)
                continue;
            double hue = std::atan2(-dy, dx) * 180.0 / kPi;
            if (hue < 0)
                hue += 360.0;
            const QColor c = QColor::fromHsvF(float(std::fmod(hue, 360.0) / 360.0),
                                              float(std::min(1.0, dist / radius)), 1.0f, float(cover));
            row[x] = c.rgba();
        }
    }
    return wheel;
}

CPoint ColorWheelPoint(CRect rect, COLORREF colour)
{
    const QColor c = FromColorRef(colour).toHsv();
    const double radius = std::min(rect.Width(), rect.Height()) / 2.0 - 0.5;
    const double hue = std::max(0.0, double(c.hsvHueF())) * 2.0 * kPi;  // -1 for greys
    const double dist = c.hsvSaturationF() * radius;
    const double cx = rect.left + rect.Width() / 2.0, cy = rect.top + rect.Height() / 2.0;
    return CPoint(int(std::floor(cx + dist * std::cos(hue))), int(std::floor(cy - dist * std::sin(hue))));
}

QImage MakeSaturationValueField(int width, int height, int hue)
{
    width = std::max(1, width);
    height = std::max(1, height);
    QImage field(width, height, QImage::Format_ARGB32);
    const float h = float(((hue % 360) + 360) % 360) / 360.0f;
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(field.scanLine(y));
        const float v = height > 1 ? 1.0f - float(y) / float(height - 1) : 1.0f;
        for (int x = 0; x < width; ++x) {
            const float s = width > 1 ? float(x) / float(width - 1) : 1.0f;
            row[x] = QColor::fromHsvF(h, s, v).rgba();
        }
    }
    return field;
}

QImage MakeHueStrip(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    QImage strip(width, height, QImage::Format_ARGB32);
    const bool vertical = height > width;
    const int length = vertical ? height : width;
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int at = vertical ? y : x;
            const float h = length > 1 ? float(at) / float(length) : 0.0f;
            row[x] = QColor::fromHsvF(h, 1.0f, 1.0f).rgba();
        }
    }
    return strip;
}

QImage MakeSpectrum(int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    QImage spectrum(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(spectrum.scanLine(y));
        // Lightness 1 at the top, 0.5 (the pure hue) in the middle, 0 at the bottom.
        const float l = height > 1 ? 1.0f - float(y) / float(height - 1) : 0.5f;
        for (int x = 0; x < width; ++x) {
            const float h = float(x) / float(width);
            row[x] = QColor::fromHslF(h, 1.0f, l).rgba();
        }
    }
    return spectrum;
}

}  // namespace OXA

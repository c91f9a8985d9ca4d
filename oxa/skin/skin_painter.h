#pragma once
// Drawing helpers of the skin generator: the theme's colours, plates,
// glyphs and the standard strips (4-frame buttons, 8-frame check boxes).
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>

namespace skin {

// The dark theme with the orange accent.
extern const QColor kAccent;     // 0xEE6E01
extern const QColor kAccentHi;   // lighter accent (hover)
extern const QColor kText;       // 0xE6E6E6
extern const QColor kTextDim;    // 0x808080
extern const QColor kBack;       // window background
extern const QColor kPanel;      // plates
extern const QColor kControl;    // controls, normal
extern const QColor kControlHi;  // controls, hover
extern const QColor kControlOff; // controls, disabled
extern const QColor kBorder;

QImage Canvas(int w, int h);
// Saves under the output folder, creating the folders of the path.
bool Save(const QImage& image, const QString& relativePath);
void SetOutputFolder(const QString& folder);
QString OutputFolder();

void Plate(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, const QColor& border = Qt::transparent,
           qreal borderWidth = 1.0);
// A glyph or short text centred in r (symbol font first, then Open Sans).
void Glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, qreal pixelSize,
           bool bold = false);

// Frame state 0 normal, 1 hover, 2 pressed, 3 disabled.
using FrameDrawer = std::function<void(QPainter& p, const QRectF& r, int state)>;
// A horizontal strip of `frames` frames of w x h, each drawn by draw.
QImage Strip(int w, int h, int frames, const FrameDrawer& draw);
// The standard push-button look with a glyph or text on it.
QImage ButtonStrip(int w, int h, qreal radius, const QString& label, qreal labelSize, bool plate = true);
// Eight frames: 0-3 unchecked, 4-7 checked (normal, hover, pressed, disabled).
QImage CheckStrip(int box, bool round);
QColor StateFill(int state);
QColor StateInk(int state);

}  // namespace skin

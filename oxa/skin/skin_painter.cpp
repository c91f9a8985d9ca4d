#include "skin_painter.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace skin {

const QColor kAccent(0xEE, 0x6E, 0x01);
const QColor kAccentHi(0xFF, 0x8C, 0x2A);
const QColor kText(0xE6, 0xE6, 0xE6);
const QColor kTextDim(0x80, 0x80, 0x80);
const QColor kBack(0x1B, 0x1C, 0x1F);
const QColor kPanel(0x26, 0x28, 0x2D);
const QColor kControl(0x3A, 0x3C, 0x42);
const QColor kControlHi(0x4A, 0x4D, 0x55);
const QColor kControlOff(0x2A, 0x2B, 0x2F);
const QColor kBorder(0x57, 0x57, 0x57);

namespace {
QString g_output;
}

void SetOutputFolder(const QString& folder) { g_output = folder; }
QString OutputFolder() { return g_output; }

QImage Canvas(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool Save(const QImage& image, const QString& relativePath)
{
    const QString path = g_output + u'/' + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path, "PNG");
}

void Plate(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, const QColor& border, qreal borderWidth)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(fill);
    if (border.alpha() > 0) {
        p.setPen(QPen(border, borderWidth));
        const qreal half = borderWidth / 2;
        p.drawRoundedRect(r.adjusted(half, half, -half, -half), radius, radius);
    } else {
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(r, radius, radius);
    }
    p.restore();
}

void Glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& colour, qreal pixelSize, bool bold)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font;
    font.setFamilies({u"Open Sans"_qs, u"DejaVu Sans"_qs});
    if (text.size() == 1 && text.at(0).unicode() > 0x2000)
        font.setFamilies({u"DejaVu Sans"_qs, u"Open Sans"_qs});
    font.setPixelSize(int(pixelSize));
    font.setWeight(bold ? QFont::Bold : QFont::DemiBold);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

QColor StateFill(int state)
{
    switch (state) {
    case 1: return kControlHi;
    case 2: return kAccent;
    case 3: return kControlOff;
    default: return kControl;
    }
}

QColor StateInk(int state) { return state == 3 ? kTextDim : (state == 2 ? QColor(Qt::white) : kText); }

QImage Strip(int w, int h, int frames, const FrameDrawer& draw)
{
    QImage image = Canvas(w * frames, h);
    QPainter p(&image);
    for (int i = 0; i < frames; ++i)
        draw(p, QRectF(i * w, 0, w, h), i);
    return image;
}

QImage ButtonStrip(int w, int h, qreal radius, const QString& label, qreal labelSize, bool plate)
{
    return Strip(w, h, 4, [&](QPainter& p, const QRectF& r, int state) {
        if (plate)
            Plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), radius, StateFill(state),
                  state == 1 ? kAccent : QColor(255, 255, 255, 30));
        if (!label.isEmpty())
            Glyph(p, r, label, plate ? StateInk(state) : (state == 1 ? kAccentHi : state == 2 ? kAccent : StateInk(state)),
                  labelSize);
    });
}

QImage CheckStrip(int box, bool round)
{
    return Strip(box, box, 8, [&](QPainter& p, const QRectF& r, int frame) {
        const int state = frame % 4;
        const bool checked = frame >= 4;
        const QRectF inner = r.adjusted(1.5, 1.5, -1.5, -1.5);
        const QColor edge = state == 3 ? kTextDim : (state == 1 || state == 2 || checked) ? kAccent : QColor(0xA0, 0xA0, 0xA0);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(edge, 1.5));
        p.setBrush(state == 2 ? QColor(0xEE, 0x6E, 0x01, 60) : QColor(0, 0, 0, 60));
        if (round)
            p.drawEllipse(inner);
        else
            p.drawRoundedRect(inner, 3, 3);
        if (checked) {
            p.setBrush(state == 3 ? kTextDim : kAccent);
            p.setPen(Qt::NoPen);
            if (round) {
                p.drawEllipse(inner.adjusted(box * 0.22, box * 0.22, -box * 0.22, -box * 0.22));
            } else {
                QPen tick(state == 3 ? kTextDim : kAccent, box * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
                p.setPen(tick);
                p.setBrush(Qt::NoBrush);
                QPolygonF mark;
                mark << QPointF(r.left() + box * 0.25, r.top() + box * 0.52) << QPointF(r.left() + box * 0.43, r.top() + box * 0.70)
                     << QPointF(r.left() + box * 0.76, r.top() + box * 0.32);
                p.drawPolyline(mark);
            }
        }
        p.restore();
    });
}

}  // namespace skin

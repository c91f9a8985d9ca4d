#include "keyboard_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include "skin_painter.h"

using namespace skin;

namespace {

struct Key {
    QRectF rect;
    QString name;
};

struct Layout {
    QString image;
    int width = 0;
    int height = 0;
    std::vector<Key> keys;
};

bool ReadLayout(const QString& file, Layout& layout)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"Keyboard") {
            layout.image = a.value(QLatin1StringView("image")).toString();
            layout.width = a.value(QLatin1StringView("width")).toInt();
            layout.height = a.value(QLatin1StringView("height")).toInt();
        } else if (xml.name() == u"key") {
            Key k;
            k.rect = QRectF(a.value(QLatin1StringView("rect_left")).toDouble(), a.value(QLatin1StringView("rect_top")).toDouble(),
                            a.value(QLatin1StringView("rect_width")).toDouble(), a.value(QLatin1StringView("rect_height")).toDouble());
            k.name = a.value(QLatin1StringView("name")).toString();
            layout.keys.push_back(k);
        }
    }
    return !layout.image.isEmpty() && layout.width > 0 && layout.height > 0 && layout.width <= 4000 &&
           layout.height <= 2000;
}

// The case, with every key cap cut out and outlined.
QImage KeyboardCase(const Layout& layout, bool legends)
{
    QImage image = Canvas(layout.width, layout.height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Plate(p, QRectF(0, 0, layout.width, layout.height), 14, QColor(0x22, 0x23, 0x27), QColor(0x60, 0x62, 0x68), 2);
    Plate(p, QRectF(8, 8, layout.width - 16, layout.height - 16), 10, QColor(0x17, 0x18, 0x1B));
    // Cut the caps out: clearing needs a brush (the fill is what is cleared).
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (const Key& k : layout.keys)
        p.drawRoundedRect(k.rect.adjusted(3, 3, -3, -3), 4, 4);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const Key& k : layout.keys) {
        p.setPen(QPen(QColor(0x70, 0x72, 0x78), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(k.rect.adjusted(2, 2, -2, -2), 5, 5);
        if (legends && !k.name.isEmpty()) {
            const qreal size = k.name.size() > 3 ? 8 : 10;
            Glyph(p, k.rect.adjusted(4, 3, -4, -k.rect.height() / 2), k.name, QColor(255, 255, 255, 200), size);
        }
    }
    return image;
}

}  // namespace

int WriteKeyboardPictures(const QString& layoutsFolder)
{
    int written = 0;
    const QStringList files = QDir(layoutsFolder).entryList({u"*.xml"_qs}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        Layout layout;
        if (!ReadLayout(layoutsFolder + u'/' + name, layout))
            continue;
        if (Save(KeyboardCase(layout, true), u"keyboard/"_qs + layout.image))
            ++written;
    }
    return written;
}

int WriteDevicePictures(const QString& catalogueFile, const QString& deviceFolder)
{
    QFile f(catalogueFile);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    QXmlStreamReader xml(&f);
    int written = 0;
    QDir().mkpath(deviceFolder);
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement() || xml.name() != u"keyboard")
            continue;
        const auto a = xml.attributes();
        const QString on = a.value(QLatin1StringView("img_connected")).toString();
        const QString off = a.value(QLatin1StringView("img_disconnected")).toString();
        const QString model = a.value(QLatin1StringView("name")).toString();
        for (int lit = 0; lit < 2; ++lit) {
            const QString file = lit ? on : off;
            if (file.isEmpty() || file.contains(u".."))
                continue;
            QImage image = Canvas(360, 140);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            Plate(p, QRectF(10, 20, 340, 110), 14, lit ? QColor(0x2A, 0x2B, 0x30) : QColor(0x24, 0x24, 0x26),
                  lit ? kAccent : QColor(0x55, 0x55, 0x58), 2);
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 15; ++col) {
                    QColor cap = lit ? QColor::fromHsv((col * 24 + row * 12) % 360, 200, 235) : QColor(0x44, 0x44, 0x47);
                    Plate(p, QRectF(24 + col * 21, 32 + row * 19, 17, 15), 3, cap);
                }
            p.end();
            if (image.save(deviceFolder + u'/' + file, "PNG"))
                ++written;
            Q_UNUSED(model);
        }
    }
    return written;
}

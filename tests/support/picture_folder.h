#pragma once
// A program folder in a temporary directory, with its skin folder, for the
// pictures a test draws: solid colours (or strips of them) as PNG files.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <vector>

#include "oxa/core/manager.h"

namespace oxatest {

class PictureFolder {
public:
    PictureFolder() : m_old(OXA::Manager::GetProgramFolder())
    {
        QDir(m_dir.path()).mkpath(u"skins/theme1/icon"_qs);
        OXA::Manager::SetProgramFolder(m_dir.path() + u"/"_qs);
    }
    ~PictureFolder() { OXA::Manager::SetProgramFolder(m_old); }
    PictureFolder(const PictureFolder&) = delete;
    PictureFolder& operator=(const PictureFolder&) = delete;

    // Writes a strip of frameWidth x height frames, one colour each, at a
    // path relative to the program folder; returns the full path.
    QString Strip(const QString& relative, int frameWidth, int height, const std::vector<QRgb>& colours)
    {
        QImage image(frameWidth * int(colours.size()), height, QImage::Format_ARGB32);
        QPainter p(&image);
        for (size_t i = 0; i < colours.size(); ++i)
            p.fillRect(int(i) * frameWidth, 0, frameWidth, height, QColor::fromRgba(colours[i]));
        p.end();
        const QString path = m_dir.path() + u"/"_qs + relative;
        image.save(path);
        return path;
    }
    QString Solid(const QString& relative, int width, int height, QRgb colour)
    {
        return Strip(relative, width, height, {colour});
    }
    // The same inside the skin folder; returns the path relative to it.
    QString SkinStrip(const QString& relative, int frameWidth, int height, const std::vector<QRgb>& colours)
    {
        Strip(u"skins/theme1/"_qs + relative, frameWidth, height, colours);
        return relative;
    }
    QString Skin(const QString& relative, int width, int height, QRgb colour)
    {
        return SkinStrip(relative, width, height, {colour});
    }
    QString Missing() const { return m_dir.path() + u"/missing.png"_qs; }

private:
    QTemporaryDir m_dir;
    CString m_old;
};

// The opaque colour of a pixel.
inline QRgb At(const QImage& image, int x, int y)
{
    return image.convertToFormat(QImage::Format_ARGB32).pixel(x, y) | 0xFF000000u;
}

}  // namespace oxatest

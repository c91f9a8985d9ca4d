#include "gif_writer.h"

#include <QFile>
#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

// 15-bit colour key (5 bits per channel).
int Key(int r, int g, int b) { return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); }

// An adaptive palette: the 256 most used 15-bit colours of all frames, so
// that the dark, smooth backgrounds keep their shades instead of falling
// onto a few cube colours.
std::vector<GifColorType> Palette(const std::vector<QImage>& frames)
{
    std::vector<long> counts(1 << 15, 0);
    for (const QImage& frame : frames)
        for (int y = 0; y < frame.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                ++counts[size_t(Key(qRed(line[x]), qGreen(line[x]), qBlue(line[x])))];
        }
    std::vector<int> keys;
    for (int k = 0; k < (1 << 15); ++k)
        if (counts[size_t(k)]) keys.push_back(k);
    std::sort(keys.begin(), keys.end(), [&](int a, int b) { return counts[size_t(a)] > counts[size_t(b)]; });
    std::vector<GifColorType> colours;
    for (size_t i = 0; i < keys.size() && i < 256; ++i) {
        const int k = keys[i];
        colours.push_back({GifByteType(((k >> 10) & 31) * 255 / 31), GifByteType(((k >> 5) & 31) * 255 / 31),
                           GifByteType((k & 31) * 255 / 31)});
    }
    while (colours.size() < 256) colours.push_back({0, 0, 0});
    return colours;
}

// Nearest palette entry per 15-bit key, computed once per key.
class NearestColour {
public:
    explicit NearestColour(const std::vector<GifColorType>& palette) : m_palette(palette), m_cache(1 << 15, -1) {}
    GifByteType operator()(int r, int g, int b)
    {
        const int k = Key(r, g, b);
        int& cached = m_cache[size_t(k)];
        if (cached < 0) {
            const int cr = ((k >> 10) & 31) * 255 / 31, cg = ((k >> 5) & 31) * 255 / 31, cb = (k & 31) * 255 / 31;
            long best = -1;
            for (size_t i = 0; i < m_palette.size(); ++i) {
                const long dr = cr - m_palette[i].Red, dg = cg - m_palette[i].Green, db = cb - m_palette[i].Blue;
                const long d = dr * dr + dg * dg + db * db;
                if (best < 0 || d < best) {
                    best = d;
                    cached = int(i);
                }
            }
        }
        return GifByteType(cached);
    }

private:
    const std::vector<GifColorType>& m_palette;
    std::vector<int> m_cache;
};

// 4 x 4 ordered dither offsets, a little under one 15-bit step.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

bool WriteAnimatedGif(const QString& path, const std::vector<QImage>& frames, int delayMs)
{
    if (frames.empty())
        return false;
    const int w = frames.front().width(), h = frames.front().height();
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif)
        return false;
    std::vector<QImage> converted;
    for (const QImage& source : frames) converted.push_back(source.convertToFormat(QImage::Format_RGB32).scaled(w, h));
    std::vector<GifColorType> colours = Palette(converted);
    NearestColour nearest(colours);
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    EGifSetGifVersion(gif, true);
    if (ok) {
        char app[] = "NETSCAPE2.0";
        unsigned char loop[] = {1, 0, 0};
        ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, 11, app) == GIF_OK && EGifPutExtensionBlock(gif, 3, loop) == GIF_OK &&
             EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    std::vector<GifByteType> row(static_cast<size_t>(w), 0);
    for (const QImage& frame : converted) {
        if (!ok)
            break;
        GraphicsControlBlock gcb;
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = delayMs / 10;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const int d = kBayer[y & 3][x & 3] / 2 - 4;
                auto channel = [d](int v) { return std::clamp(v + d, 0, 255); };
                row[size_t(x)] = nearest(channel(qRed(line[x])), channel(qGreen(line[x])), channel(qBlue(line[x])));
            }
            ok = EGifPutLine(gif, row.data(), w) == GIF_OK;
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return ok;
}

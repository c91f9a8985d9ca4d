#include "gif_writer.h"

#include <QFile>
#include <gif_lib.h>

#include <cstring>

namespace {

// 6 x 6 x 6 colour cube followed by 40 greys.
std::vector<GifColorType> Palette()
{
    std::vector<GifColorType> colours;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours.push_back({GifByteType(r * 51), GifByteType(g * 51), GifByteType(b * 51)});
    for (int i = 0; i < 40; ++i) {
        const GifByteType v = GifByteType(i * 255 / 39);
        colours.push_back({v, v, v});
    }
    return colours;
}

GifByteType Nearest(QRgb c)
{
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    const int cube = ((r + 25) / 51) * 36 + ((g + 25) / 51) * 6 + (b + 25) / 51;
    const int cr = ((r + 25) / 51) * 51, cg = ((g + 25) / 51) * 51, cb = ((b + 25) / 51) * 51;
    const int cubeErr = (r - cr) * (r - cr) + (g - cg) * (g - cg) + (b - cb) * (b - cb);
    const int grey = (r + g + b) / 3;
    const int gi = (grey * 39 + 127) / 255;
    const int gv = gi * 255 / 39;
    const int greyErr = (r - gv) * (r - gv) + (g - gv) * (g - gv) + (b - gv) * (b - gv);
    return GifByteType(greyErr < cubeErr ? 216 + gi : cube);
}

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
    std::vector<GifColorType> colours = Palette();
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
    for (const QImage& source : frames) {
        if (!ok)
            break;
        const QImage frame = source.convertToFormat(QImage::Format_RGB32).scaled(w, h);
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
            for (int x = 0; x < w; ++x)
                row[size_t(x)] = Nearest(line[x]);
            ok = EGifPutLine(gif, row.data(), w) == GIF_OK;
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return ok;
}

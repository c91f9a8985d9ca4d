#pragma once
// The recording dialog and the temporary program folder of the oxa tests,
// and pixel counts over the pictures the keyboard tests draw.
#include <QImage>

#include "tests/support/note_dialog.h"
#include "tests/support/picture_folder.h"

namespace kbtest {

using namespace OXA;
using oxatest::At;
using oxatest::Note;
using oxatest::NoteDialog;
using oxatest::PictureFolder;

// The brightest pixel (largest green channel) in rect.
inline QRgb Brightest(const QImage& image, QRect rect)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QRgb best = 0xFF000000u;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (qGreen(argb.pixel(x, y)) > qGreen(best))
                best = argb.pixel(x, y) | 0xFF000000u;
    return best;
}

// How many pixels of rect have the colour.
inline int Count(const QImage& image, QRect rect, QRgb colour)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += (argb.pixel(x, y) | 0xFF000000u) == (colour | 0xFF000000u) ? 1 : 0;
    return n;
}

}  // namespace kbtest

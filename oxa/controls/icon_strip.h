#pragma once
// A picture strip shown as a control's icon: the image (owned by the
// window's image cache) and the size and number of its frames.
#include <QImage>

namespace OXA {

struct ImgResInfo;

struct IconStrip {
    const QImage* image = nullptr;
    int width = 0, height = 0;  // one frame
    int frames = 1;

    // Takes the picture info describes, cut into `frameCount` frames; false,
    // and the icon unchanged, when info holds no picture.
    bool Take(const ImgResInfo* info, int frameCount);
    explicit operator bool() const { return image != nullptr; }
};

}  // namespace OXA

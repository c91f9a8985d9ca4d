#pragma once
// The drawing target handed to controls while a window paints: the painter on
// the window's off-screen surface and the surface itself, so that a control
// can copy the pixels already drawn under it into its cached frames.
class QPainter;
class QImage;

namespace OXA {

struct HDC {
    QPainter* painter = nullptr;
    QImage* surface = nullptr;
};

}  // namespace OXA

#pragma once
// Settings of the soft drop shadow a dialog can ask for. Only the settings
// are kept; no shadow window is drawn (the program never enables it).
#include <QImage>

#include "oxa/core/geometry.h"
#include "oxa/core/oxa_export.h"
#include "oxa/core/types.h"

namespace OXA {

class OXA_API MShadow {
public:
    int Create() { m_created = 1; return 1; }
    // Each setter refuses (returns 0) a value out of its range.
    int SetSize(int size);            // -35..35
    int SetSharpness(int sharpness);  // 0..35
    int SetDarkness(int darkness);    // 0..255
    int SetPosition(int x, int y);    // -35..35 each
    int SetColor(COLORREF color) { m_color = color; return 1; }
    int SetImage(const QImage& image, CRect corners) { m_image = image; m_corners = corners; return 1; }
    int SetShow(int show) { m_show = show ? 1 : 0; return 1; }

    int IsCreated() const { return m_created; }
    int GetSize() const { return m_size; }
    int GetSharpness() const { return m_sharpness; }
    int GetDarkness() const { return m_darkness; }
    CPoint GetPosition() const { return CPoint(m_x, m_y); }
    COLORREF GetColor() const { return m_color; }
    int IsShown() const { return m_show; }

private:
    int m_created = 0;
    int m_size = 0;
    int m_sharpness = 5;
    int m_darkness = 200;
    int m_x = 0;
    int m_y = 0;
    COLORREF m_color = 0;
    QImage m_image;
    CRect m_corners;
    int m_show = 1;
};

}  // namespace OXA

#pragma once
// A translucent rounded background plate.
#include "oxa/core/control.h"

namespace OXA {

class OXA_API CArea : public MControl {
public:
    CArea(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    void DrawControl(HDC& hdc, CRect paint) override;
    // Changes the fill colour (COLORREF) and repaints; the two integers are
    // stored only.
    void SetTransparent(int a, int b, COLORREF color);
    // Stored only.
    void SetFrame(int width, ARGB color, int flag);

    int GetMode() const { return m_mode; }
    COLORREF GetFillColor() const { return m_fill; }
    int GetFrameWidth() const { return m_frameWidth; }
    ARGB GetFrameColor() const { return m_frameColor; }

private:
    int m_mode = 1;
    int m_transparentA = 80;
    int m_transparentB = 80;
    COLORREF m_fill = 0xFFFFFF;
    int m_frameWidth = 0;
    ARGB m_frameColor = 0xFE050505u;
};

}  // namespace OXA

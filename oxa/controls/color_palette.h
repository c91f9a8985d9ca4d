#pragma once
// Colour picker panel: a saturation/value square for the current hue with a
// vertical hue bar at its right. Pressing or dragging in the square picks
// saturation and value, on the bar the hue; every change sends 27
// (0, colour) (a press always does) and the release ends the drag with 2 (0, colour).
#include <QImage>

#include "oxa/core/panel.h"

namespace OXA {

class OXA_API CColorPalette : public MPanel {
public:
    CColorPalette(MObject* parent, unsigned id, CRect rect, int visible = 1);

    // Moves both markers to the colour; no notification.
    void SetColor(COLORREF colour);
    COLORREF GetColor() const { return m_color; }
    int GetHue() const { return m_hue; }
    // The square and the hue bar in window coordinates.
    CRect FieldRect() const;
    CRect HueRect() const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

private:
    // Applies a point of the part being dragged; sends 27 when the colour changed.
    void Track(CPoint pt, bool press);

    int m_hue = 0;            // 0..359
    double m_sat = 1.0, m_val = 1.0;
    COLORREF m_color = 0x0000FF;
    int m_drag = 0;           // 0 none, 1 square, 2 hue bar
    QImage m_field;
    int m_fieldHue = -1;
    QImage m_strip;
};

}  // namespace OXA

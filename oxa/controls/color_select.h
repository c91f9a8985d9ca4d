#pragma once
// Colour picker panel: a spectrum with the hue from left to right and the
// lightness from white at the top through the pure hue in the middle to
// black at the bottom, with a ring marking the choice. A press or drag
// picks the colour under the mouse (clamped to the spectrum) and sends 27
// (0, colour) on the press and on every change while dragging; the release sends 2 (0, colour).
#include <QImage>

#include "oxa/core/panel.h"

namespace OXA {

class OXA_API CColorSelect : public MPanel {
public:
    CColorSelect(MObject* parent, unsigned id, CRect rect, int visible = 1);

    // Moves the marker to the colour (its saturation is not shown); no notification.
    void SetColor(COLORREF colour);
    COLORREF GetColor() const { return m_color; }
    // The marker in window coordinates.
    CPoint GetMarker() const { return CPoint(m_rect.left + m_marker.x, m_rect.top + m_marker.y); }
    // The colour the spectrum shows at a window point (clamped into it).
    COLORREF ColorAt(CPoint pt);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

private:
    void Track(CPoint pt, bool press);
    const QImage& Spectrum();

    COLORREF m_color = 0x0000FF;
    CPoint m_marker;  // relative to the top-left corner
    bool m_dragging = false;
    QImage m_spectrum;
};

}  // namespace OXA

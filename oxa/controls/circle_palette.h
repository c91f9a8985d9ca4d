#pragma once
// Colour wheel: the skin picture (SetImage, stretched over the control) or,
// without one, a drawn hue and saturation wheel, with a small round thumb.
// A press within 60 pixels of the centre (or on the thumb) moves the thumb
// there and starts dragging; while dragging, a move counts after more than
// 5 pixels horizontally or 6 vertically and only within those 60 pixels.
// Each counted position picks the wheel's colour under it and sends 27
// (0, colour); the release sends 2 (0, colour).
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API CirclePalette : public MControlFont {
public:
    CirclePalette(MObject* parent, unsigned id, CRect rect, int visible = 1);

    COLORREF GetSelectColor() const { return m_color; }
    // Stores the colour and moves the thumb to it on the drawn wheel (kept
    // within the picking circle); no notification.
    void SetSelectColor(COLORREF colour);
    // Centre of the thumb in window coordinates.
    CPoint GetThumbPoint() const { return CPoint(m_rect.left + m_thumb.x, m_rect.top + m_thumb.y); }
    bool IsDragging() const { return m_dragging; }
    // The colour the wheel shows at a window point (0 outside it).
    COLORREF ColorAt(CPoint pt);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

private:
    bool WithinReach(CPoint pt) const;
    CRect ThumbRect() const;
    // Moves the thumb to pt, picks its colour and sends 27.
    void Pick(CPoint pt);
    const QImage& Wheel();

    COLORREF m_color = 0x0000FF;
    CPoint m_thumb;   // relative to the control's top-left corner
    CPoint m_last;    // last counted drag position
    bool m_dragging = false;
    QImage m_wheel;   // the wheel at the control's size, without the thumb
    const QImage* m_wheelSource = nullptr;
};

}  // namespace OXA

#pragma once
// Slider: a value between a minimum and a maximum chosen by dragging a thumb
// along a track or with the wheel. Code 8 (value) while dragging changes
// it, code 2 on the release and on a wheel change.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MSlider : public MControlFont {
public:
    MSlider(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    int OnControlScroll(int kind, unsigned down, CPoint pt) override;
    void SetControlEnabled(int enabled) override;

    // Clamped to the range, negative ignored; repaints without notification.
    int SetProgress(int value);
    int GetProgress() const { return m_value; }
    void SetMinProgress(int minimum);
    int GetMinProgress() const { return m_min; }
    void SetMaxProgress(int maximum);
    int GetMaxProgress() const { return m_max; }
    // Four frames: normal, hover, pressed, disabled.
    int SetThumbImage(const CString& path);
    void SetThumbSize(int width, int height);
    CSize GetThumbSize() const { return CSize(m_thumbWidth, m_thumbHeight); }
    void SetShowText(int show);
    void SetScale(int scale) { m_scale = scale; }
    int GetScale() const { return m_scale; }
    // The thumb in window coordinates.
    CRect GetThumbRect() const;
    bool IsDragging() const { return m_dragging; }

private:
    int ValueAt(int x) const;
    void SetThumbState(int state);

    int m_value = 0;
    int m_min = 0;
    int m_max = 10;
    int m_thumbWidth = 20;
    int m_thumbHeight = 20;
    const QImage* m_thumb = nullptr;
    int m_thumbFrameWidth = 0;
    int m_thumbFrameHeight = 0;
    int m_thumbState = 0;
    int m_showText = 1;
    int m_scale = 0;
    bool m_dragging = false;
    bool m_pressed = false;
};

}  // namespace OXA

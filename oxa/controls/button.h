#pragma once
// Push button: an image strip of state frames (normal, hover, pressed,
// disabled) drawn nine-slice over the button with the title centred on top.
// Reports code 1 on a press and code 2 on a release inside after a press.
#include "oxa/core/control_font.h"

class QPainter;

namespace OXA {

class OXA_API MButton : public MControlFont {
public:
    MButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
            int enabled = 1);

    void DrawControl(HDC& hdc, CRect paint) override;
    int SetControlFocus(int focus) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

    void SetFrameSize(int border);
    int GetFrameSize() const { return m_border; }
    // Rectangle of the title relative to the button's top-left corner.
    void SetTextRect(CRect rect);
    // Icon strip relative to the skin folder; 0 when not attached or not
    // loadable.
    int SetIconImage(const CString& path, int frames);
    // The state shown while enabled: 0 normal, 1 hover, 2 pressed.
    int GetState() const { return m_state; }
    // The frame of the cache shown now.
    virtual int CurrentFrame() const;
    bool IsPressed() const { return m_pressed; }

protected:
    // Number of frames rendered into the cache.
    virtual int CacheFrames() const { return 4; }
    // Renders cache frame `frame` into dst (the background is already there).
    virtual void RenderFrame(QPainter& p, int frame, CRect dst);
    // A release inside after a press.
    virtual void OnClicked();
    // The text drawn over the button (the title unless a variant adds to it).
    virtual CString ShownTitle() const { return m_title; }
    // Shows another state frame (repaint without re-rendering).
    void SetState(int state);
    void ShowCursorShape(const CString& name);
    void DrawIcon(QPainter& p, int frame, CRect dst) const;

    int m_state = 0;
    bool m_pressed = false;
    int m_border = 8;
    CRect m_textRect;
    const QImage* m_icon = nullptr;
    int m_iconFrames = 1;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
};

}  // namespace OXA

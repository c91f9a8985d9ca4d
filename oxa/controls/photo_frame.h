#pragma once
// Framed picture: a photo (skin-relative) scaled to fit inside a frame of
// SetFrameWidth pixels (default 4), keeping its proportions and centred.
// The frame is the control's image drawn nine-slice with that border, or
// a solid colour (SetFrameColor, default ARGB 0xFFE6E6E6) without one.
// No notifications.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API CPhotoFrame : public MControlFont {
public:
    CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    // 0 when not attached or not loadable (the frame then stays empty).
    int SetPhoto(const CString& path);
    bool HasPhoto() const { return m_photo != nullptr; }
    void SetFrameWidth(int width);
    int GetFrameWidth() const { return m_frameBorder; }
    void SetFrameColor(ARGB colour);
    // Where the photo is drawn: fitted inside the frame, centred.
    CRect GetPhotoRect() const;

    void DrawControl(HDC& hdc, CRect paint) override;

private:
    const QImage* m_photo = nullptr;
    int m_frameBorder = 4;
    ARGB m_frameColour = 0xFFE6E6E6u;
};

}  // namespace OXA

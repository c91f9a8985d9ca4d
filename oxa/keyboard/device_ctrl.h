#pragma once
// The large picture of the current keyboard with its name. Show mode 0 puts
// the picture above the name; show mode 1 puts it left of the name on a
// tinted back. While the device status is 0 the control ignores the mouse
// and draws its name grey; otherwise a press inside reports code 1 and a
// release inside code 2 (both (0, 0)). Hover and press show the picture one
// pixel right and down.
#include <QImage>

#include "oxa/core/control_font.h"

class QPainter;

namespace OXA {

class OXA_API CDeviceCtrl : public MControlFont {
public:
    CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible = 1);
    ~CDeviceCtrl() override;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    // Unlike other controls the picture comes from a full path (the device
    // folder); frame width = width / frames. 0 when it cannot be loaded (the
    // previous picture stays).
    int SetImage(const CString& fullPath, int frames) override;
    using MControlFont::SetImage;

    void SetDeviceStatus(int status);
    int GetDeviceStatus() const { return m_status; }
    // 0 picture above the name, 1 picture left of the name on a tinted back.
    void SetShowMode(int mode);
    int GetShowMode() const { return m_showMode; }
    // The tint of show mode 1 (ARGB).
    void SetBackColor(ARGB color);
    ARGB GetBackColor() const { return m_backColor; }
    // 0 normal, 1 hover, 2 pressed.
    int GetState() const { return m_state; }
    int GetPictureWidth() const { return m_pictureWidth; }
    int GetPictureHeight() const { return m_pictureHeight; }

private:
    // Renders one cache frame; its content moved shift pixels right and down.
    void RenderFrame(QPainter& p, CRect frame, int shift);
    void SetState(int state);
    bool TakesMouse() const { return m_enabled && m_status != 0; }

    QImage m_picture;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    ARGB m_backColor = 0x3CFFFFFFu;
    int m_status = 0;
    int m_showMode = 0;
    int m_state = 0;
};

}  // namespace OXA

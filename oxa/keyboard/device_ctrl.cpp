#include "oxa/keyboard/device_ctrl.h"

#include <QPainter>
#include <algorithm>

#include "oxa/core/manager.h"
#include "oxa/core/render.h"

namespace OXA {
namespace {

constexpr int kNameBand = 30;         // show mode 0: the name's band under the picture
constexpr ARGB kGreyTitleMode0 = 0xFF808080u;
constexpr ARGB kGreyTitleMode1 = 0xFFC8C8C8u;
const CRect kMode1TitleBox(238, 60, 238 + 190, 60 + 30);  // relative to the control
constexpr int kMode1PictureLeft = 5;

}  // namespace

CDeviceCtrl::CDeviceCtrl(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, CString(), visible, 1, 1)
{
    m_frameCount = 1;
}

CDeviceCtrl::~CDeviceCtrl() = default;

int CDeviceCtrl::SetImage(const CString& fullPath, int frames)
{
    QImage picture = MRender::LoadImage(Manager::NormalizePath(fullPath));
    if (picture.isNull())
        return 0;
    frames = std::max(1, frames);
    m_picture = std::move(picture);
    m_pictureWidth = m_picture.width() / frames;
    m_pictureHeight = m_picture.height();
    m_frameCount = frames;
    m_imagePath = fullPath;
    UpdateControl(1, 0);
    return 1;
}

void CDeviceCtrl::SetDeviceStatus(int status)
{
    m_status = status;
    if (status == 0)
        m_state = 0;  // an inert control shows no hover or press
    UpdateControl(1, 0);
}

void CDeviceCtrl::SetShowMode(int mode)
{
    if (mode == m_showMode)
        return;
    m_showMode = mode;
    UpdateControl(1, 0);
}

void CDeviceCtrl::SetBackColor(ARGB color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    if (m_showMode == 1)
        UpdateControl(1, 0);
}

void CDeviceCtrl::DrawControl(HDC& hdc, CRect)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0)
        return;
    if (!m_update) {
        UpdateMemDC(hdc, 2 * w, h);
        for (int i = 0; i < 2; ++i) {
            CopyBackgroundToFrame(hdc, i);
            QPainter p(&m_memImage);
            p.setClipRect(i * w, 0, w, h);
            RenderFrame(p, CRect(i * w, 0, (i + 1) * w, h), i);
        }
    }
    // Hover and press show the frame drawn one pixel right and down.
    DrawFrameFromCache(hdc, (m_state == 1 || m_state == 2) ? 1 : 0);
}

void CDeviceCtrl::RenderFrame(QPainter& p, CRect frame, int shift)
{
    const bool sideBySide = m_showMode == 1;
    if (sideBySide && ArgbAlpha(m_backColor) != 0)
        p.fillRect(frame.ToQRect(), QColor::fromRgba(m_backColor));
    const int left = frame.left + shift, top = frame.top + shift;
    const int w = frame.Width(), h = frame.Height();
    const int pw = m_pictureWidth, ph = m_pictureHeight;
    auto drawPicture = [&](int x, int y) {
        if (!m_picture.isNull() && pw > 0 && ph > 0)
            p.drawImage(QPoint(x, y), m_picture, QRect(0, 0, pw, ph));
    };
    if (m_title.isEmpty()) {
        drawPicture(left + (w - pw) / 2, top + (h - ph) / 2);
        return;
    }
    ARGB colour = m_textColor;
    if (m_status == 0)
        colour = sideBySide ? kGreyTitleMode1 : kGreyTitleMode0;
    if (sideBySide) {
        drawPicture(left + kMode1PictureLeft, top);
        CRect box = kMode1TitleBox;
        box.OffsetRect(left, top);
        MRender::DrawText(p, box, m_title, colour, GetGDIFont(), 0, 4);
    } else {
        drawPicture(left + (w - pw) / 2, top + (h - kNameBand - ph) / 2);
        const CRect box(left, top + h - 35, left + w, top + h - 35 + kNameBand);
        MRender::DrawText(p, box, m_title, colour, GetGDIFont(), 1, 4);
    }
}

void CDeviceCtrl::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    UpdateControl(0, 0);
}

int CDeviceCtrl::OnControlMouseMove(unsigned, CPoint pt)
{
    if (!TakesMouse())
        return 0;
    const bool inside = m_rect.PtInRect(pt);
    if (m_state != 2)
        SetState(inside ? 1 : 0);
    return inside ? 1 : 0;
}

int CDeviceCtrl::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!TakesMouse() || !m_rect.PtInRect(pt))
        return 0;
    SetState(2);
    SendMessageW(1, 0, 0);
    return 1;
}

int CDeviceCtrl::OnControlLButtonUp(unsigned, CPoint pt)
{
    if (!TakesMouse())
        return 0;
    if (m_rect.PtInRect(pt)) {
        SetState(0);
        SendMessageW(2, 0, 0);
        return 1;
    }
    // Released elsewhere: the pressed look must not stay.
    if (m_state == 2)
        SetState(0);
    return 0;
}

}  // namespace OXA

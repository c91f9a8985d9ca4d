#include "oxa/controls/picture.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

MPicture::MPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
    m_frameCount = 1;
}

void MPicture::ClearPicture()
{
    m_image = nullptr;
    m_frameWidth = m_frameHeight = 0;
    m_imagePath.clear();
    UpdateControl(1, 0);
}

int MPicture::SetImage(const CString& path, int frames)
{
    if (MControlFont::SetImage(path, frames))
        return 1;
    if (m_manager)
        ClearPicture();
    return 0;
}

int MPicture::SetImage(unsigned resourceId, const CString& type, int frames)
{
    if (MControlFont::SetImage(resourceId, type, frames))
        return 1;
    if (m_manager)
        ClearPicture();
    return 0;
}

int MPicture::SetShowMode(enumShowMode mode, int border)
{
    if (mode == m_mode && (mode != SHOW_MODE_FRAME || border == m_border))
        return 0;
    m_mode = mode;
    m_border = std::max(0, border);
    UpdateControl(1, 0);
    return 1;
}

void MPicture::SetShowModeMID(int left, int top, int right, int bottom)
{
    m_mid = CRect(left, top, right, bottom);
    UpdateControl(1, 0);
}

void MPicture::SetCustomRect(CRect source)
{
    m_custom = source;
    UpdateControl(1, 0);
}

void MPicture::SetFrame(int frame)
{
    frame = std::clamp(frame, 0, std::max(0, m_frameCount - 1));
    if (frame == m_frame)
        return;
    m_frame = frame;
    UpdateControl(1, 0);
}

void MPicture::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter || !m_image || m_frameWidth <= 0 || m_frameHeight <= 0)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    const int fw = m_frameWidth, fh = m_frameHeight;
    const int sx = m_frame * fw;
    const QRect source(sx, 0, fw, fh);
    switch (m_mode) {
    case SHOW_MODE_NORMAL: {
        const CPoint at =
            MRender::GetOriginPoint(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), fw, fh, m_hAlign, m_vAlign);
        p.drawImage(QPoint(at.x, at.y), *m_image, source);
        break;
    }
    case SHOW_MODE_TILE:
        for (int y = m_rect.top; y < m_rect.bottom; y += fh)
            for (int x = m_rect.left; x < m_rect.right; x += fw)
                p.drawImage(QPoint(x, y), *m_image, source);  // clipped to the control
        break;
    case SHOW_MODE_STRETCH:
        p.drawImage(m_rect.ToQRect(), *m_image, source);
        break;
    case SHOW_MODE_FRAME:
        MRender::DrawImageFrame(p, m_image, m_rect, 0, 0, fw, fh, m_border);
        break;
    case SHOW_MODE_FRAME_MID:
        MRender::DrawImageFrameMID(p, m_image, m_rect, sx, 0, fw, fh, m_mid.left, m_mid.top, m_mid.right,
                                   m_mid.bottom);
        break;
    case SHOW_MODE_CUSTOM:
        if (!m_custom.IsRectEmpty())
            p.drawImage(m_rect.ToQRect(), *m_image, m_custom.ToQRect());
        break;
    }
    p.restore();
}

}  // namespace OXA

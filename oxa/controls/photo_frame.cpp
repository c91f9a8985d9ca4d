#include "oxa/controls/photo_frame.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

CPhotoFrame::CPhotoFrame(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
}

int CPhotoFrame::SetPhoto(const CString& path)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, 1) : nullptr;
    m_photo = info && info->image && !info->image->isNull() ? info->image : nullptr;
    UpdateControl(1, 0);
    return m_photo ? 1 : 0;
}

void CPhotoFrame::SetFrameWidth(int width)
{
    m_frameBorder = std::clamp(width, 0, std::max(0, std::min(m_rect.Width(), m_rect.Height()) / 2));
    UpdateControl(1, 0);
}

void CPhotoFrame::SetFrameColor(ARGB colour)
{
    m_frameColour = colour;
    UpdateControl(1, 0);
}

CRect CPhotoFrame::GetPhotoRect() const
{
    const CRect inner(m_rect.left + m_frameBorder, m_rect.top + m_frameBorder, m_rect.right - m_frameBorder,
                      m_rect.bottom - m_frameBorder);
    if (!m_photo || inner.Width() <= 0 || inner.Height() <= 0)
        return CRect();
    const QSize fitted = m_photo->size().scaled(inner.Width(), inner.Height(), Qt::KeepAspectRatio);
    const int left = inner.left + (inner.Width() - fitted.width()) / 2;
    const int top = inner.top + (inner.Height() - fitted.height()) / 2;
    return CRect(left, top, left + fitted.width(), top + fitted.height());
}

void CPhotoFrame::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    if (m_image && m_frameWidth > 0)
        DrawImageStrip(p, 0, m_rect, m_frameBorder);
    else if (m_frameBorder > 0)
        MRender::DrawColor(p, m_rect, m_frameColour);
    const CRect photo = GetPhotoRect();
    if (!photo.IsRectEmpty()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(photo.ToQRect(), *m_photo);
    }
    p.restore();
}

}  // namespace OXA

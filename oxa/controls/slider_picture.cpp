#include "oxa/controls/slider_picture.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

CSliderPicture::CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
}

int CSliderPicture::AddImage(const CString& path)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, 1) : nullptr;
    if (!info || !info->image || info->image->isNull())
        return -1;
    m_pictures.push_back(info->image);
    if (m_cur < 0) {
        m_cur = 0;
        UpdateControl(1, 0);
    }
    return int(m_pictures.size()) - 1;
}

void CSliderPicture::DeleteAllImages()
{
    m_pictures.clear();
    m_cur = m_previous = -1;
    m_step = kSteps;
    UpdateControl(1, 0);
}

int CSliderPicture::SetCurIndex(int index)
{
    if (index < 0 || index >= int(m_pictures.size()) || index == m_cur)
        return 0;
    m_direction = index > m_cur ? 1 : -1;
    m_previous = m_cur;
    m_cur = index;
    m_step = 0;
    AddMTimer();
    SetRunTimer(1);
    UpdateControl(1, 0);
    return 1;
}

void CSliderPicture::Next()
{
    const int n = int(m_pictures.size());
    if (n < 2)
        return;
    const int next = (m_cur + 1) % n;
    SetCurIndex(next);
    m_direction = 1;  // wrapping to the first still moves forwards
}

void CSliderPicture::Prev()
{
    const int n = int(m_pictures.size());
    if (n < 2)
        return;
    SetCurIndex((m_cur + n - 1) % n);
    m_direction = -1;
}

int CSliderPicture::OnControlTimer()
{
    if (!IsSliding())
        return 0;
    ++m_step;
    UpdateControl(1, 0);
    return 1;
}

int CSliderPicture::OnControlLButtonUp(unsigned, CPoint pt)
{
    if (!m_enabled || m_cur < 0 || !m_rect.PtInRect(pt))
        return 0;
    SendMessageW(2, unsigned(m_cur), 0);
    return 1;
}

void CSliderPicture::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter || m_cur < 0)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect whole = m_rect.ToQRect();
    // Offset of the incoming picture: a full width away at step 0, home at kSteps.
    const int shift = m_rect.Width() * (kSteps - m_step) / kSteps * m_direction;
    if (IsSliding() && m_previous >= 0 && m_previous < int(m_pictures.size()))
        p.drawImage(whole.translated(shift - m_rect.Width() * m_direction, 0), *m_pictures[m_previous]);
    p.drawImage(whole.translated(shift, 0), *m_pictures[m_cur]);
    p.restore();
}

}  // namespace OXA

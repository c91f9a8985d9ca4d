#include "oxa/controls/gif_picture.h"

#include <QImageReader>
#include <QPainter>

#include "oxa/core/manager.h"

namespace OXA {

CGifPicture::CGifPicture(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
    m_frameCount = 1;
}

int CGifPicture::SetImage(const CString& path, int frames)
{
    if (!m_manager || !MControlFont::SetImage(path, std::max(1, frames)))
        return 0;
    // The cache holds the first frame; the animation frames are read here.
    std::vector<QImage> images;
    QImageReader reader(Manager::GetSkinFolder() + Manager::NormalizePath(path));
    for (int i = 0; i < 10000 && reader.canRead(); ++i) {
        QImage frame = reader.read();
        if (frame.isNull())
            break;
        images.push_back(std::move(frame));
    }
    if (images.empty() && m_image)
        images.push_back(*m_image);
    m_frames = std::move(images);
    m_frame = 0;
    m_ticks = 0;
    UpdateControl(1, 0);
    return 1;
}

int CGifPicture::SetRunState(int run, int frame)
{
    if (m_frames.size() <= 1)
        return 0;
    m_frame = std::clamp(frame, 0, int(m_frames.size()) - 1);
    m_running = run ? 1 : 0;
    m_ticks = 0;
    if (m_running)
        SetRunTimer(1);
    UpdateControl(1, 0);
    return 1;
}

int CGifPicture::OnControlTimer()
{
    if (!m_running || m_frames.size() <= 1)
        return 0;
    if (++m_ticks % 5 != 0)
        return 0;
    m_frame = (m_frame + 1) % int(m_frames.size());
    UpdateControl(1, 0);
    return 1;
}

int CGifPicture::OnControlMouseMove(unsigned, CPoint pt)
{
    if (!m_mouseActive || m_frames.size() <= 1)
        return 0;
    if (m_rect.PtInRect(pt)) {
        SetRunState(1, 0);  // every move inside restarts from the first frame
        return 1;
    }
    SetRunState(0, 0);
    return 0;
}

void CGifPicture::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter || m_frames.empty())
        return;
    hdc.painter->drawImage(m_rect.ToQRect(), m_frames[std::clamp(m_frame, 0, int(m_frames.size()) - 1)]);
}

}  // namespace OXA

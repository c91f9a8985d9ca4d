#include "oxa/controls/switch_button.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

CSwitchButton::CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MButton(parent, id, rect, CString(), visible, enabled)
{
}

int CSwitchButton::SetImage(const CString& onPath, const CString& offPath, int frames)
{
    if (!m_manager)
        return 0;
    frames = std::max(1, frames);
    ImgResInfo* on = m_manager->AddImgResInfo(onPath, frames);
    if (!on || !on->image)
        return 0;
    if (!MControlFont::SetImage(offPath, frames))
        return 0;
    m_onImage = on->image;
    m_onWidth = on->frameWidth;
    m_onHeight = on->frameHeight;
    return 1;
}

void CSwitchButton::SetSwitch(int on)
{
    on = on ? 1 : 0;
    if (on == m_on)
        return;
    m_on = on;
    UpdateControl(1, 0);
}

int CSwitchButton::CurrentFrame() const { return m_on * 4 + MButton::CurrentFrame(); }

void CSwitchButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    if (frame < 4) {
        DrawImageStrip(p, frame, dst, 0);
        return;
    }
    const int f = std::clamp(frame - 4, 0, m_frameCount - 1);
    if (m_onImage)
        p.drawImage(dst.ToQRect(), *m_onImage, QRect(f * m_onWidth, 0, m_onWidth, m_onHeight));
}

void CSwitchButton::OnClicked()
{
    m_on = m_on ? 0 : 1;
    UpdateControl(0, 0);
    SendMessageW(2, 0, m_on);
}

}  // namespace OXA

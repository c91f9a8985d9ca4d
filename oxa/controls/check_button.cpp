#include "oxa/controls/check_button.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/window_messages.h"

namespace OXA {

CCheckButton::CCheckButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
    m_frameCount = 8;
}

int CCheckButton::SetCheck(int check)
{
    if (!m_enabled)
        return m_check;
    m_check = check ? 1 : 0;
    m_state = 0;
    UpdateControl(1, 0);
    return m_check;
}

int CCheckButton::SetImage(const CString& path, int frames)
{
    if (!m_manager)
        return 0;
    frames = std::max(1, frames);
    ImgResInfo* info = m_manager->AddImgResInfo(path, frames);
    if (!info || !info->image)
        return 0;
    m_image = info->image;
    m_frameWidth = info->frameWidth;
    m_frameHeight = info->frameHeight;
    m_frameCount = frames;
    m_imagePath = path;
    m_update = 0;  // rendered again on the next paint
    return 1;
}

int CCheckButton::CurrentFrame() const { return m_check * 4 + (m_enabled ? m_state : 3); }

void CCheckButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    int boxWidth = 0;
    if (m_image) {
        boxWidth = m_frameWidth;
        const int top = dst.top + (dst.Height() - m_frameHeight) / 2;
        DrawImageStrip(p, frame, CRect(dst.left, top, dst.left + m_frameWidth, top + m_frameHeight), 0);
    }
    const CRect text(dst.left + boxWidth + 8, dst.top, dst.right, dst.bottom);
    const ARGB colour = (frame % 4) == 3 ? 0xFF808080u : m_textColor;
    MRender::DrawText(p, text, m_title, colour, GetGDIFont(), m_hAlign, m_vAlign);
}

void CCheckButton::OnClicked()
{
    m_check = m_check ? 0 : 1;
    SendMessageW(2, 0, 0);
    UpdateControl(0, 0);
}

void CCheckButton::OnSpace()
{
    m_check = m_check ? 0 : 1;
    UpdateControl(0, 0);
    SendMessageW(7, 0, m_check);
}

int CCheckButton::OnControlKeyDown(unsigned vk, unsigned, unsigned)
{
    if (vk != VK_SPACE || !m_enabled || !m_focused)
        return 0;
    OnSpace();
    return 1;
}

}  // namespace OXA

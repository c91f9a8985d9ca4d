#include "oxa/controls/button.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

MButton::MButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    m_frameCount = 4;
}

void MButton::SetFrameSize(int border)
{
    border = std::max(0, border);
    if (border == m_border)
        return;
    m_border = border;
    UpdateControl(1, 0);
}

void MButton::SetTextRect(CRect rect)
{
    m_textRect = rect;
    UpdateControl(1, 0);
}

int MButton::SetIconImage(const CString& path, int frames)
{
    if (!m_manager)
        return 0;
    frames = std::max(1, frames);
    ImgResInfo* info = m_manager->AddImgResInfo(path, frames);
    if (!info || !info->image)
        return 0;
    m_icon = info->image;
    m_iconFrames = frames;
    m_iconWidth = info->frameWidth;
    m_iconHeight = info->frameHeight;
    UpdateControl(1, 0);
    return 1;
}

int MButton::CurrentFrame() const { return m_enabled ? m_state : 3; }

void MButton::DrawControl(HDC& hdc, CRect)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0)
        return;
    if (!m_update) {
        const int frames = CacheFrames();
        UpdateMemDC(hdc, frames * w, h);
        for (int i = 0; i < frames; ++i) {
            CopyBackgroundToFrame(hdc, i);
            QPainter p(&m_memImage);
            p.setRenderHint(QPainter::Antialiasing);
            p.setClipRect(i * w, 0, w, h);
            RenderFrame(p, i, CRect(i * w, 0, (i + 1) * w, h));
        }
    }
    DrawFrameFromCache(hdc, CurrentFrame());
}

void MButton::DrawIcon(QPainter& p, int frame, CRect dst) const
{
    if (!m_icon)
        return;
    frame = std::clamp(frame, 0, m_iconFrames - 1);
    p.drawImage(QRect(dst.left, dst.top, m_iconWidth, m_iconHeight), *m_icon,
                QRect(frame * m_iconWidth, 0, m_iconWidth, m_iconHeight));
}

void MButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    if (m_image)
        DrawImageStrip(p, frame, dst, m_border);
    if (m_icon) {
        const CPoint at = MRender::GetOriginPoint(dst.left, dst.top, dst.Width(), dst.Height(), m_iconWidth,
                                                  m_iconHeight, 1, 4);
        DrawIcon(p, frame, CRect(at.x, at.y, at.x + m_iconWidth, at.y + m_iconHeight));
    }
    CRect text = dst;
    if (!m_textRect.IsRectEmpty())
        text = CRect(dst.left + m_textRect.left, dst.top + m_textRect.top, dst.left + m_textRect.right,
                     dst.top + m_textRect.bottom);
    if (frame == 2)
        text.OffsetRect(1, 1);
    const ARGB colour = frame == 3 ? 0xFF808080u : m_textColor;
    MRender::DrawText(p, text, ShownTitle(), colour, GetGDIFont(), 1, 4);
}

void MButton::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    UpdateControl(0, 0);
}

void MButton::ShowCursorShape(const CString& name)
{
    SetCursorEx(name);
    if (m_manager && m_cursor >= 0)
        m_manager->SetCursor(m_cursor);
}

int MButton::SetControlFocus(int focus)
{
    SetFocusedFlag(focus ? 1 : 0);
    return MControlFont::SetControlFocus(focus);
}

void MButton::SetControlEnabled(int enabled)
{
    MControlFont::SetControlEnabled(enabled);
    m_pressed = false;
    m_state = 0;
}

int MButton::OnControlMouseMove(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    const bool inside = m_rect.PtInRect(pt);
    ShowCursorShape(inside ? u"hand"_qs : u"arrow"_qs);
    SetState(inside ? (m_pressed ? 2 : 1) : 0);
    return inside ? 1 : 0;
}

int MButton::OnControlLButtonDown(unsigned, CPoint)
{
    if (!m_enabled)
        return 0;
    m_pressed = true;
    ShowCursorShape(u"hand"_qs);
    SetState(2);
    SendMessageW(1, 0, 0);
    return 1;
}

int MButton::OnControlLButtonUp(unsigned, CPoint pt)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!m_enabled)
        return 0;
    if (wasPressed && m_rect.PtInRect(pt)) {
        SetState(1);
        OnClicked();
    } else {
        SetState(0);
    }
    return 1;
}

void MButton::OnClicked() { SendMessageW(2, 0, 0); }

}  // namespace OXA

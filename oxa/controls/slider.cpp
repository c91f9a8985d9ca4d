#include "oxa/controls/slider.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

MSlider::MSlider(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
    m_frameCount = 1;
}

int MSlider::SetProgress(int value)
{
    if (value < 0)
        return m_value;
    value = std::clamp(value, m_min, std::max(m_min, m_max));
    if (value != m_value) {
        m_value = value;
        UpdateControl(1, 0);
    }
    return m_value;
}

void MSlider::SetMinProgress(int minimum)
{
    m_min = minimum;
    m_value = std::clamp(m_value, m_min, std::max(m_min, m_max));
    UpdateControl(1, 0);
}

void MSlider::SetMaxProgress(int maximum)
{
    m_max = maximum;
    m_value = std::clamp(m_value, m_min, std::max(m_min, m_max));
    UpdateControl(1, 0);
}

int MSlider::SetThumbImage(const CString& path)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, 4) : nullptr;
    if (!info || !info->image)
        return 0;
    m_thumb = info->image;
    m_thumbFrameWidth = info->frameWidth;
    m_thumbFrameHeight = info->frameHeight;
    UpdateControl(1, 0);
    return 1;
}

void MSlider::SetThumbSize(int width, int height)
{
    // A cleared size takes the thumb picture's frame size.
    m_thumbWidth = width > 0 ? width : m_thumbFrameWidth;
    m_thumbHeight = height > 0 ? height : m_thumbFrameHeight;
    UpdateControl(1, 0);
}

void MSlider::SetShowText(int show)
{
    m_showText = show ? 1 : 0;
    UpdateControl(1, 0);
}

CRect MSlider::GetThumbRect() const
{
    const int span = std::max(0, m_rect.Width() - m_thumbWidth);
    const int range = m_max - m_min;
    int x = m_rect.left;
    if (range > 0)
        x += int((long long)span * (m_value - m_min) / range);
    x = std::clamp(x, m_rect.left, m_rect.left + span);
    return CRect(x, m_rect.top, x + m_thumbWidth, m_rect.top + m_thumbHeight);
}

int MSlider::ValueAt(int x) const
{
    const int span = m_rect.Width() - m_thumbWidth;
    if (span <= 0 || m_max <= m_min)
        return m_min;
    const long long v = m_min + (long long)(x - m_rect.left) * (m_max - m_min + 1) / span;
    return int(std::clamp<long long>(v, m_min, m_max));
}

void MSlider::SetThumbState(int state)
{
    if (state == m_thumbState)
        return;
    m_thumbState = state;
    UpdateControl(1, 0);
}

void MSlider::SetControlEnabled(int enabled)
{
    MControlFont::SetControlEnabled(enabled);
    m_dragging = m_pressed = false;
    m_thumbState = 0;
}

int MSlider::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    m_pressed = true;
    if (GetThumbRect().PtInRect(pt)) {
        m_dragging = true;
    } else {
        const int value = ValueAt(pt.x);
        if (value != m_value) {
            m_value = value;
            UpdateControl(1, 0);
        }
        m_dragging = GetThumbRect().PtInRect(pt);
    }
    SetThumbState(2);
    return 1;
}

int MSlider::OnControlMouseMove(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    if (m_dragging) {
        const int value = ValueAt(pt.x);
        if (value != m_value) {
            m_value = value;
            UpdateControl(1, 0);
            SendMessageW(8, unsigned(value), 0);
        }
        return 1;
    }
    SetThumbState(GetThumbRect().PtInRect(pt) ? 1 : 0);
    return m_rect.PtInRect(pt) ? 1 : 0;
}

int MSlider::OnControlLButtonUp(unsigned, CPoint pt)
{
    const bool wasPressed = m_pressed;
    m_pressed = m_dragging = false;
    if (!m_enabled || !wasPressed)
        return 0;
    SetThumbState(GetThumbRect().PtInRect(pt) ? 1 : 0);
    SendMessageW(2, 0, 0);
    return 1;
}

int MSlider::OnControlScroll(int, unsigned down, CPoint)
{
    if (!m_enabled)
        return 0;
    const int value = std::clamp(m_value + (down ? -1 : 1), m_min, std::max(m_min, m_max));
    if (value != m_value) {
        m_value = value;
        UpdateControl(1, 0);
        SendMessageW(2, 0, 0);
    }
    return 1;
}

void MSlider::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    const CRect thumb = GetThumbRect();
    if (m_image && m_frameHeight >= 2) {
        // Upper row: the filled track; lower row: the empty one.
        const int row = m_frameHeight / 2;
        const int iw = m_image->width();
        const CRect empty(m_rect.left + 3, m_rect.top + 2, m_rect.right - 3, m_rect.top + 2 + row);
        p.drawImage(empty.ToQRect(), *m_image, QRect(0, row, iw, row));
        const int fillRight = std::min(m_rect.right - 3, thumb.left + 10);
        if (fillRight > empty.left)
            p.drawImage(QRect(empty.left, empty.top, fillRight - empty.left, row), *m_image, QRect(0, 0, iw, row));
    } else {
        // Without a track picture: a thin line, filled up to the thumb.
        const int y = thumb.top + thumb.Height() / 2 - 1;
        MRender::DrawColor(p, CRect(m_rect.left + 3, y, m_rect.right - 3, y + 2), 0xFF505050u);
        MRender::DrawColor(p, CRect(m_rect.left + 3, y, thumb.left + thumb.Width() / 2, y + 2),
                           m_enabled ? 0xFFFFE100u : 0xFF808080u);
    }
    const int frame = m_enabled ? m_thumbState : 3;
    if (m_thumb)
        p.drawImage(thumb.ToQRect(), *m_thumb,
                    QRect(frame * m_thumbFrameWidth, 0, m_thumbFrameWidth, m_thumbFrameHeight));
    else
        MRender::DrawRoundRectange(p, float(thumb.left), float(thumb.top), float(thumb.Width()),
                                   float(thumb.Height()), float(thumb.Width()) / 2,
                                   m_enabled ? 0xFFFFE100u : 0xFF808080u);
    if (m_showText) {
        const CString text = m_title + QString::number(m_value) + (m_max == 100 ? u"%"_qs : CString());
        const int top = std::min(m_rect.bottom - 20, m_rect.top + m_thumbHeight);
        MRender::DrawText(p, CRect(m_rect.left, top, m_rect.right, top + 20), text, m_textColor, GetGDIFont(), 1, 4);
    }
    p.restore();
}

}  // namespace OXA

#include "oxa/controls/progress.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

MProgress::MProgress(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
    m_frameCount = 2;
}

int MProgress::SetProgress(int value)
{
    if (!m_enabled || value < 0)
        return m_value;
    value = std::min(value, m_max);
    if (value != m_value) {
        m_value = value;
        UpdateControl(1, 0);
    }
    return m_value;
}

void MProgress::SetMaxProgress(int maximum)
{
    if (maximum < 1 || maximum == m_max)
        return;
    m_max = maximum;
    m_value = std::min(m_value, m_max);
    UpdateControl(1, 0);
}

int MProgress::SetBackGroundImage(const CString& path)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, 1) : nullptr;
    if (!info || !info->image)
        return 0;
    m_back = info->image;
    UpdateControl(1, 0);
    return 1;
}

int MProgress::SetForeGroundImage(const CString& path)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, 1) : nullptr;
    if (!info || !info->image)
        return 0;
    m_fore = info->image;
    UpdateControl(1, 0);
    return 1;
}

void MProgress::EnableShowText(int show)
{
    m_showText = show ? 1 : 0;
    UpdateControl(1, 0);
}

CString MProgress::GetShowText() const
{
    return m_title + QString::number(m_value) + (m_max == 100 ? u"%"_qs : CString());
}

void MProgress::SetRun(int run, int start)
{
    m_running = run ? 1 : 0;
    m_tickCount = 0;
    if (m_running) {
        m_value = std::clamp(start, 0, m_max);
        AddMTimer();
        SetRunTimer(1);
    }
    UpdateControl(1, 0);
}

int MProgress::OnControlTimer()
{
    if (!m_running)
        return 0;
    if (++m_tickCount % 3 != 0)
        return 0;
    m_value = m_value + 1 >= m_max ? 0 : m_value + 1;
    UpdateControl(1, 0);
    return 1;
}

void MProgress::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    const int w = m_rect.Width(), h = m_rect.Height();
    const int filled = int((long long)w * m_value / m_max);
    if (m_back && m_fore) {
        const CRect all(m_rect.left, m_rect.top, m_rect.right, m_rect.bottom);
        MRender::DrawImageFrameMID(p, m_back, all, 0, 0, m_back->width(), m_back->height(), 12, 0, 12, 0);
        if (filled > 0) {
            p.save();
            p.setClipRect(QRect(m_rect.left, m_rect.top, filled, h), Qt::IntersectClip);
            MRender::DrawImageFrameMID(p, m_fore, all, 0, 0, m_fore->width(), m_fore->height(), 12, 0, 12, 0);
            p.restore();
        }
    } else if (m_image && m_frameWidth > 0) {
        const int barHeight = std::min(14, h);
        const int top = m_rect.top + (h - barHeight) / 2;
        const CRect bar(m_rect.left, top, m_rect.right, top + barHeight);
        DrawImageStrip(p, 0, bar, 2);
        if (filled > 0) {
            p.save();
            p.setClipRect(QRect(m_rect.left, top, filled, barHeight), Qt::IntersectClip);
            DrawImageStrip(p, 1, bar, 2);
            p.restore();
        }
    } else {
        MRender::DrawColor(p, CRect(m_rect.left, m_rect.top + h - 2, m_rect.right, m_rect.top + h - 1), 0x64050505u);
        MRender::DrawColor(p, CRect(m_rect.left, m_rect.top + h - 3, m_rect.left + filled, m_rect.top + h), 0xFFFFE100u);
    }
    if (m_showText)
        MRender::DrawText(p, m_rect, GetShowText(), m_textColor, GetGDIFont(), 1, 4);
    p.restore();
}

}  // namespace OXA

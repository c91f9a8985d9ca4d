#include "oxa/controls/menu_item.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

MenuItem::MenuItem(MObject* parent, unsigned id, CRect rect, const CString& title, int visible)
    : MControlFont(parent, id, rect, title, visible, 1, 1)
{
    SetFont(u"Open Sans Semibold"_qs, 18, FontStyleRegular);
}

const char16_t* MenuItem::GetClassNameW() const { return u"MenuItem"; }

void MenuItem::SetCheck(int check)
{
    m_check = check < 0 ? -1 : (check ? 1 : 0);
    UpdateControl(1, 0);
}

int MenuItem::SetIconImage(unsigned resourceId, int frames)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(resourceId, u"PNG"_qs, std::max(1, frames), 1) : nullptr;
    if (!m_icon.Take(info, frames))
        return 0;
    UpdateControl(1, 0);
    return 1;
}

int MenuItem::SetIconImage(const CString& path, int frames)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, std::max(1, frames)) : nullptr;
    if (!m_icon.Take(info, frames))
        return 0;
    UpdateControl(1, 0);
    return 1;
}

int MenuItem::OnControlMouseMove(unsigned, CPoint pt)
{
    const int hover = m_enabled && !m_separator && m_rect.PtInRect(pt) ? 1 : 0;
    if (hover != m_hover) {
        m_hover = hover;
        UpdateControl(1, 0);
    }
    return hover;
}

int MenuItem::OnControlLButtonDown(unsigned, CPoint)
{
    if (!m_enabled || m_separator)
        return 0;
    if (m_check >= 0) {
        m_check = m_check ? 0 : 1;
        UpdateControl(1, 0);
        SendMessageW(7, 0, m_check);
        return 1;
    }
    m_pressed = true;
    return 1;
}

int MenuItem::OnControlLButtonUp(unsigned, CPoint pt)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || !m_enabled || !m_rect.PtInRect(pt))
        return 0;
    SendMessageW(2, 0, 0);
    return 1;
}

void MenuItem::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    if (m_separator) {
        const int y = (m_rect.top + m_rect.bottom) / 2;
        MRender::DrawColor(p, CRect(m_rect.left + 6, y, m_rect.right - 6, y + 1), 0xFF505050u);
        p.restore();
        return;
    }
    if (m_hover)
        MRender::DrawColor(p, m_rect, 0xFFC95100u);
    if (m_icon) {
        const int frame = std::min(m_enabled ? (m_hover ? 1 : 0) : 3, m_icon.frames - 1);
        const int y = m_rect.top + (m_rect.Height() - m_icon.height) / 2;
        p.drawImage(QRect(m_rect.left + 10, y, m_icon.width, m_icon.height), *m_icon.image,
                    QRect(frame * m_icon.width, 0, m_icon.width, m_icon.height));
    }
    const ARGB colour = m_enabled ? m_textColor : 0xFF808080u;
    MRender::DrawText(p, CRect(m_rect.left + 40, m_rect.top, m_rect.right - 30, m_rect.bottom), m_title, colour,
                      GetGDIFont(), 0, 4);
    if (m_check == 1) {
        // A tick at the right end.
        QPen pen{QColor::fromRgba(colour)};
        pen.setWidth(2);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(pen);
        const double x = m_rect.right - 24, y = (m_rect.top + m_rect.bottom) / 2.0;
        const QPointF tick[] = {{x, y}, {x + 4, y + 4}, {x + 12, y - 5}};
        p.drawPolyline(tick, 3);
    }
    p.restore();
}

}  // namespace OXA

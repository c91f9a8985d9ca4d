#include "oxa/controls/tab_ctrl.h"

#include <QPainter>
#include <cmath>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr unsigned kAnimateTimer = 1;
constexpr unsigned kAnimateMs = 30;
constexpr int kAnimateSteps = 8;
constexpr ARGB kHoverFill = 0x20FFFFFFu;
constexpr ARGB kSelectedFill = 0x40FFFFFFu;
}  // namespace

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
}

int MTabCtrl::InsertItem(unsigned id, const CString& title, const CString& imagePath, MControl* page, int frames, int)
{
    TabItemInfo info;
    info.id = id;
    info.title = title;
    info.page = page;
    info.frames = frames == -1 || frames < 1 ? 3 : frames;
    if (m_manager && !imagePath.isEmpty())
        if (ImgResInfo* image = m_manager->AddImgResInfo(imagePath, info.frames)) {
            info.image = image->image;
            info.frameWidth = image->frameWidth;
            info.frameHeight = image->frameHeight;
        }
    return InsertItem(-1, info);
}

int MTabCtrl::InsertItem(int index, const TabItemInfo& info)
{
    if (index < -1 || index > int(m_items.size()))
        return -1;
    if (index == -1)
        index = int(m_items.size());
    m_items.insert(m_items.begin() + index, info);
    if (m_cur >= index)
        ++m_cur;
    RefreshItems();
    return index;
}

int MTabCtrl::DeleteItem(int index)
{
    if (!Valid(index))
        return 0;
    m_items.erase(m_items.begin() + index);
    if (m_cur == index)
        m_cur = -1;
    else if (m_cur > index)
        --m_cur;
    m_prev = -1;
    m_hover = -1;
    StopAnimation();
    RefreshItems();
    return 1;
}

TabItemInfo* MTabCtrl::GetItemInfo(int index) { return Valid(index) ? &m_items[index] : nullptr; }
unsigned MTabCtrl::GetItemID(int index) const { return Valid(index) ? m_items[index].id : 0; }

void MTabCtrl::SetItemText(int index, const CString& text)
{
    if (!Valid(index))
        return;
    m_items[index].title = text;
    RefreshItems();
}

void MTabCtrl::SetItemVisible(int index, int visible)
{
    if (!Valid(index))
        return;
    m_items[index].visible = visible ? 1 : 0;
    RefreshItems();
}

int MTabCtrl::GetItemVisible(int index) const { return Valid(index) ? m_items[index].visible : 0; }

void MTabCtrl::SetItemWidth(int index, int normal, int)
{
    if (!Valid(index))
        return;
    m_items[index].width = std::max(0, normal);
    RefreshItems();
}

void MTabCtrl::SetItemHeight(int index, int normal, int)
{
    if (!Valid(index))
        return;
    m_items[index].height = std::max(0, normal);
    RefreshItems();
}

void MTabCtrl::SetItemButton(int index, CRect relative)
{
    if (!Valid(index))
        return;
    m_items[index].button = relative;
}

void MTabCtrl::SetTabCtrlWidth(int width)
{
    m_tabWidth = std::max(1, width);
    RefreshItems();
}

void MTabCtrl::SetTabCtrlHeight(int height)
{
    m_tabHeight = std::max(0, height);
    RefreshItems();
}

void MTabCtrl::SetLeftRightPading(int left, int right)
{
    m_padLeft = left, m_padRight = right;
    RefreshItems();
}

void MTabCtrl::SetTopBottomPading(int top, int bottom)
{
    m_padTop = top, m_padBottom = bottom;
    RefreshItems();
}

void MTabCtrl::SetTabType(TAB_TYPE type)
{
    m_type = type;
    RefreshItems();
}

void MTabCtrl::SetControlRect(CRect rect)
{
    m_rect = rect;
    RefreshItems();
}

void MTabCtrl::RefreshItems()
{
    // Each tab takes its padding before and after it along the strip; the
    // cross-axis paddings inset it from the strip's edges.
    int x = m_rect.left, y = m_rect.top;
    for (TabItemInfo& item : m_items) {
        if (!item.visible) {
            item.rect = CRect();
            continue;
        }
        if (m_type == TAB_TYPE_HORIZONTAL) {
            const int w = item.width > 0 ? item.width : m_tabWidth;
            const int h = item.height > 0 ? item.height
                                          : (m_tabHeight > 0 ? m_tabHeight : m_rect.Height() - m_padTop - m_padBottom);
            x += m_padLeft;
            item.rect = CRect(x, m_rect.top + m_padTop, x + w, m_rect.top + m_padTop + h);
            x += w + m_padRight;
        } else {
            const int w = item.width > 0 ? item.width : m_rect.Width() - m_padLeft - m_padRight;
            const int h = item.height > 0 ? item.height : (m_tabHeight > 0 ? m_tabHeight : 40);
            y += m_padTop;
            item.rect = CRect(m_rect.left + m_padLeft, y, m_rect.left + m_padLeft + w, y + h);
            y += h + m_padBottom;
        }
    }
    UpdateControl(1, 0);
}

int MTabCtrl::ItemAt(CPoint pt) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].visible && m_items[i].rect.PtInRect(pt))
            return int(i);
    return -1;
}

void MTabCtrl::EnableAnimateChangeTab(int enable)
{
    m_animate = enable;
    if (!enable)
        StopAnimation();
}

void MTabCtrl::SetTabTooltip(int enable)
{
    m_tooltips = enable;
    if (!enable && m_manager && m_manager->GetTooltipOwner() == this)
        ClearTooltip();
}

void MTabCtrl::StopAnimation()
{
    if (m_animStep < 0)
        return;
    m_animStep = -1;
    if (m_manager)
        m_manager->KillTimer(this, kAnimateTimer);
}

CRect MTabCtrl::GetHighlightRect() const
{
    if (!Valid(m_cur))
        return CRect();
    const CRect to = m_items[m_cur].rect;
    if (m_animStep < 0)
        return to;
    // Eases out: fast at first, settling on the new tab.
    const double t = double(m_animStep) / kAnimateSteps;
    const double e = 1.0 - (1.0 - t) * (1.0 - t);
    const auto mix = [e](int a, int b) { return a + int(std::lround((b - a) * e)); };
    return CRect(mix(m_animFrom.left, to.left), mix(m_animFrom.top, to.top), mix(m_animFrom.right, to.right),
                 mix(m_animFrom.bottom, to.bottom));
}

int MTabCtrl::OnControlTimer()
{
    if (m_animStep < 0)
        return 0;
    if (++m_animStep >= kAnimateSteps)
        StopAnimation();
    UpdateControl(1, 0);
    return 1;
}

int MTabCtrl::SetSelectItem(int index)
{
    if (!Valid(index) || index == m_cur)
        return m_prev;
    // The highlight starts where it is now (also in the middle of a slide).
    const CRect from = Valid(m_cur) && m_items[m_cur].visible ? GetHighlightRect() : CRect();
    m_prev = m_cur;
    m_cur = index;
    SendMessageW(1, unsigned(index), 0);
    for (size_t i = 0; i < m_items.size(); ++i) {
        MControl* page = m_items[i].page;
        if (page && int(i) != index) {
            page->SetVisible(0);
            page->UpdateControl(1, 1);
        }
    }
    if (MControl* page = m_items[index].page) {
        page->SetVisible(1);
        page->UpdateControl(1, 0);
    }
    StopAnimation();
    if (m_animate && m_manager && !from.IsRectEmpty() && m_items[index].visible &&
        m_manager->SetTimer(this, kAnimateTimer, kAnimateMs)) {
        m_animFrom = from;
        m_animStep = 0;
    }
    UpdateControl(1, 0);
    return m_prev;
}

int MTabCtrl::OnControlMouseMove(unsigned, CPoint pt)
{
    const int row = m_rect.PtInRect(pt) ? ItemAt(pt) : -1;
    if (row != m_hover) {
        m_hover = row;
        UpdateControl(1, 0);
        ShowHoverTooltip();
    }
    return m_rect.PtInRect(pt) ? 1 : 0;
}

void MTabCtrl::ShowHoverTooltip()
{
    if (!m_tooltips || !m_manager)
        return;
    if (Valid(m_hover) && !m_items[m_hover].title.isEmpty())
        SetTooltip(m_items[m_hover].title, m_items[m_hover].rect);
    else if (m_manager->GetTooltipOwner() == this)
        ClearTooltip();
}

int MTabCtrl::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    const int index = ItemAt(pt);
    if (index < 0)
        return 0;
    const TabItemInfo& item = m_items[index];
    CRect button = item.button;
    button.OffsetRect(item.rect.left, item.rect.top);
    if (!item.button.IsRectEmpty() && button.PtInRect(pt)) {
        SendMessageW(9, unsigned(index), 0);
        return 1;
    }
    SetSelectItem(index);
    return 1;
}

void MTabCtrl::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    const QFont font = GetGDIFont();
    const bool sliding = m_animStep >= 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        TabItemInfo& item = m_items[i];
        if (!item.visible)
            continue;
        item.state = int(i) == m_cur ? 2 : (int(i) == m_hover ? 1 : 0);
        // While the highlight slides, the selected tab's own place is plain.
        const int shown = sliding && item.state == 2 ? (int(i) == m_hover ? 1 : 0) : item.state;
        if (item.image && item.frameWidth > 0) {
            const int frame = std::min(shown, item.frames - 1);
            p.drawImage(item.rect.ToQRect(), *item.image,
                        QRect(frame * item.frameWidth, 0, item.frameWidth, item.frameHeight));
        } else if (shown) {
            MRender::DrawColor(p, item.rect, shown == 2 ? kSelectedFill : kHoverFill);
        }
    }
    if (sliding && Valid(m_cur)) {
        const TabItemInfo& item = m_items[m_cur];
        const CRect at = GetHighlightRect();
        if (item.image && item.frameWidth > 0)
            p.drawImage(at.ToQRect(), *item.image,
                        QRect(std::min(2, item.frames - 1) * item.frameWidth, 0, item.frameWidth, item.frameHeight));
        else
            MRender::DrawColor(p, at, kSelectedFill);
    }
    const ARGB colour = m_enabled ? m_textColor : 0xFF808080u;
    for (const TabItemInfo& item : m_items)
        if (item.visible)
            MRender::DrawText(p, item.rect, item.title, colour, font, 1, 4);
    p.restore();
}

}  // namespace OXA

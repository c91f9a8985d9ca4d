#include "oxa/controls/combo_box.h"

#include <QPainter>

#include "oxa/controls/combo_box_list.h"
#include "oxa/controls/combo_box_wnd.h"
#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/window.h"

namespace OXA {

namespace {
constexpr int kRowHeight = 30;
constexpr int kMaxVisibleRows = 5;
constexpr unsigned kListId = 100;
}  // namespace

MComboBox::MComboBox(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1)
{
    m_frameCount = 1;
}

MComboBox::~MComboBox() = default;

int MComboBox::AddItem(const CString& text, long data, const CString& icon, ARGB colour)
{
    return InsertItem(-1, text, data, icon, colour);
}

int MComboBox::InsertItem(int index, const CString& text, long data, const CString& icon, ARGB colour)
{
    if (index < -1 || index > int(m_items.size()))
        return -1;
    if (index == -1)
        index = int(m_items.size());
    m_items.insert(m_items.begin() + index, Item{text, icon, colour, data});
    if (m_cur >= index)
        ++m_cur;
    return index;
}

int MComboBox::DeleteItem(int index)
{
    if (!Valid(index))
        return 0;
    m_items.erase(m_items.begin() + index);
    if (m_cur == index) {
        m_cur = -1;
        UpdateControl(1, 0);
    } else if (m_cur > index) {
        --m_cur;
    }
    return 1;
}

void MComboBox::DelAllItems()
{
    m_items.clear();
    m_cur = -1;
    UpdateControl(1, 0);
}

CString MComboBox::GetItemText(int index) const { return Valid(index) ? m_items[index].text : CString(); }

int MComboBox::SetItemText(int index, const CString& text)
{
    if (!Valid(index))
        return 0;
    m_items[index].text = text;
    if (index == m_cur)
        UpdateControl(1, 0);
    return 1;
}

int MComboBox::SetItemData(int index, long data)
{
    if (!Valid(index))
        return 0;
    m_items[index].data = data;
    return 1;
}

long MComboBox::GetItemData(int index) const { return Valid(index) ? m_items[index].data : 0; }

int MComboBox::SetCurSel(int index)
{
    if (index != -1 && !Valid(index))
        return 0;
    m_cur = index;
    UpdateControl(1, 0);
    return 1;
}

int MComboBox::FindData(long data) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].data == data)
            return int(i);
    return -1;
}

int MComboBox::SelectData(long data)
{
    const int index = FindData(data);
    return index < 0 ? 0 : SetCurSel(index);
}

int MComboBox::SetBackImage(const CString& path) { return SetImage(path, 1); }

void MComboBox::SetShowModeMID(int left, int top, int right, int bottom)
{
    m_mid = CRect(left, top, right, bottom);
    UpdateControl(1, 0);
}

void MComboBox::SetScrollResID(unsigned vertical, unsigned horizontal)
{
    m_scrollV = vertical;
    m_scrollH = horizontal;
}

void MComboBox::SetTextRect(CRect rect)
{
    m_textRect = rect;
    UpdateControl(1, 0);
}

int MComboBox::DropDownHeight() const
{
    return std::min(int(m_items.size()), kMaxVisibleRows) * kRowHeight + 12;
}

CComboBoxWnd* MComboBox::GetDropDown() const
{
    return m_drop && m_drop->GetSafeHwnd() ? m_drop.get() : nullptr;
}

void MComboBox::CloseDropDown()
{
    if (GetDropDown())
        m_drop->CloseWindow();
}

int MComboBox::ShowDropDown()
{
    if (!m_manager || !m_manager->GetMDialog())
        return 0;
    m_drop.reset();  // the previous, closed drop-down
    const int width = m_rect.Width();
    const int rows = std::min(int(m_items.size()), kMaxVisibleRows);
    const CPoint at = m_manager->GetMDialog()->ClientToScreen(CPoint(m_rect.left, m_rect.bottom));
    auto drop = std::make_unique<CComboBoxWnd>();
    drop->SetParent(this);
    if (!drop->Create(m_manager->GetPaintWnd(), u"ComboWnd"_qs, WS_POPUP, WS_EX_TOOLWINDOW,
                      CRect(at.x, at.y, at.x + width, at.y + DropDownHeight())))
        return 0;
    PaintManager& pm = drop->GetPaintManager();
    pm.SetScrollResID(m_scrollV, m_scrollH);
    auto* list = new CComboBoxList(drop.get(), kListId, CRect(0, 6, width, 6 + rows * kRowHeight), 1, 1);
    pm.AddControl(list);
    list->SetManager(&pm);
    for (const Item& item : m_items) {
        const int row = list->AddString(item.text, item.data, 0);
        if (!item.icon.isEmpty() || ArgbAlpha(item.colour) != 0)
            list->SetItemExtras(row, item.icon, item.colour);
    }
    list->SetCurSel(m_cur);
    drop->SetList(list);
    drop->ShowWindow(SW_SHOW);
    m_drop = std::move(drop);
    return 1;
}

long MComboBox::OnMessage(unsigned, unsigned code, unsigned wParam, long lParam)
{
    if (code == 2 && lParam == kComboListMarker && Valid(int(wParam))) {
        SetCurSel(int(wParam));
        SendMessageW(2, wParam, 0);
    }
    return 0;
}

int MComboBox::OnControlLButtonDown(unsigned, CPoint)
{
    if (!m_enabled)
        return 0;
    m_pressed = true;
    return 1;
}

int MComboBox::OnControlLButtonUp(unsigned, CPoint pt)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!m_enabled || !wasPressed || !m_rect.PtInRect(pt))
        return 0;
    ShowDropDown();
    return 1;
}

void MComboBox::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    if (m_image && m_frameWidth > 0) {
        MRender::DrawImageFrameMID(p, m_image, m_rect, 0, 0, m_frameWidth, m_frameHeight, m_mid.left, m_mid.top,
                                   m_mid.right, m_mid.bottom);
    } else {
        // Without a background: a thin frame and an arrow.
        MRender::DrawRoundRectange(p, float(m_rect.left), float(m_rect.top), float(m_rect.Width() - 1),
                                   float(m_rect.Height() - 1), 4.0f, 0x20FFFFFFu, 1.0f, 0xFF808080u, 1);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgba(m_textColor));
        const double cx = m_rect.right - 13, cy = (m_rect.top + m_rect.bottom) / 2.0;
        const QPointF arrow[] = {{cx - 5, cy - 2}, {cx + 5, cy - 2}, {cx, cy + 4}};
        p.drawPolygon(arrow, 3);
    }
    CRect text(m_rect.left + 3, m_rect.top + 3, m_rect.right - 26, m_rect.bottom - 3);
    if (!m_textRect.IsRectEmpty())
        text = CRect(m_rect.left + m_textRect.left, m_rect.top + m_textRect.top, m_rect.left + m_textRect.right,
                     m_rect.top + m_textRect.bottom);
    if (Valid(m_cur)) {
        // The selected item's icon or colour swatch goes before its text.
        const Item& item = m_items[m_cur];
        const ImgResInfo* icon = !item.icon.isEmpty() && m_manager ? m_manager->AddImgResInfo(item.icon, 1) : nullptr;
        if ((icon && icon->image) || ArgbAlpha(item.colour) != 0) {
            const int box = std::max(0, std::min(20, text.Height()));
            DrawItemMark(p, CRect(text.left, text.top, text.left + box, text.bottom), icon ? icon->image : nullptr,
                         icon ? icon->frameWidth : 0, icon ? icon->frameHeight : 0, item.colour);
            text.left += box + 6;
        }
        MRender::DrawText(p, text, item.text, m_enabled ? m_textColor : 0xFF808080u, GetGDIFont(), m_hAlign, 4);
    }
    p.restore();
}

}  // namespace OXA

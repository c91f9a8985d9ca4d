#include "oxa/controls/list_box.h"

#include <QPainter>

#include "oxa/controls/edit.h"
#include "oxa/core/image_cache.h"
#include "oxa/core/manager.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/scroll_bar.h"

namespace OXA {

namespace {
constexpr unsigned kEditId = 0xFFF0;   // the in-place edit child
constexpr int kTextLeft = 50;          // rows draw their text from here
constexpr ARGB kEditBack = 0x080808;
}  // namespace

MListBox::MListBox(MObject* parent, unsigned id, CRect rect, int visible) : MPanel(parent, id, rect, visible)
{
    m_frameCount = 2;
    SetDblClk(1);
    Remeasure();
}

void MListBox::Remeasure()
{
    MPanel::SetControlRect(m_rect);
    m_contentHeight = int(m_items.size()) * m_itemHeight;
    if (m_vbar) {
        m_vbar->SetScrollRange(m_contentHeight);
        m_vbar->SetControlVisible(m_contentHeight > m_rect.Height());
    }
}

void MListBox::SetControlRect(CRect rect)
{
    m_rect = rect;
    Remeasure();
}

int MListBox::AddString(const CString& text, int value) { return AddString(text, 0L, value); }

int MListBox::AddString(const CString& text, long data, int value)
{
    return InsertString(-1, text, value, data);
}

int MListBox::InsertString(int index, const CString& text, int value, long data)
{
    if (index < -1 || index > int(m_items.size()))
        return -1;
    HideEdit();
    if (index == -1)
        index = int(m_items.size());
    m_items.insert(m_items.begin() + index, Item{text, value, data});
    if (m_cur >= index)
        ++m_cur;
    Remeasure();
    UpdateControl(1, 0);
    return index;
}

int MListBox::DeleteItem(int index)
{
    if (!Valid(index))
        return 0;
    HideEdit();
    m_items.erase(m_items.begin() + index);
    if (m_cur == index)
        m_cur = -1;
    else if (m_cur > index)
        --m_cur;
    m_hover = -1;
    Remeasure();
    UpdateControl(1, 0);
    return 1;
}

void MListBox::DeleteAllItems()
{
    HideEdit();
    m_items.clear();
    m_cur = m_hover = -1;
    Remeasure();
    UpdateControl(1, 0);
}

CString MListBox::GetItemText(int index) const { return Valid(index) ? m_items[index].text : CString(); }
int MListBox::GetItemValue(int index) const { return Valid(index) ? m_items[index].value : 0; }
long MListBox::GetItemData(int index) const { return Valid(index) ? m_items[index].data : 0; }

int MListBox::ModifyItemString(int index, const CString& text)
{
    if (!Valid(index))
        return 0;
    m_items[index].text = text;
    UpdateControl(1, 0);
    return 1;
}

int MListBox::SetItemData(int index, long data)
{
    if (!Valid(index))
        return 0;
    m_items[index].data = data;
    return 1;
}

int MListBox::FindString(const CString& text) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].text == text)
            return int(i);
    return -1;
}

int MListBox::FindItemData(long data) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].data == data)
            return int(i);
    return -1;
}

int MListBox::SetCurSel(int index)
{
    if (index != -1 && !Valid(index))
        return 0;
    m_cur = index;
    UpdateControl(1, 0);
    return 1;
}

int MListBox::SetCurData(long data)
{
    const int index = FindItemData(data);
    return index < 0 ? 0 : SetCurSel(index);
}

long MListBox::GetCurData() const { return GetItemData(m_cur); }

void MListBox::SetItemHeight(int height)
{
    if (height < 1)
        return;
    HideEdit();
    m_itemHeight = height;
    Remeasure();
    UpdateControl(1, 0);
}

CRect MListBox::GetItemRect(int index) const
{
    if (!Valid(index))
        return CRect();
    const int top = m_rect.top + index * m_itemHeight;
    return CRect(m_rect.left, top, m_rect.right, top + m_itemHeight);
}

int MListBox::SwapItem(int first, int second)
{
    if (!Valid(first) || !Valid(second))
        return 0;
    HideEdit();
    std::swap(m_items[first], m_items[second]);
    if (m_cur == first)
        m_cur = second;
    else if (m_cur == second)
        m_cur = first;
    UpdateControl(1, 0);
    return 1;
}

int MListBox::RowRight() const
{
    // The vertical bar lies over the right edge of the list; rows stop
    // short of it so that neither highlight nor text runs under it.
    if (m_vbar && m_scrollEnabled && OverflowsV() && m_vbar->IsVisible())
        return std::max(m_rect.left, std::min(m_rect.right, m_vbar->GetRect().left));
    return m_rect.right;
}

int MListBox::ItemAt(CPoint pt) const
{
    if (pt.x < m_rect.left || pt.x >= m_rect.right || pt.y < m_rect.top || m_itemHeight <= 0)
        return -1;
    const int row = (pt.y - m_rect.top) / m_itemHeight;
    return Valid(row) ? row : -1;
}

int MListBox::SetEditImage(const CString& path, int frames)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, std::max(1, frames)) : nullptr;
    m_editImage = info ? info->image : nullptr;
    m_editFrames = std::max(1, frames);
    UpdateControl(1, 0);
    return m_editImage ? 1 : 0;
}

void MListBox::ShowEdit()
{
    if (!m_showEdit || !m_enabled || !Valid(m_cur) || m_editIndex == m_cur)
        return;
    HideEdit();
    const CRect row = GetItemRect(m_cur);
    const CRect area(row.left + kTextLeft, row.top, RowRight(), row.bottom);
    if (!m_edit) {
        m_edit = new MEdit(this, kEditId, area);
        if (m_manager)
            m_edit->SetManager(m_manager);
        AddChild(m_edit);
    }
    m_edit->SetControlRect(area);
    m_edit->SetTextColor(m_textColor);
    m_edit->SetEditBKColor(kEditBack);
    m_edit->SetEditText(m_items[m_cur].text);
    m_edit->SetControlVisible(1);
    m_editIndex = m_cur;
    m_edit->ShowEdit();  // caret at the end, keyboard focus
    UpdateControl(1, 0);
}

void MListBox::HideEdit()
{
    if (m_edit && m_edit->IsEditing())
        m_edit->HideEdit();  // reports 29, which finishes below
    else
        FinishEdit();
}

void MListBox::FinishEdit()
{
    if (m_editIndex < 0 || !m_edit)
        return;
    const int index = m_editIndex;
    m_editIndex = -1;
    if (Valid(index))
        m_items[index].text = m_edit->GetEditText();
    m_edit->SetControlVisible(0);
    if (m_manager && m_manager->GetFocusControl() == m_edit)
        m_manager->StoreFocusControl(nullptr);
    UpdateControl(1, 0);
    SendMessageW(29, 0, index);
}

long MListBox::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    if (m_edit && id == kEditId) {
        // The edit's own codes stay inside; the list reports typing and the end.
        if (code == 26 && m_editIndex >= 0)
            SendMessageW(26, 0, 0);
        else if (code == 29)
            FinishEdit();
        return 0;
    }
    if ((id == 1 || id == 2) && code == 8)
        UpdateControl(1, 0);
    return MPanel::OnMessage(id, code, wParam, lParam);
}

int MListBox::OnControlMouseMove(unsigned, CPoint pt)
{
    // pt is in content coordinates; outside the panel nothing is hovered.
    const CPoint view(pt.x, pt.y - GetVOffset());
    const int row = m_rect.PtInRect(view) ? ItemAt(pt) : -1;
    if (row != m_hover) {
        m_hover = row;
        UpdateControl(1, 0);
    }
    return m_rect.PtInRect(view) ? 1 : 0;
}

int MListBox::OnControlLButtonDown(unsigned, CPoint pt)
{
    const int row = ItemAt(pt);
    if (row < 0 || !m_enabled)
        return 0;
    HideEdit();
    m_cur = row;
    UpdateControl(1, 0);
    SendMessageW(1, unsigned(row), 0);
    return 1;
}

int MListBox::OnControlLButtonUp(unsigned, CPoint pt)
{
    const int row = ItemAt(pt);
    if (row < 0 || !m_enabled)
        return 0;
    SendMessageW(2, unsigned(row), 0);
    return 1;
}

int MListBox::OnControlLButtonDblClk(unsigned, CPoint pt)
{
    const int row = ItemAt(pt);
    if (row < 0 || !m_enabled)
        return 0;
    if (row != m_editIndex)
        HideEdit();
    m_cur = row;
    UpdateControl(1, 0);
    SendMessageW(3, unsigned(row), 0);
    ShowEdit();
    return 1;
}

int MListBox::OnControlRButtonUp(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    const int row = ItemAt(pt);
    m_cur = row;
    UpdateControl(1, 0);
    SendMessageW(5, unsigned(row), 0);
    return 1;
}

void MListBox::DrawControl(HDC& hdc, CRect paint)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    p.setRenderHint(QPainter::Antialiasing);
    const int offset = GetVOffset();
    const QFont font = GetGDIFont();
    const int right = RowRight();
    for (int i = 0; i < int(m_items.size()); ++i) {
        CRect row = GetItemRect(i);
        row.OffsetRect(0, -offset);
        row.right = right;
        if (row.bottom <= m_rect.top || row.top >= m_rect.bottom)
            continue;
        if (i == m_editIndex && m_editImage)
            MRender::DrawStripFrame(p, m_editImage, m_editFrames, 0, row, 6);
        else if (i == m_cur || i == m_hover)
            MRender::DrawRoundRectange(p, float(row.left), float(row.top), float(row.Width()), float(row.Height()),
                                       10.0f, Manager::GetSelectColor());
        if (m_image && m_frameWidth > 0) {
            const int x = row.left + std::max(0, (50 - m_frameWidth) / 2);
            const int y = row.top + (row.Height() - m_frameHeight) / 2;
            DrawImageStrip(p, i == m_cur ? 1 : 0, CRect(x, y, x + m_frameWidth, y + m_frameHeight), 0);
        }
        if (i == m_editIndex)
            continue;  // the edit shows the text
        MRender::DrawText(p, CRect(row.left + kTextLeft, row.top, row.right, row.bottom), m_items[i].text, 0xFFE6E6E6u,
                          font, 0, 4);
    }
    // With the content scrolled the panel leaves its children to us.
    if (m_edit && m_edit->IsVisible() && m_scrollEnabled && (OverflowsV() || OverflowsH())) {
        p.translate(-GetHOffset(), -offset);
        CRect shifted = paint;
        shifted.OffsetRect(GetHOffset(), offset);
        m_edit->Draw(hdc, shifted);
    }
    p.restore();
}

}  // namespace OXA

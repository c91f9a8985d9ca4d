#include "oxa/controls/combo_box_list.h"

#include <QPainter>

#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"

namespace OXA {

namespace {
constexpr int kGutter = 50;  // rows draw their text from here
constexpr int kSwatch = 16;
}  // namespace

void DrawItemMark(QPainter& p, CRect box, const QImage* icon, int iconWidth, int iconHeight, ARGB colour)
{
    if (icon && iconWidth > 0 && iconHeight > 0) {
        // Shrunk to the box when taller or wider, never enlarged.
        const double scale = std::min({1.0, double(box.Width()) / iconWidth, double(box.Height()) / iconHeight});
        const int w = int(iconWidth * scale), h = int(iconHeight * scale);
        const QRect dst(box.left + (box.Width() - w) / 2, box.top + (box.Height() - h) / 2, w, h);
        p.drawImage(dst, *icon, QRect(0, 0, iconWidth, iconHeight));
        return;
    }
    if (ArgbAlpha(colour) == 0)
        return;
    const int size = std::min({kSwatch, box.Width(), box.Height()});
    const QRectF swatch(box.left + (box.Width() - size) / 2.0 + 0.5, box.top + (box.Height() - size) / 2.0 + 0.5,
                        size - 1.0, size - 1.0);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 0x60), 1.0));
    p.setBrush(QColor::fromRgba(colour));
    p.drawRoundedRect(swatch, 3, 3);
    p.restore();
}

CComboBoxList::CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MListBox(parent, id, rect, visible)
{
    m_enabled = enabled ? 1 : 0;
    SetItemHeight(30);
}

int CComboBoxList::OnControlLButtonDown(unsigned, CPoint pt)
{
    const int row = ItemAt(pt);
    if (row < 0 || !m_enabled)
        return 0;
    SetCurSel(row);
    return 1;
}

int CComboBoxList::OnControlLButtonUp(unsigned, CPoint pt)
{
    const int row = ItemAt(pt);
    if (row < 0 || !m_enabled)
        return 0;
    SendMessageW(2, unsigned(row), kComboListMarker);
    return 1;
}

}  // namespace OXA

namespace OXA {

void CComboBoxList::SetItemExtras(int index, const CString& icon, ARGB colour)
{
    if (index < 0 || index >= GetItemCount())
        return;
    if (int(m_extras.size()) < GetItemCount())
        m_extras.resize(size_t(GetItemCount()));
    Extra& extra = m_extras[size_t(index)];
    extra = Extra{};
    extra.colour = colour;
    if (!icon.isEmpty() && m_manager)
        if (ImgResInfo* info = m_manager->AddImgResInfo(icon, 1); info && info->image) {
            extra.icon = info->image;
            extra.width = info->frameWidth;
            extra.height = info->frameHeight;
        }
    UpdateControl(1, 0);
}

ARGB CComboBoxList::GetItemColour(int index) const
{
    return index >= 0 && index < int(m_extras.size()) ? m_extras[size_t(index)].colour : 0;
}

const QImage* CComboBoxList::GetItemIcon(int index) const
{
    return index >= 0 && index < int(m_extras.size()) ? m_extras[size_t(index)].icon : nullptr;
}

void CComboBoxList::DrawControl(HDC& hdc, CRect paint)
{
    MListBox::DrawControl(hdc, paint);
    if (!hdc.painter || m_extras.empty())
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    const int offset = GetVOffset();
    const int rows = std::min(GetItemCount(), int(m_extras.size()));
    for (int i = 0; i < rows; ++i) {
        CRect row = GetItemRect(i);
        row.OffsetRect(0, -offset);
        if (row.bottom <= m_rect.top || row.top >= m_rect.bottom)
            continue;
        const Extra& e = m_extras[size_t(i)];
        CRect gutter(row.left + 4, row.top + 4, row.left + kGutter - 4, row.bottom - 4);
        DrawItemMark(p, gutter, e.icon, e.width, e.height, e.colour);
    }
    p.restore();
}

}  // namespace OXA

#include "oxa/controls/palette.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

namespace {
const std::vector<COLORREF> kDefaultColours = {
    RGB(255, 0, 0),     RGB(255, 128, 0),   RGB(255, 255, 0), RGB(128, 255, 0),
    RGB(0, 255, 0),     RGB(0, 255, 128),   RGB(0, 255, 255), RGB(0, 128, 255),
    RGB(0, 0, 255),     RGB(128, 0, 255),   RGB(255, 0, 255), RGB(255, 0, 128),
    RGB(255, 255, 255), RGB(255, 192, 128), RGB(128, 192, 255), RGB(128, 128, 128),
};
constexpr int kInset = 3;
}  // namespace

MPalette::MPalette(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, CString(), visible, 1, 1), m_colors(kDefaultColours)
{
    m_frameCount = 1;
}

void MPalette::SetColors(const std::vector<COLORREF>& colours)
{
    m_colors.clear();
    for (COLORREF c : colours)
        m_colors.push_back(c & 0xFFFFFF);
    m_cur = m_hover = m_pressed = -1;
    UpdateControl(1, 0);
}

void MPalette::SetColumns(int columns)
{
    m_columns = std::max(1, columns);
    UpdateControl(1, 0);
}

int MPalette::SetCurSel(int index)
{
    if (index != -1 && !Valid(index))
        return 0;
    m_cur = index;
    UpdateControl(1, 0);
    return 1;
}

COLORREF MPalette::GetSelectColor() const { return Valid(m_cur) ? m_colors[m_cur] : 0; }

int MPalette::SetSelectColor(COLORREF colour)
{
    const auto it = std::find(m_colors.begin(), m_colors.end(), colour & 0xFFFFFF);
    SetCurSel(it == m_colors.end() ? -1 : int(it - m_colors.begin()));
    return m_cur;
}

CRect MPalette::GetItemRect(int index) const
{
    if (!Valid(index))
        return CRect();
    const int columns = std::min(m_columns, int(m_colors.size()));
    const int rows = (int(m_colors.size()) + columns - 1) / columns;
    const int col = index % columns, row = index / columns;
    // Cells share the width and height out evenly, remainders included.
    const int x0 = m_rect.left + m_rect.Width() * col / columns;
    const int x1 = m_rect.left + m_rect.Width() * (col + 1) / columns;
    const int y0 = m_rect.top + m_rect.Height() * row / rows;
    const int y1 = m_rect.top + m_rect.Height() * (row + 1) / rows;
    return CRect(x0, y0, x1, y1);
}

int MPalette::ItemAt(CPoint pt) const
{
    if (!m_rect.PtInRect(pt))
        return -1;
    for (int i = 0; i < int(m_colors.size()); ++i)
        if (GetItemRect(i).PtInRect(pt))
            return i;
    return -1;
}

int MPalette::OnControlMouseMove(unsigned, CPoint pt)
{
    const int hover = m_enabled ? ItemAt(pt) : -1;
    if (hover != m_hover) {
        m_hover = hover;
        UpdateControl(1, 0);
    }
    return m_rect.PtInRect(pt) ? 1 : 0;
}

int MPalette::OnControlLButtonDown(unsigned, CPoint pt)
{
    const int index = ItemAt(pt);
    if (!m_enabled || index < 0)
        return 0;
    m_pressed = index;
    m_cur = index;
    UpdateControl(1, 0);
    SendMessageW(27, unsigned(index), long(m_colors[index]));
    return 1;
}

int MPalette::OnControlLButtonUp(unsigned, CPoint pt)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    if (!m_enabled || pressed < 0 || ItemAt(pt) != pressed)
        return 0;
    SendMessageW(2, unsigned(pressed), long(m_colors[pressed]));
    return 1;
}

void MPalette::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < int(m_colors.size()); ++i) {
        CRect cell = GetItemRect(i);
        cell.DeflateRect(kInset, kInset);
        if (cell.IsRectEmpty())
            continue;
        QColor fill(GetRValue(m_colors[i]), GetGValue(m_colors[i]), GetBValue(m_colors[i]));
        if (!m_enabled)
            fill = QColor::fromHsv(fill.hsvHue(), fill.hsvSaturation() / 3, fill.value() / 2);
        p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(cell.left + 0.5, cell.top + 0.5, cell.Width() - 1.0, cell.Height() - 1.0), 3, 3);
        if (i == m_cur || i == m_hover) {
            const QColor ring = i == m_cur ? QColor(0xF5, 0xF5, 0xF5) : QColor(0xF5, 0xF5, 0xF5, 120);
            p.setPen(QPen(ring, 2.0));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(cell.left - 1.0, cell.top - 1.0, cell.Width() + 2.0, cell.Height() + 2.0), 4,
                              4);
        }
    }
    p.restore();
}

}  // namespace OXA

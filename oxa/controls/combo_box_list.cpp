#include "oxa/controls/combo_box_list.h"

namespace OXA {

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

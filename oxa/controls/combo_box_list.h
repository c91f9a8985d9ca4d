#pragma once
// The list inside a combo box's drop-down: rows of 30 pixels; choosing a
// row (a release over it) sends code 2 with the row and the marker 19.
#include "oxa/controls/list_box.h"

namespace OXA {

constexpr long kComboListMarker = 19;

class OXA_API CComboBoxList : public MListBox {
public:
    CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
};

}  // namespace OXA

#pragma once
// The list inside a combo box's drop-down: rows of 30 pixels; choosing a
// row (a release over it) sends code 2 with the row and the marker 19.
// A row may carry an icon or a colour swatch, drawn left of its text.
#include <vector>

#include "oxa/controls/list_box.h"

class QPainter;

namespace OXA {

constexpr long kComboListMarker = 19;

class OXA_API CComboBoxList : public MListBox {
public:
    CComboBoxList(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    void DrawControl(HDC& hdc, CRect paint) override;

    // Icon (relative to the skin folder, one frame) and colour swatch
    // (alpha 0 for none) of a row; the icon wins when both are given.
    void SetItemExtras(int index, const CString& icon, ARGB colour);
    ARGB GetItemColour(int index) const;
    const QImage* GetItemIcon(int index) const;

private:
    struct Extra {
        const QImage* icon = nullptr;
        int width = 0, height = 0;
        ARGB colour = 0;
    };
    std::vector<Extra> m_extras;
};

// Draws a row's icon, else its colour swatch, centred in box.
void DrawItemMark(QPainter& p, CRect box, const QImage* icon, int iconWidth, int iconHeight, ARGB colour);

}  // namespace OXA

#pragma once
// Grid of colour swatches (16 lighting colours in 8 columns unless set).
// A press on a swatch selects it and sends 27 (index, colour); the release
// over the same swatch sends 2 (index, colour). The hovered swatch gets a
// light ring, the selected one a white ring.
#include <vector>

#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MPalette : public MControlFont {
public:
    MPalette(MObject* parent, unsigned id, CRect rect, int visible = 1);

    void SetColors(const std::vector<COLORREF>& colours);
    const std::vector<COLORREF>& GetColors() const { return m_colors; }
    void SetColumns(int columns);
    int GetColumns() const { return m_columns; }
    int GetCurSel() const { return m_cur; }
    // -1 clears; out of range returns 0; no notification.
    int SetCurSel(int index);
    COLORREF GetSelectColor() const;
    // Selects the first swatch of that colour (-1 when none); no notification.
    int SetSelectColor(COLORREF colour);
    int GetHoverIndex() const { return m_hover; }
    // The swatch's cell in window coordinates; empty when out of range.
    CRect GetItemRect(int index) const;
    int ItemAt(CPoint pt) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

private:
    bool Valid(int index) const { return index >= 0 && index < int(m_colors.size()); }

    std::vector<COLORREF> m_colors;
    int m_columns = 8;
    int m_cur = -1;
    int m_hover = -1;
    int m_pressed = -1;
};

}  // namespace OXA

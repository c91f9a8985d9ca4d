#pragma once
// Colour swatch: selected by a press (deselecting the other swatches of its
// group), it then always shows its pressed frame.
#include "oxa/controls/button.h"
#include "oxa/controls/button_group.h"

namespace OXA {

class OXA_API CColorButton : public MButton, public GroupMember {
public:
    CColorButton(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    const char16_t* GetClassNameW() const override;
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    void SetVisibleBorder(bool visible);
    void SetGroupName(const CString& name) { m_group = name; }
    CString GetGroupName() const override { return m_group; }
    void ClearGroupCheck() override;
    // 1 while selected in its group.
    int GetCheck() const { return m_selected; }

    int CurrentFrame() const override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

    COLORREF m_color = 0xFFFFFF;
    bool m_border = false;
    int m_selected = 0;
    CString m_group;
};

}  // namespace OXA

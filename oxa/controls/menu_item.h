#pragma once
// One row of a popup menu: icon, title, optional check state (with a group)
// or a separator line. A click on a plain item sends code 2; a press on a
// check item toggles it and sends code 7 with the new state.
#include "oxa/controls/icon_strip.h"
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MenuItem : public MControlFont {
public:
    MenuItem(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1);

    const char16_t* GetClassNameW() const override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

    // -1 for a plain item, else 0/1.
    void SetCheck(int check);
    int GetCheck() const { return m_check; }
    void SetGroup(int group) { m_group = group; }
    int GetGroup() const { return m_group; }
    void SetSeparator(int separator) { m_separator = separator; }
    int IsSeparator() const { return m_separator; }
    int SetIconImage(const CString& path, int frames);
    // The program's PNG resource id as the icon strip.
    int SetIconImage(unsigned resourceId, int frames);
    int IsHover() const { return m_hover; }

private:
    int m_check = -1;
    int m_group = 0;
    int m_separator = 0;
    int m_hover = 0;
    bool m_pressed = false;
    IconStrip m_icon;
};

}  // namespace OXA

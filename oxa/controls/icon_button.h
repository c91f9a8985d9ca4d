#pragma once
// Icon button: a radio-like button grouped under the class name
// "IconButton" (one checked per group and parent). Its 8-frame strip is
// stretched over the button, the icon centred above the title, and an
// optional tip of up to three lines shows in the key tip window
// (CKeyboardTips) above the button while the mouse is over it.
// Notifications as CRadioButton (2 on a click, 7 on Space).
#include <memory>

#include "oxa/controls/radio_button.h"

namespace OXA {

class CKeyboardTips;

class OXA_API CIconButton : public CRadioButton {
public:
    CIconButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                int enabled = 1);
    ~CIconButton() override;

    const char16_t* GetClassNameW() const override;
    // The tip's title, second and third line. Without a title no tip shows.
    void SetTipInfo(const CString& line1, const CString& line2 = CString(), const CString& line3 = CString());
    CString GetTipLine(int index) const;
    bool IsTipShown() const { return m_tipShown; }
    // The tip window, created on the first hover with a tip; null before.
    CKeyboardTips* GetTipWindow() const { return m_tips.get(); }

    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    void SetControlVisible(int visible) override;
    void SetControlEnabled(int enabled) override;

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

private:
    void ShowTip();
    void HideTip();

    CString m_tipLines[3];
    bool m_tipShown = false;
    std::unique_ptr<CKeyboardTips> m_tips;
};

}  // namespace OXA

#pragma once
// Check box: an 8-frame strip (0-3 unchecked normal/hover/pressed/disabled,
// 4-7 the same checked); the box at the left, the title 8 pixels to its
// right. A click toggles the check and sends code 2; Space with the focus
// toggles it and sends code 7 with the new check in lParam.
#include "oxa/controls/button.h"

namespace OXA {

class OXA_API CCheckButton : public MButton {
public:
    CCheckButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
                 int enabled = 1);

    int GetCheck() const { return m_check; }
    // Refused while disabled (returns the unchanged check); otherwise sets
    // the check, shows state 0 and repaints without notification.
    virtual int SetCheck(int check);
    // Sets the strip without repainting.
    int SetImage(const CString& path, int frames) override;
    using MControlFont::SetImage;

    int CurrentFrame() const override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) override;

protected:
    int CacheFrames() const override { return 8; }
    void RenderFrame(QPainter& p, int frame, CRect dst) override;
    void OnClicked() override;
    // Space with the focus.
    virtual void OnSpace();

    int m_check = 0;
};

}  // namespace OXA

#pragma once
// On/off switch with one 4-frame strip per position; a click toggles it and
// sends code 2 with the new position in lParam.
#include "oxa/controls/button.h"

namespace OXA {

class OXA_API CSwitchButton : public MButton {
public:
    CSwitchButton(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    // Both strips relative to the skin folder; 0 when either cannot be used.
    int SetImage(const CString& onPath, const CString& offPath, int frames);
    using MControlFont::SetImage;
    int GetSwitch() const { return m_on; }
    void SetSwitch(int on);
    int CurrentFrame() const override;

protected:
    int CacheFrames() const override { return 8; }
    void RenderFrame(QPainter& p, int frame, CRect dst) override;
    void OnClicked() override;

    int m_on = 0;
    const QImage* m_onImage = nullptr;
    int m_onWidth = 0;
    int m_onHeight = 0;
};

}  // namespace OXA

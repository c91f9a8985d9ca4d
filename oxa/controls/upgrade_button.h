#pragma once
// Push button with an update badge: while the status is non-zero every frame
// carries a red disc with "1" in its top-right corner.
#include "oxa/controls/button.h"

namespace OXA {

class OXA_API UpgradeButton : public MButton {
public:
    UpgradeButton(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1);

    void SetUpgradeStatus(int status);
    int GetUpgradeStatus() const { return m_status; }

protected:
    void RenderFrame(QPainter& p, int frame, CRect dst) override;

    int m_status = 0;
};

}  // namespace OXA

#pragma once
// The battery of a wireless keyboard in the title bar: an outline picture,
// the left part of a level picture as wide as the level, and while charging
// no fill but a charging picture right of the outline. The program's worker
// thread reports the level: SetBatteryInfo may be called from any thread.
#include <mutex>

#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API BatteryCtrl : public MControlFont {
public:
    BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible = 1);
    ~BatteryCtrl() override;

    void DrawControl(HDC& hdc, CRect paint) override;
    // The outline picture, relative to the skin folder; 1 when loaded. No
    // repaint.
    int SetImage(const CString& relativePath, int frames) override;
    using MControlFont::SetImage;
    // The level and charging pictures, relative to the skin folder.
    int SetBatteryIcon(const CString& levelPicture, const CString& chargingPicture);
    // Stores and repaints unless both equal the stored values.
    void SetBatteryInfo(int level, int charging);
    int GetBatteryLevel() const;
    int IsCharging() const;

private:
    struct Picture {
        const QImage* image = nullptr;  // owned by the window's image cache
        int width = 0;
        int height = 0;
    };
    Picture Load(const CString& relativePath, int frames);

    Picture m_outline;
    Picture m_levelPicture;
    Picture m_chargingPicture;
    mutable std::mutex m_infoLock;
    int m_level = 100;
    int m_charging = 0;
    // The fill shown while charging: none.
    static constexpr int kChargingLevel = 0;
};

}  // namespace OXA

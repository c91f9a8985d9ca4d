#include "oxa/keyboard/battery_ctrl.h"

#include <QPainter>
#include <algorithm>

#include "oxa/core/paint_manager.h"
#include "oxa/keyboard/repaint_request.h"

namespace OXA {
namespace {
constexpr int kChargingGap = 5;  // between the outline and the charging picture
}

BatteryCtrl::BatteryCtrl(MObject* parent, unsigned id, CRect rect, int visible)
    : MControlFont(parent, id, rect, CString(), visible, 1, 1)
{
    m_fontSize = 14;
    m_frameCount = 1;
}

BatteryCtrl::~BatteryCtrl() = default;

BatteryCtrl::Picture BatteryCtrl::Load(const CString& relativePath, int frames)
{
    if (!m_manager || relativePath.isEmpty())
        return {};
    ImgResInfo* info = m_manager->AddImgResInfo(relativePath, std::max(1, frames));
    if (!info || !info->image)
        return {};
    return {info->image, info->frameWidth, info->frameHeight};
}

int BatteryCtrl::SetImage(const CString& relativePath, int frames)
{
    const Picture outline = Load(relativePath, frames);
    if (!outline.image)
        return 0;
    m_outline = outline;
    m_imagePath = relativePath;
    return 1;
}

int BatteryCtrl::SetBatteryIcon(const CString& levelPicture, const CString& chargingPicture)
{
    m_levelPicture = Load(levelPicture, 1);
    m_chargingPicture = Load(chargingPicture, 1);
    return 1;
}

void BatteryCtrl::SetBatteryInfo(int level, int charging)
{
    {
        std::lock_guard<std::mutex> lock(m_infoLock);
        if (level == m_level && charging == m_charging)
            return;
        m_level = level;
        m_charging = charging;
    }
    RequestRepaint(this, 1);
}

int BatteryCtrl::GetBatteryLevel() const
{
    std::lock_guard<std::mutex> lock(m_infoLock);
    return m_level;
}

int BatteryCtrl::IsCharging() const
{
    std::lock_guard<std::mutex> lock(m_infoLock);
    return m_charging;
}

void BatteryCtrl::DrawControl(HDC& hdc, CRect)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0 || !hdc.surface)
        return;
    int level = 0, charging = 0;
    {
        std::lock_guard<std::mutex> lock(m_infoLock);
        level = m_level;
        charging = m_charging;
    }
    // Rendered on every paint: the level may have changed on another thread.
    UpdateMemDC(hdc, w, h);
    CopyBackgroundToFrame(hdc, 0);
    {
        QPainter p(&m_memImage);
        p.setClipRect(0, 0, w, h);
        if (m_outline.image)
            p.drawImage(QPoint(0, 0), *m_outline.image, QRect(0, 0, m_outline.width, m_outline.height));
        if (m_levelPicture.image) {
            // A level outside 0..100 (a misreport) never draws past the picture.
            const int shown = std::clamp(charging ? kChargingLevel : level, 0, 100);
            const int fill = shown * m_levelPicture.width / 100;
            if (fill > 0)
                p.drawImage(QPoint(0, 0), *m_levelPicture.image, QRect(0, 0, fill, m_levelPicture.height));
        }
        if (charging && m_chargingPicture.image) {
            const int y = int((h - m_chargingPicture.height) * 0.5);
            p.drawImage(QPoint(m_outline.width + kChargingGap, y), *m_chargingPicture.image,
                        QRect(0, 0, m_chargingPicture.width, m_chargingPicture.height));
        }
    }
    DrawFrameFromCache(hdc, 0);
}

}  // namespace OXA

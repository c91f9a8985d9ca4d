#include "oxa/controls/upgrade_button.h"

#include <QPainter>

#include "oxa/core/font_collection.h"
#include "oxa/core/render.h"

namespace OXA {

UpgradeButton::UpgradeButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible)
    : MButton(parent, id, rect, title, visible, 1)
{
}

void UpgradeButton::SetUpgradeStatus(int status)
{
    if (status == m_status)
        return;
    m_status = status;
    UpdateControl(1, 0);
}

void UpgradeButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    MButton::RenderFrame(p, frame, dst);
    if (!m_status)
        return;
    const CRect badge(dst.right - 16, dst.top, dst.right, dst.top + 16);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(0xFFFF0000u));
    p.drawEllipse(badge.ToQRect());
    p.restore();
    MRender::DrawText(p, badge, u"1"_qs, m_textColor, MakeFont(GetFontFamily(), 8, FontStyleRegular), 1, 4);
}

}  // namespace OXA

#include "oxa/controls/download_button.h"

#include <QPainter>

#include "oxa/core/render.h"

namespace OXA {

namespace {
constexpr ARGB kBarColour = 0x80FFE100u;
}

DownloadButton::DownloadButton(MObject* parent, unsigned id, CRect rect, const CString& title, int visible,
                               int enabled)
    : MButton(parent, id, rect, title, visible, enabled)
{
}

int DownloadButton::SetDownloadProcess(int percent)
{
    if (percent < 0)
        return m_percent;
    percent = std::min(percent, 100);
    if (percent != m_percent) {
        m_percent = percent;
        UpdateControl(1, 0);
    }
    return m_percent;
}

CString DownloadButton::ShownTitle() const
{
    return IsDownloading() ? QString::number(m_percent) + u"%"_qs : m_title;
}

void DownloadButton::RenderFrame(QPainter& p, int frame, CRect dst)
{
    if (IsDownloading()) {
        // The bar and the percentage take the place of the icon and title.
        if (m_image)
            DrawImageStrip(p, frame, dst, m_border);
        MRender::DrawColor(p, CRect(dst.left, dst.top, dst.left + dst.Width() * m_percent / 100, dst.bottom),
                           kBarColour);
        const ARGB colour = frame == 3 ? 0xFF808080u : m_textColor;
        MRender::DrawText(p, dst, ShownTitle(), colour, GetGDIFont(), 1, 4);
        return;
    }
    MButton::RenderFrame(p, frame, dst);
}

}  // namespace OXA

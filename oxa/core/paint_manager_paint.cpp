// The paint cycle: background, areas, controls, caret and message strip into
// the window's off-screen surface, then the invalid part to the screen.
#include <QElapsedTimer>
#include <QPainter>

#include "oxa/core/font_collection.h"
#include "oxa/core/native_window.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/ui_lock.h"

namespace OXA {

void PaintManager::DrawBackground(QPainter& p, CRect client)
{
    if (!m_bkImage.isNull()) {
        if (m_backMode == BACK_MODE_FRAME)
            MRender::DrawImageFrame(p, &m_bkImage, client, 0, 0, m_bkImage.width(), m_bkImage.height(), m_backBorder);
        else
            p.drawImage(QPoint(0, 0), m_bkImage);
        return;
    }
    // A 1-pixel frame in the frame colour around the back colour.
    MRender::DrawColor(p, client, ColorRefToArgb(m_frameColor, 0xFE));
    CRect inner = client;
    inner.DeflateRect(1, 1);
    MRender::DrawColor(p, inner, ColorRefToArgb(m_backColor, 0xFE));
}

void PaintManager::PaintInto(QImage& surface, CRect update, bool whole)
{
    const CRect client(0, 0, surface.width(), surface.height());
    update = update.Intersected(client);
    if (update.IsRectEmpty())
        return;
    QPainter p(&surface);
    p.setClipRect(update.ToQRect());
    if (m_layered) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(update.ToQRect(), Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    DrawBackground(p, client);
    HDC hdc;
    hdc.painter = &p;
    hdc.surface = &surface;
    const CRect drawRect = whole ? client : update;
    // Lock order everywhere: controls, then areas.
    std::lock_guard<std::recursive_mutex> controlsLock(m_controlsLock);
    {
        std::lock_guard<std::recursive_mutex> areas(m_areasLock);
        const size_t count = m_areas.size();
        for (size_t i = 0; i < count && i < m_areas.size(); ++i)
            m_areas[i]->Draw(hdc, drawRect);
    }
    {
        std::lock_guard<std::recursive_mutex> controls(m_controlsLock);
        const size_t count = m_controls.size();
        for (size_t i = 0; i < count && i < m_controls.size(); ++i)
            m_controls[i]->Draw(hdc, drawRect);
    }
    DrawCaret(hdc);
    if (m_layered) {
        // Pixels drawn without alpha (alpha 0, colour not black) are opaque.
        for (int y = update.top; y < update.bottom; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(surface.scanLine(y));
            for (int x = update.left; x < update.right; ++x)
                if (qAlpha(row[x]) == 0 && (row[x] & 0xFFFFFF) != 0)
                    row[x] |= 0xFF000000u;
        }
    }
    if (m_strip.IsShown())
        m_strip.Draw(p, MakeFont(FindTempFont(m_tooltipFace), 12, 0));
}

void PaintManager::OnPaint()
{
    if (!m_hWnd)
        return;
    QElapsedTimer timer;
    timer.start();
    const QRect updateRect = m_hWnd->TakeUpdateRect();
    if (m_hWnd->IsMinimized() || updateRect.isEmpty())
        return;
    const CSize size = GetClientSize();
    if (size.cx <= 0 || size.cy <= 0)
        return;
    if (m_surface.width() != size.cx || m_surface.height() != size.cy) {
        m_surface = MRender::CreateARGB32Bitmap(size.cx, size.cy);
        m_surface.fill(Qt::transparent);
    }
    const CRect update = m_layered ? CRect(0, 0, size.cx, size.cy) : CRect::FromQRect(updateRect);
    PaintInto(m_surface, update, m_layered != 0);
    m_hWnd->Present(m_surface, update.ToQRect());
    m_lastPaintUs = timer.nsecsElapsed() / 1000;
}

QImage PaintManager::RenderImage()
{
    UiLock ui;
    const CSize size = GetClientSize();
    QImage image = MRender::CreateARGB32Bitmap(size.cx, size.cy);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    PaintInto(image, CRect(0, 0, size.cx, size.cy), true);
    return image;
}

bool PaintManager::SaveImage(const CString& path) { return MRender::SaveBitmapToFile(RenderImage(), path); }

}  // namespace OXA

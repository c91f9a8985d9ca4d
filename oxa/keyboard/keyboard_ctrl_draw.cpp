// Drawing of the keyboard picture: one cached frame holding the keys, the
// picture and the key frames of the current mode; the drag rectangle is
// drawn on the window after the frame is copied, so it never stales the
// cache.
#include <QPainter>
#include <QPen>

#include "oxa/core/font_collection.h"
#include "oxa/core/manager.h"
#include "oxa/core/render.h"
#include "oxa/keyboard/keyboard_ctrl.h"

namespace OXA {
namespace {

constexpr ARGB kCapBlue = 0xFF007ACCu;
constexpr ARGB kCapText = 0xFFFFFFFFu;
constexpr ARGB kCapShadow = 0xFF505050u;
constexpr ARGB kLockFrame = 0xFFFF0000u;
constexpr ARGB kLightFrame = 0xFFFFFFFFu;
constexpr ARGB kSelectionRect = 0xFF4CFF29u;
constexpr int kCapFontSize = 10;
constexpr int kIconBand = 20;  // the icon's top sits this far above the key's bottom

QColor Colour(ARGB c) { return QColor::fromRgba(c); }

}  // namespace

void KeyboardCtrl::DrawControl(HDC& hdc, CRect)
{
    const int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0 || !hdc.surface)
        return;
    // Key records may have been changed by another thread since the last
    // render; that change alone makes the cached frame stale.
    const bool keysChanged = m_keysChanged.exchange(false, std::memory_order_acq_rel);
    if (!m_update || keysChanged || m_memImage.width() != w || m_memImage.height() != h) {
        UpdateMemDC(hdc, w, h);
        CopyBackgroundToFrame(hdc, 0);
        QPainter p(&m_memImage);
        p.setClipRect(0, 0, w, h);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        RenderKeyboard(p);
    }
    DrawFrameFromCache(hdc, 0);
    if (m_mode == kModeLight && m_frameDragging)
        DrawSelectionRect(hdc);
}

void KeyboardCtrl::RenderKeyboard(QPainter& p)
{
    std::lock_guard<std::recursive_mutex> lock(m_keysLock);
    switch (m_mode) {
    case kModeCaps:
        DrawCaps(p);
        return;
    case kModeAssign: {
        if (m_picture.isNull())
            return;
        const ARGB selectColour = Manager::GetSelectColor();
        for (const auto& key : m_keys)
            MRender::DrawColor(p, GetRealRect(key->rect), key->check ? selectColour : m_keyboardColor);
        DrawPicture(p);
        DrawKeyFrame(p, m_hoverIndex, m_keyboardColor, 1);
        DrawKeyFrame(p, m_selectedIndex, m_keyboardColor, 1);
        for (size_t i = 0; i < m_keys.size(); ++i)
            if (m_keys[i]->lockFlag)
                DrawKeyFrame(p, int(i), kLockFrame, 2);
        return;
    }
    case kModeLight:
    case kModeMusic: {
        if (m_picture.isNull())
            return;
        for (const auto& key : m_keys)
            MRender::DrawColor(p, GetRealRect(key->rect), ColorRefToArgb(key->color));
        DrawPicture(p);
        if (m_mode == kModeLight && m_frameSelect) {
            for (size_t i = 0; i < m_keys.size(); ++i)
                if (m_keys[i]->check)
                    DrawKeyFrame(p, int(i), kLightFrame, 1);
            DrawKeyFrame(p, m_hoverIndex, kLightFrame, 1);
            DrawKeyFrame(p, m_selectedIndex, kLightFrame, 1);
        }
        return;
    }
    default:
        return;  // mode 20 and unknown modes: the background only
    }
}

void KeyboardCtrl::DrawPicture(QPainter& p) const
{
    // The area of the picture's own size from its top-left corner: a picture
    // of another size is cut or left short, never scaled.
    const QRect source = QRect(0, 0, m_pictureWidth, m_pictureHeight).intersected(m_picture.rect());
    if (m_picture.isNull() || source.isEmpty())
        return;
    p.drawImage(QPoint(m_offsetX, m_offsetY), m_picture, source);
}

void KeyboardCtrl::DrawKeyFrame(QPainter& p, int index, ARGB colour, int width) const
{
    const KEY_INFO* key = KeyAt(index);
    if (!key)
        return;
    const CRect r = GetRealRect(key->rect);
    if (r.Width() < 2 * width || r.Height() < 2 * width)
        return;
    // Along the key's edge pixels, inside its rect, pixel-exact.
    const QColor c = Colour(colour);
    const int w = r.Width(), h = r.Height();
    p.fillRect(r.left, r.top, w, width, c);
    p.fillRect(r.left, r.bottom - width, w, width, c);
    p.fillRect(r.left, r.top, width, h, c);
    p.fillRect(r.right - width, r.top, width, h, c);
}

const QFont& KeyboardCtrl::CapFont()
{
    if (!m_hasCapFont) {
        m_capFont = MakeFont(GetFontFamily(), int(kCapFontSize * m_scale), m_fontStyle);
        m_hasCapFont = true;
    }
    return m_capFont;
}

void KeyboardCtrl::DrawCaps(QPainter& p)
{
    for (const auto& key : m_keys) {
        CRect r = GetRealRect(key->rect);
        CRect fill = r;
        fill.DeflateRect(1, 1);
        MRender::DrawColor(p, fill, kCapBlue);
        DrawCap(p, *key, r);
    }
}

void KeyboardCtrl::DrawCap(QPainter& p, const KEY_INFO& key, CRect r)
{
    const QFont& font = CapFont();
    auto drawName = [&](CRect box) {
        CRect shadow = box;
        shadow.OffsetRect(1, 1);
        MRender::DrawText(p, shadow, key.name, kCapShadow, font, 1, 4);
        MRender::DrawText(p, box, key.name, kCapText, font, 1, 4);
    };
    if (!key.icon) {
        drawName(r);
        return;
    }
    const int x = r.left + (r.Width() - key.iconWidth) / 2;
    if (key.name.isEmpty()) {
        p.drawImage(QPoint(x, r.top + (r.Height() - key.iconHeight) / 2), *key.icon);
        return;
    }
    drawName(CRect(r.left, r.top, r.right, r.top + r.Height() - kIconBand));
    p.drawImage(QPoint(x, r.bottom - kIconBand), *key.icon);
}

void KeyboardCtrl::DrawSelectionRect(HDC& hdc) const
{
    CRect r(m_dragStart.x, m_dragStart.y, m_dragPoint.x, m_dragPoint.y);
    r.NormalizeRect();
    QPainter* p = hdc.painter;
    if (!p || r.IsRectEmpty())
        return;
    p->save();
    p->setClipRect(m_rect.ToQRect(), Qt::IntersectClip);
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(QPen(Colour(kSelectionRect), 2, Qt::DotLine, Qt::FlatCap, Qt::MiterJoin));
    p->setBrush(Qt::NoBrush);
    p->drawRect(QRectF(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2));
    p->restore();
}

}  // namespace OXA

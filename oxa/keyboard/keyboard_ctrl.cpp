// The keyboard picture: key records, configuration and the operations on
// single keys and on the whole keyboard.
#include "oxa/keyboard/keyboard_ctrl.h"

#include "oxa/core/manager.h"
#include "oxa/core/render.h"
#include "oxa/keyboard/keyboard_ctrl_rainbow.h"
#include "oxa/keyboard/keyboard_tips.h"
#include "oxa/keyboard/repaint_request.h"

namespace OXA {
namespace {

// Pictures from the skin folder, converted once to the format the render
// cache uses so that drawing them is a plain blend.
QImage LoadSkinPicture(const CString& relativePath)
{
    if (relativePath.isEmpty())
        return QImage();
    QImage image = MRender::LoadImage(Manager::GetSkinFolder() + Manager::NormalizePath(relativePath));
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

using KeysGuard = std::lock_guard<std::recursive_mutex>;

}  // namespace

KeyboardCtrl::KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible)
    : MPanel(parent, id, rect, visible)
{
}

KeyboardCtrl::~KeyboardCtrl()
{
    m_tips.reset();  // the tip window goes first: it is owned by our window
    KeysGuard lock(m_keysLock);
    m_keys.clear();
}

void KeyboardCtrl::SetKeyboardImage(const CString& relativePath)
{
    m_picture = LoadSkinPicture(relativePath);
    MarkKeysChanged();
}

void KeyboardCtrl::SetWidthAndHeight(int width, int height)
{
    m_pictureWidth = width;
    m_pictureHeight = height;
    if (!m_rect.IsRectEmpty()) {
        m_offsetX = (m_rect.Width() - width) / 2;
        m_offsetY = 0;
    }
}

void KeyboardCtrl::SetControlRect(CRect rect)
{
    MPanel::SetControlRect(rect);
    if (m_pictureWidth != 0 && m_pictureHeight != 0)
        SetWidthAndHeight(m_pictureWidth, m_pictureHeight);
    UpdateControl(1, 0);
}

int KeyboardCtrl::AddKeyItem(const CString& name, const CString& label, int keyValue, CRect rect,
                             const CString& iconPath, int colour)
{
    auto key = std::make_unique<KEY_INFO>();
    key->keyValue = keyValue;
    key->name = name;
    key->label = label;
    key->rect = rect;
    key->color = COLORREF(colour);
    QImage icon = LoadSkinPicture(iconPath);
    if (!icon.isNull()) {
        key->iconWidth = icon.width();
        key->iconHeight = icon.height();
        key->icon = std::make_unique<QImage>(std::move(icon));
    }
    KeysGuard lock(m_keysLock);
    key->index = int32_t(m_keys.size());
    m_keys.push_back(std::move(key));
    ++m_keysAdded;
    MarkKeysChanged();
    return m_keys.back()->index;
}

void KeyboardCtrl::ClearItem()
{
    KeysGuard lock(m_keysLock);
    m_keys.clear();
    MarkKeysChanged();
}

KEY_INFO* KeyboardCtrl::KeyAt(int index) const
{
    if (index < 0 || size_t(index) >= m_keys.size())
        return nullptr;
    return m_keys[size_t(index)].get();
}

KEY_INFO* KeyboardCtrl::FindKey(int keyValue) const
{
    for (const auto& key : m_keys)
        if (key->keyValue == keyValue)
            return key.get();
    return nullptr;
}

void KeyboardCtrl::SetKeyCheck(int keyValue, int check)
{
    KeysGuard lock(m_keysLock);
    if (KEY_INFO* key = FindKey(keyValue)) {
        key->check = check;
        MarkKeysChanged();
    }
}

void KeyboardCtrl::SetKeyColor(int keyValue, COLORREF colour)
{
    KeysGuard lock(m_keysLock);
    if (KEY_INFO* key = FindKey(keyValue); key && key->color != colour) {
        key->color = colour;
        MarkKeysChanged();
    }
}

void KeyboardCtrl::SetKeyDesc(int keyValue, const CString& text)
{
    KeysGuard lock(m_keysLock);
    if (KEY_INFO* key = FindKey(keyValue)) {
        key->name = text;
        key->label = text;
        MarkKeysChanged();
    }
}

void KeyboardCtrl::SetTipKey(int keyValue, const CString& line1, const CString& line2)
{
    KeysGuard lock(m_keysLock);
    if (KEY_INFO* key = FindKey(keyValue)) {
        key->tipLine1 = line1;
        key->tipLine2 = line2;
    }
}

void KeyboardCtrl::ResetTipKey()
{
    KeysGuard lock(m_keysLock);
    for (const auto& key : m_keys) {
        key->tipLine1.clear();
        key->tipLine2.clear();
    }
}

void KeyboardCtrl::Repaint()
{
    MarkKeysChanged();
    // The whole-keyboard operations may come from the program's worker.
    RequestRepaint(this, 1);
}

void KeyboardCtrl::ResetAllItemCheck(int check)
{
    {
        KeysGuard lock(m_keysLock);
        for (const auto& key : m_keys)
            key->check = check;
        m_selectedIndex = -1;
    }
    Repaint();
}

void KeyboardCtrl::SetAllSelectColor(COLORREF colour)
{
    {
        KeysGuard lock(m_keysLock);
        for (const auto& key : m_keys)
            if (key->check)
                key->color = colour;
        if (KEY_INFO* selected = KeyAt(m_selectedIndex))
            selected->color = colour;
    }
    Repaint();
}

void KeyboardCtrl::ResetAllItemsColor(COLORREF colour)
{
    {
        KeysGuard lock(m_keysLock);
        for (const auto& key : m_keys)
            key->color = colour;
    }
    Repaint();
}

void KeyboardCtrl::SetLightModeColor(int rainbow, COLORREF colour)
{
    if (rainbow == 0) {
        ResetAllItemsColor(colour);
        return;
    }
    {
        KeysGuard lock(m_keysLock);
        for (const auto& key : m_keys) {
            COLORREF band = 0;
            if (RainbowKeyColor(key->keyValue, band))
                key->color = band;
        }
    }
    Repaint();
}

std::vector<KEY_INFO*> KeyboardCtrl::GetKeyItems()
{
    KeysGuard lock(m_keysLock);
    std::vector<KEY_INFO*> items;
    items.reserve(m_keys.size());
    for (const auto& key : m_keys)
        items.push_back(key.get());
    return items;
}

int KeyboardCtrl::GetCheckItemCount()
{
    KeysGuard lock(m_keysLock);
    int count = 0;
    for (const auto& key : m_keys)
        count += key->check ? 1 : 0;
    return count;
}

CRect KeyboardCtrl::GetRealRect(CRect keyRect) const
{
    keyRect.OffsetRect(m_offsetX, m_offsetY);
    return keyRect;
}

CRect KeyboardCtrl::WindowRect(const KEY_INFO& key) const
{
    CRect rect = GetRealRect(key.rect);
    rect.OffsetRect(m_rect.left, m_rect.top);
    return rect;
}

int KeyboardCtrl::KeyIndexAt(CPoint pt) const
{
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (WindowRect(*m_keys[i]).PtInRect(pt))
            return int(i);
    return -1;
}

}  // namespace OXA

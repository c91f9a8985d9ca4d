// Mouse input of the keyboard picture: hover and key tips, presses of both
// buttons and the selection rectangle dragged with either button.
#include <cstdlib>

#include "oxa/core/manager.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/window.h"
#include "oxa/core/window_messages.h"
#include "oxa/keyboard/keyboard_ctrl.h"
#include "oxa/keyboard/keyboard_tips.h"

namespace OXA {
namespace {

// A drag point moves (and the selection is recomputed) only after the mouse
// went further than this from it in one direction.
constexpr int kDragStep = 20;
// A selection rectangle narrower or lower than this selects nothing.
constexpr int kMinSelection = 6;

using KeysGuard = std::lock_guard<std::recursive_mutex>;

}  // namespace

int KeyboardCtrl::OnControlMouseMove(unsigned flags, CPoint pt)
{
    if (!m_enabled)
        return 0;
    if (m_frameSelect && (flags & (MK_LBUTTON | MK_RBUTTON)))
        return OnSelectionMove(pt);
    const int oldHover = m_hoverIndex;
    int result = 0;
    if (!m_rect.PtInRect(pt)) {
        m_hoverIndex = -1;
        HideTip();
        SendMessageW(kNoteLeft, 0, 0);
    } else {
        result = 1;
        SendMessageW(kNoteInside, 0, 0);
        bool stillOnKey = false;
        {
            KeysGuard lock(m_keysLock);
            const KEY_INFO* hovered = KeyAt(m_hoverIndex);
            stillOnKey = hovered && WindowRect(*hovered).PtInRect(pt);
        }
        if (stillOnKey) {
            ShowTip(m_hoverIndex);
            return 1;
        }
        m_hoverIndex = -1;
        HideTip();
        KeysGuard lock(m_keysLock);
        m_hoverIndex = KeyIndexAt(pt);
    }
    if (m_hoverIndex != oldHover)
        UpdateControl(1, 0);
    return result;
}

int KeyboardCtrl::OnSelectionMove(CPoint pt)
{
    if (!m_rect.PtInRect(pt))
        return 0;
    if (std::abs(pt.x - m_dragPoint.x) <= kDragStep && std::abs(pt.y - m_dragPoint.y) <= kDragStep)
        return 1;
    m_dragPoint = pt;
    m_frameDragging = 1;
    ComputeSelection();
    UpdateControl(1, 0);
    return 1;
}

void KeyboardCtrl::ComputeSelection()
{
    CRect selection(m_dragStart.x, m_dragStart.y, m_dragPoint.x, m_dragPoint.y);
    selection.NormalizeRect();
    const bool empty = selection.Width() < kMinSelection || selection.Height() < kMinSelection;
    KeysGuard lock(m_keysLock);
    // The rectangle replaces the checks: keys outside it are unchecked, also
    // those checked before.
    for (const auto& key : m_keys)
        key->check = (!empty && WindowRect(*key).Intersects(selection)) ? 1 : 0;
    MarkKeysChanged();
}

void KeyboardCtrl::ClearDrag()
{
    m_frameDragging = 0;
    m_dragStart = CPoint();
    m_dragPoint = CPoint();
}

void KeyboardCtrl::EndFrameDrag()
{
    ClearDrag();
    UpdateControl(1, 0);
}

int KeyboardCtrl::OnControlLButtonDown(unsigned flags, CPoint pt)
{
    if (!m_enabled)
        return 0;
    if (m_frameDragging)
        EndFrameDrag();
    const bool ctrl = (flags & MK_CONTROL) != 0;
    if (m_frameSelect && !ctrl)
        ResetAllItemCheck(0);
    const int oldSelected = m_selectedIndex;
    int result = 0;
    if (m_rect.PtInRect(pt)) {
        result = 1;
        m_dragStart = pt;
        m_dragPoint = pt;
        m_selectedIndex = m_hoverIndex.load();
        int keyValue = 0;
        bool onKey = false;
        bool checked = false;
        {
            KeysGuard lock(m_keysLock);
            if (KEY_INFO* key = KeyAt(m_hoverIndex)) {
                onKey = true;
                keyValue = key->keyValue;
                if (m_mode == kModeClickOnly && ctrl) {
                    key->check = 1;
                    checked = true;
                    MarkKeysChanged();
                }
            }
        }
        if (!onKey) {
            // No key under the mouse (or a hover index left from before the
            // keys were replaced): the index goes out as it is.
            SendMessageW(kNotePress, unsigned(m_selectedIndex.load()), 0);
        } else {
            if (checked)
                UpdateControl(1, 0);
            m_currentKeyValue = keyValue;
            if (m_mode == kModeClickOnly && m_selectedIndex == oldSelected)
                m_selectedIndex = -1;
            SendMessageW(kNotePress, unsigned(m_selectedIndex.load()), keyValue);
        }
    } else {
        ClearDrag();
    }
    if (m_selectedIndex != oldSelected)
        UpdateControl(1, 0);
    return result;
}

int KeyboardCtrl::OnControlLButtonUp(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    if (m_frameDragging)
        EndFrameDrag();
    if (!m_rect.PtInRect(pt))
        return 0;
    SendMessageW(kNoteRelease, unsigned(m_selectedIndex.load()), 0);
    return 1;
}

int KeyboardCtrl::OnControlRButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled || !m_frameSelect)
        return 0;
    if (m_rect.PtInRect(pt)) {
        m_dragStart = pt;  // the drag point keeps its last value
        return 1;
    }
    ClearDrag();
    return 0;
}

int KeyboardCtrl::OnControlRButtonUp(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    if (m_frameDragging) {
        ClearDrag();
        SendMessageW(kNoteFrameSelected, 0, 0);
        UpdateControl(1, 0);
        return 1;
    }
    if (!m_rect.PtInRect(pt))
        return 0;
    const int oldSelected = m_selectedIndex;
    m_selectedIndex = m_hoverIndex.load();
    int keyValue = 0;
    {
        KeysGuard lock(m_keysLock);
        if (const KEY_INFO* key = KeyAt(m_selectedIndex))
            keyValue = key->keyValue;
    }
    m_currentKeyValue = keyValue;
    SendMessageW(kNoteRightRelease, unsigned(m_selectedIndex.load()), keyValue);
    if (m_selectedIndex != oldSelected)
        UpdateControl(1, 0);
    return 1;
}

void KeyboardCtrl::ShowTip(int index)
{
    if (!m_tipsEnabled || !m_manager)
        return;
    CString label, line1, line2;
    CRect keyRect;
    {
        KeysGuard lock(m_keysLock);
        const KEY_INFO* key = KeyAt(index);
        if (!key)
            return;
        label = key->label;
        line1 = key->tipLine1;
        line2 = key->tipLine2;
        keyRect = WindowRect(*key);
    }
    if (!m_tips) {
        auto tips = std::make_unique<CKeyboardTips>();
        if (!tips->CreateTipWindow(m_manager->GetPaintWnd()))
            return;
        tips->LoadBKImage(u"img_tip_bk.png"_qs);
        m_tips = std::move(tips);
    }
    CPoint anchor((keyRect.left + keyRect.right) / 2, keyRect.top);
    if (MWindow* window = m_manager->GetMDialog())
        anchor = window->ClientToScreen(anchor);
    if (line1.isEmpty() && line2.isEmpty())
        m_tips->SetAirBladderMsg(label, u"Keyboard"_qs, label, anchor);
    else
        m_tips->SetAirBladderMsg(label, line1, line2, anchor);
    if (!m_tips->IsWindowVisible())
        m_tips->ShowWindow(SW_SHOWNOACTIVATE);
}

void KeyboardCtrl::SetControlVisible(int visible)
{
    MPanel::SetControlVisible(visible);
    if (!visible) {
        m_hoverIndex = -1;
        HideTip();
    }
}

void KeyboardCtrl::HideTip()
{
    if (m_tips && m_tips->IsWindowVisible())
        m_tips->ShowWindow(SW_HIDE);
}

}  // namespace OXA

#pragma once
// The keyboard picture: one clickable rectangle per key over the picture of
// the keyboard. Depending on its mode it draws the key caps (100), marks
// checked, hovered, selected and locked keys behind a picture with
// transparent caps (101), shows every key in its own colour with optional
// selection frames and a drag rectangle (102), only the colours (103), or
// nothing (20, which only changes the click rules).
//
// The key records are handed out by pointer and may be read and changed by
// another thread (the program's worker writes key colours while the window
// paints): every access to the list or a record's fields holds KeysLock().
#include <QFont>
#include <QImage>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "oxa/core/panel.h"

class QPainter;

namespace OXA {

class CKeyboardTips;

// One key. The field order is part of the interface: the program reads the
// fields in place (holding KeyboardCtrl::KeysLock()).
struct KEY_INFO {
    int32_t index = 0;         // position in the list, fixed at creation
    int32_t keyValue = 0;      // the key's code; every lookup uses it
    CString name;              // drawn on the cap (modes 100 and 101)
    CString label;             // title of the key's tip
    CString tipLine1;          // first tip line; empty by default
    CString tipLine2;          // second tip line; empty by default
    CRect rect;                // in keyboard-picture coordinates
    int32_t check = 0;         // 0/1: part of the multi-selection
    int32_t lockFlag = 0;      // non-zero: red frame in mode 101
    COLORREF color = 0;        // 0x00BBGGRR
    std::unique_ptr<QImage> icon;  // optional picture on the cap
    int32_t iconWidth = 0;
    int32_t iconHeight = 0;
};

class OXA_API KeyboardCtrl : public MPanel {
public:
    // Drawing and selection modes.
    static constexpr int kModeCaps = 100;
    static constexpr int kModeAssign = 101;
    static constexpr int kModeLight = 102;
    static constexpr int kModeMusic = 103;
    static constexpr int kModeClickOnly = 20;

    // Notification codes sent to the parent.
    static constexpr unsigned kNotePress = 1;
    static constexpr unsigned kNoteRelease = 2;
    static constexpr unsigned kNoteRightRelease = 5;
    static constexpr unsigned kNoteLeft = 12;
    static constexpr unsigned kNoteInside = 13;
    static constexpr unsigned kNoteFrameSelected = 24;

    KeyboardCtrl(MObject* parent, unsigned id, CRect rect, int visible = 1);
    ~KeyboardCtrl() override;

    // --- filling and configuring (no repaint) --------------------------------
    // The picture relative to the skin folder; a picture that cannot be
    // loaded leaves none.
    void SetKeyboardImage(const CString& relativePath);
    // The size the picture is drawn at; centres it horizontally at the top
    // of a non-empty control.
    void SetWidthAndHeight(int width, int height);
    // Appends a key (icon relative to the skin folder, may be empty) and
    // returns its index.
    int AddKeyItem(const CString& name, const CString& label, int keyValue, CRect rect, const CString& iconPath,
                   int colour);
    // Deletes every key; hover and selected indices stay as they are.
    void ClearItem();
    void SetKeyboardCtrlMode(int mode) { m_mode = mode; }
    void SetKeyboardColor(COLORREF colour) { m_keyboardColor = ColorRefToArgb(colour); }
    void EnableFrameSelect(int enable) { m_frameSelect = enable; }
    void EnableKBTips(bool enable) { m_tipsEnabled = enable; }

    // --- per key, by key value: the first match; no repaint --------------------
    void SetKeyCheck(int keyValue, int check);
    void SetKeyColor(int keyValue, COLORREF colour);
    // Sets both the name and the label.
    void SetKeyDesc(int keyValue, const CString& text);
    void SetTipKey(int keyValue, const CString& line1, const CString& line2);
    void ResetTipKey();

    // --- whole keyboard (repaint when visible) ----------------------------------
    void ResetAllItemCheck(int check = 0);
    // The colour goes to every checked key and to the selected key.
    void SetAllSelectColor(COLORREF colour);
    void ResetAllItemsColor(COLORREF colour);
    // rainbow 0: every key takes colour; otherwise each key whose value is
    // in the rainbow table takes its colour there.
    void SetLightModeColor(int rainbow, COLORREF colour);

    // --- reading -------------------------------------------------------------------
    // A copy of the list; the records stay owned by the control and are valid
    // until ClearItem or destruction.
    std::vector<KEY_INFO*> GetKeyItems();
    int GetCheckItemCount();
    int GetCurrentKeyValue() const { return m_currentKeyValue; }
    // A key rect moved by the picture offsets.
    CRect GetRealRect(CRect keyRect) const;
    std::recursive_mutex& KeysLock() { return m_keysLock; }

    int GetKeyboardCtrlMode() const { return m_mode; }
    ARGB GetKeyboardColor() const { return m_keyboardColor; }
    int IsFrameSelectEnabled() const { return m_frameSelect; }
    bool IsKBTipsEnabled() const { return m_tipsEnabled; }
    int GetHoverIndex() const { return m_hoverIndex; }
    int GetSelectedIndex() const { return m_selectedIndex; }
    int GetKeysAdded() const { return m_keysAdded; }
    int GetOffsetX() const { return m_offsetX; }
    int GetOffsetY() const { return m_offsetY; }
    CSize GetPictureSize() const { return CSize(m_pictureWidth, m_pictureHeight); }
    bool HasKeyboardImage() const { return !m_picture.isNull(); }
    int IsFrameDragging() const { return m_frameDragging; }
    CPoint GetDragStart() const { return m_dragStart; }
    CPoint GetDragPoint() const { return m_dragPoint; }
    // The key tip window once a tip has been shown, else null.
    CKeyboardTips* GetTipWindow() const { return m_tips.get(); }

    // --- control overrides ------------------------------------------------------------
    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    // Hiding the control also hides its key tip: a hidden control gets no
    // move that would take the tip away.
    void SetControlVisible(int visible) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    int OnControlRButtonDown(unsigned flags, CPoint pt) override;
    int OnControlRButtonUp(unsigned flags, CPoint pt) override;

private:
    // Record at index, or null when the index is outside the list (keys
    // lock held by the caller).
    KEY_INFO* KeyAt(int index) const;
    KEY_INFO* FindKey(int keyValue) const;
    // A key's rect in window coordinates.
    CRect WindowRect(const KEY_INFO& key) const;
    // Index of the first key containing the window point, -1 for none.
    int KeyIndexAt(CPoint pt) const;
    // The record state changed: the next paint renders afresh (callers on
    // other threads cannot mark the cache stale themselves).
    void MarkKeysChanged() { m_keysChanged.store(true, std::memory_order_release); }
    void Repaint();

    // Drawing (keyboard_ctrl_draw.cpp).
    void RenderKeyboard(QPainter& p);
    void DrawPicture(QPainter& p) const;
    void DrawCaps(QPainter& p);
    void DrawCap(QPainter& p, const KEY_INFO& key, CRect rect);
    void DrawKeyFrame(QPainter& p, int index, ARGB colour, int width) const;
    void DrawSelectionRect(HDC& hdc) const;
    const QFont& CapFont();

    // Mouse (keyboard_ctrl_mouse.cpp).
    int OnSelectionMove(CPoint pt);
    void ComputeSelection();
    void EndFrameDrag();
    void ClearDrag();
    void ShowTip(int index);
    void HideTip();

    std::vector<std::unique_ptr<KEY_INFO>> m_keys;
    mutable std::recursive_mutex m_keysLock;
    std::atomic<bool> m_keysChanged{true};
    // Read by the program from any thread; changed by input on the window's.
    std::atomic<int> m_currentKeyValue{0};
    bool m_tipsEnabled = false;
    std::atomic<int> m_keysAdded{0};
    std::atomic<int> m_hoverIndex{-1};
    std::atomic<int> m_selectedIndex{-1};
    QImage m_picture;  // premultiplied once at load: drawn as is on every render
    int m_mode = kModeCaps;
    int m_offsetX = 6;
    int m_offsetY = 6;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    float m_scale = 1.0f;
    int m_frameSelect = 0;
    int m_frameDragging = 0;
    CPoint m_dragStart;
    CPoint m_dragPoint;
    ARGB m_keyboardColor = 0xFFFFFFFFu;
    QFont m_capFont;
    bool m_hasCapFont = false;
    std::unique_ptr<CKeyboardTips> m_tips;
};

}  // namespace OXA

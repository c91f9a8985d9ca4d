#pragma once
// Single-line edit field drawn by the library itself. While editing (after a
// press in its text area or ShowEdit) it keeps a caret and a selection,
// takes characters, input-method commits and the clipboard keys, and
// reports: 30 edit shown, 26 text changed, 29 editing ended, 1/2 press and
// release in the text area, 9/31 press and release on the icon.
#include "oxa/controls/icon_strip.h"
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MEdit : public MControlFont {
public:
    // The title becomes the tip text shown while the field is empty.
    MEdit(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
          int enabled = 1);

    void SetTipInfo(const CString& tip);
    CString GetTipInfo() const { return m_tip; }
    void SetEditText(const CString& text);
    CString GetEditText() const { return m_text; }
    void ShowEdit();
    void HideEdit();
    int IsEditing() const { return m_editing; }
    void SetLimitText(int limit);
    int GetLimitText() const { return m_limit; }
    void EnablePassWord(int enable);
    void SetPassWordChar(QChar c) { m_passwordChar = c; }
    void SetReadOnly(int readOnly) { m_readOnly = readOnly; }
    void SetNumberOnly(int numberOnly) { m_numberOnly = numberOnly; }
    void EnableMultLine(int multi) { m_multiLine = multi; }
    void EnableCharMessage(int enable) { m_charMessages = enable; }
    void SetEditBKColor(COLORREF color) { m_editBack = color; }
    int SetIconImage(const CString& path, int frames);
    // Text area relative to the control's top-left corner.
    void SetTextRect(CRect rect);

    // Caret and selection (UTF-16 positions).
    int GetCaret() const { return m_caret; }
    void SetSel(int anchor, int caret);
    CString GetSelText() const;
    // Inserts typed or pasted text over the selection, filtered by the
    // digits-only flag and cut to the limit without splitting a character.
    // Returns the number of code units inserted.
    int InsertText(const CString& text);
    // Input-method composition while editing: preedit shown at the caret,
    // commit inserted (filtered like typed text). 0 when not editing.
    int OnInputMethod(const CString& commit, const CString& preedit) override;
    // Accepts input-method text while editing; rect is the caret.
    int GetInputMethodCursor(CRect& rect) override;
    CString GetPreedit() const { return m_preedit; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int SetControlFocus(int focus) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) override;

private:
    CRect TextRect() const;
    CRect IconRect() const;
    CString Shown() const;
    int CaretX();
    bool HasSelection() const { return m_anchor != m_caret; }
    void DeleteSelection();
    void Changed();
    void Copy() const;

    CString m_text;
    CString m_tip;
    CString m_preedit;
    int m_limit = 120;
    int m_password = 0;
    QChar m_passwordChar = u'*';
    int m_readOnly = 0;
    int m_numberOnly = 0;
    int m_multiLine = 0;
    int m_charMessages = 1;
    COLORREF m_editBack = 0x222527;
    int m_editing = 0;
    int m_caret = 0;
    int m_anchor = 0;
    int m_pressed = 0;  // 1 text area, 2 icon
    CRect m_textRect;
    IconStrip m_icon;
};

}  // namespace OXA

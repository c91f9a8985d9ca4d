#pragma once
// Windowless multi-line text editor drawn by the library: word-wrapped
// lines scrolled by the panel's vertical bar, a caret shown through the
// window's manager while the control has the keyboard focus, a selection,
// the clipboard keys and input-method text. Codes: 1 (0, 0) on a press,
// 2 (0, 0) on the release after it.
#include <QFont>
#include <QPointF>
#include <memory>

#include "oxa/core/panel.h"

class QTextLayout;

namespace OXA {

class OXA_API MRichEdit : public MPanel {
public:
    // The title is the initial text.
    MRichEdit(MObject* parent, unsigned id, CRect rect, const CString& title = CString(), int visible = 1,
              int enabled = 1);
    ~MRichEdit() override;

    void SetText(const CString& text);
    CString GetText() const { return m_text; }
    void SetReadOnly(int readOnly);
    int IsReadOnly() const { return m_readOnly; }
    // Single-line mode drops line feeds and does not wrap.
    void SetMultiLine(int multiLine);
    int IsMultiLine() const { return m_multiLine; }
    void SetLimitText(int limit);
    int GetLimitText() const { return m_limit; }
    void SetBackColor(ARGB colour);
    // Caret and selection as UTF-16 positions.
    void SetSel(int anchor, int caret);
    int GetCaret() const { return m_caret; }
    int GetAnchor() const { return m_anchor; }
    CString GetSelText() const;
    // Inserts over the selection (limit, single-line and control characters
    // applied); returns the number of code units inserted.
    int ReplaceSel(const CString& text);
    int GetLineCount();
    // The text position under a window point.
    int PositionAt(CPoint pt);
    // The caret in window coordinates (1 pixel wide).
    CRect CaretRect();

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int DrawSubControls(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    void SetControlVisible(int visible) override;
    void SetControlEnabled(int enabled) override;
    int SetControlFocus(int focus) override;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    int OnControlLButtonDblClk(unsigned flags, CPoint pt) override;
    int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) override;
    int OnInputMethod(const CString& commit, const CString& preedit) override;
    int GetInputMethodCursor(CRect& rect) override;

protected:
    // Text shown in place of an empty text while unfocused (none here).
    virtual CString PlaceholderText() const { return CString(); }
    // Where the text is laid out, in window coordinates.
    CRect TextArea() const;
    // Called after every change of the text by typing or pasting.
    virtual void OnTextChanged() {}
    int m_readOnly = 0;

private:
    QTextLayout& Layout();
    // Where the first line starts, in window coordinates.
    QPointF Origin();
    void Invalidate();
    void Remeasure();
    void MoveCaret(int pos, bool extend);
    void ScrollToCaret();
    void PlaceCaret();
    void DeleteSelection();
    int LineOf(int pos);

    CString m_text;
    CString m_preedit;
    int m_multiLine = 1;
    int m_limit = 0x7FFFFFFF;
    ARGB m_back = 0;
    int m_caret = 0;
    int m_anchor = 0;
    bool m_pressed = false;
    bool m_selecting = false;
    bool m_mouseInside = false;
    int m_hScroll = 0;  // single-line horizontal offset
    std::unique_ptr<QTextLayout> m_layout;
    bool m_layoutValid = false;
};

}  // namespace OXA

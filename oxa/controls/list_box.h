#pragma once
// List of text rows (item height 32 by default) with a selection and a hover
// row, scrolled by the panel's vertical bar. Codes: 1 (row) on a press, 2
// (row) on a release over a row, 3 (row) on a double-click, 5 (row or -1)
// on a right-button release. After EnableShowEdit(1) the selected row can be
// renamed in place (double-click or ShowEdit): an MEdit child over the row's
// text area sends 26 while typing; ending it stores the text and sends 29
// (0, edited row).
#include <vector>

#include "oxa/core/panel.h"

class QImage;

namespace OXA {

class MEdit;

class OXA_API MListBox : public MPanel {
public:
    MListBox(MObject* parent, unsigned id, CRect rect, int visible = 1);

    // Append; return the new index.
    int AddString(const CString& text, int value);
    int AddString(const CString& text, long data, int value);
    // -1 appends; an index below -1 or past the end gives -1.
    int InsertString(int index, const CString& text, int value, long data);
    int DeleteItem(int index);
    void DeleteAllItems();
    int GetItemCount() const { return int(m_items.size()); }
    CString GetItemText(int index) const;
    int GetItemValue(int index) const;
    int ModifyItemString(int index, const CString& text);
    int SetItemData(int index, long data);
    long GetItemData(int index) const;
    int FindString(const CString& text) const;
    int FindItemData(long data) const;
    // Out of range (other than -1) returns 0 and changes nothing.
    int SetCurSel(int index);
    int GetCurSel() const { return m_cur; }
    // Selects the first row with that data; 0 when none.
    int SetCurData(long data);
    long GetCurData() const;
    int GetHoverIndex() const { return m_hover; }
    void SetItemHeight(int height);
    int GetItemHeight() const { return m_itemHeight; }
    // The row in window coordinates before scrolling; empty when out of range.
    CRect GetItemRect(int index) const;
    int SwapItem(int first, int second);
    // Row icons come from SetImage: frame 0 normal, frame 1 selected.
    // The row under a point of content coordinates, or -1.
    int ItemAt(CPoint pt) const;

    // In-place renaming of the selected row.
    void EnableShowEdit(int enable) { m_showEdit = enable; }
    // Does nothing without EnableShowEdit(1), a selection or while disabled.
    void ShowEdit();
    // Stores the edited text into its row and sends 29 (0, row).
    void HideEdit();
    int GetEditIndex() const { return m_editIndex; }
    MEdit* GetEdit() const { return m_edit; }
    // 4-frame strip drawn behind the row being edited (nine-slice, border 6).
    int SetEditImage(const CString& path, int frames);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;
    int OnControlLButtonDblClk(unsigned flags, CPoint pt) override;
    int OnControlRButtonUp(unsigned flags, CPoint pt) override;

private:
    struct Item {
        CString text;
        int value = 0;
        long data = 0;
    };
    bool Valid(int index) const { return index >= 0 && index < int(m_items.size()); }
    // Where rows end on the right: the left edge of the vertical bar while
    // it is shown, else the list's right edge.
    int RowRight() const;
    void Remeasure();
    void FinishEdit();

    std::vector<Item> m_items;
    int m_cur = -1;
    int m_hover = -1;
    int m_itemHeight = 32;
    int m_showEdit = 0;
    int m_editIndex = -1;
    MEdit* m_edit = nullptr;
    const QImage* m_editImage = nullptr;
    int m_editFrames = 4;
};

}  // namespace OXA

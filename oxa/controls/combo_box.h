#pragma once
// Drop-down choice: the closed box shows the selected item's text over its
// background; a click opens a popup list under it, and choosing a row there
// selects that item and sends code 2 (index, 0).
#include <memory>
#include <vector>

#include "oxa/core/control_font.h"

namespace OXA {

class CComboBoxWnd;

class OXA_API MComboBox : public MControlFont {
public:
    MComboBox(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);
    ~MComboBox() override;

    int AddItem(const CString& text, long data = 0, const CString& icon = CString(), ARGB colour = 0);
    // -1 appends; an index below -1 or past the end gives -1.
    int InsertItem(int index, const CString& text, long data = 0, const CString& icon = CString(), ARGB colour = 0);
    int DeleteItem(int index);
    void DelAllItems();
    int GetItemCount() const { return int(m_items.size()); }
    CString GetItemText(int index) const;
    int SetItemText(int index, const CString& text);
    int SetItemData(int index, long data);
    long GetItemData(int index) const;
    // -1 clears the shown text; out of range returns 0; no notification.
    int SetCurSel(int index);
    int GetCurSel() const { return m_cur; }
    long GetCurData() const { return GetItemData(m_cur); }
    int FindData(long data) const;
    // Selects the first item with that data; 0 when none.
    int SelectData(long data);
    int SetBackImage(const CString& path);
    void SetShowModeMID(int left, int top, int right, int bottom);
    void SetScrollResID(unsigned vertical, unsigned horizontal);
    void SetTextRect(CRect rect);

    // Opens the drop-down under the box; returns 0 when it cannot.
    int ShowDropDown();
    void CloseDropDown();
    // The open drop-down window, or null.
    CComboBoxWnd* GetDropDown() const;
    // Height of the drop-down for the current items.
    int DropDownHeight() const;

    void DrawControl(HDC& hdc, CRect paint) override;
    long OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

    struct Item {
        CString text;
        CString icon;
        ARGB colour = 0;
        long data = 0;
    };
    const std::vector<Item>& Items() const { return m_items; }

private:
    bool Valid(int index) const { return index >= 0 && index < int(m_items.size()); }

    std::vector<Item> m_items;
    int m_cur = -1;
    bool m_pressed = false;
    CRect m_mid{8, 8, 8, 8};
    CRect m_textRect;
    unsigned m_scrollV = 0, m_scrollH = 0;
    std::unique_ptr<CComboBoxWnd> m_drop;
};

}  // namespace OXA

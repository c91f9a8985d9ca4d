#pragma once
// Tab strip: tabs laid out one after another (horizontally or vertically),
// each with an image strip (normal, hover, selected), a title and the page
// control it shows. Selecting a tab sends code 1 (index); a press on a
// tab's small button sends code 9 (index) instead. With the change
// animation on, the selected tab's highlight slides from the previous tab
// to the new one on a 30 ms control timer; with tab tooltips on, a hovered
// tab shows its title as a tooltip.
#include <vector>

#include "oxa/core/control_font.h"

namespace OXA {

enum TAB_TYPE { TAB_TYPE_HORIZONTAL = 0, TAB_TYPE_VERTICAL = 1 };

struct TabItemInfo {
    int visible = 1;
    const QImage* image = nullptr;
    int frameWidth = 0;
    int frameHeight = 0;
    int frames = 3;
    CString title;
    unsigned id = 0;
    MControl* page = nullptr;
    int width = 0;   // 0: the strip's default
    int height = 0;  // 0: the strip's default
    CRect rect;      // laid out by RefreshItems
    CRect button;    // small button, relative to the tab; empty for none
    int state = 0;   // 0 normal, 1 hover, 2 selected
};

class OXA_API MTabCtrl : public MControlFont {
public:
    MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    // frames -1 means 3; the image is relative to the skin folder.
    int InsertItem(unsigned id, const CString& title, const CString& imagePath, MControl* page, int frames = -1,
                   int reserved = 0);
    // -1 appends; -1 is returned for an index out of range.
    int InsertItem(int index, const TabItemInfo& info);
    int DeleteItem(int index);
    int GetItemCount() const { return int(m_items.size()); }
    TabItemInfo* GetItemInfo(int index);
    unsigned GetItemID(int index) const;
    void SetItemText(int index, const CString& text);
    void SetItemVisible(int index, int visible);
    int GetItemVisible(int index) const;
    void SetItemWidth(int index, int normal, int reserved = 0);
    void SetItemHeight(int index, int normal, int reserved = 0);
    void SetItemButton(int index, CRect relative);
    // Default size of a tab.
    void SetTabCtrlWidth(int width);
    void SetTabCtrlHeight(int height);
    void SetLeftRightPading(int left, int right);
    void SetTopBottomPading(int top, int bottom);
    void SetTabType(TAB_TYPE type);
    void EnableAnimateChangeTab(int enable);
    void SetTabTooltip(int enable);
    int IsChangeAnimating() const { return m_animStep >= 0; }
    // Where the selected tab's highlight is drawn now (it moves while the
    // change animation runs); empty without a selection.
    CRect GetHighlightRect() const;
    // Ignored for the current or an invalid index; returns the previous one.
    int SetSelectItem(int index);
    int GetSelectItem() const { return m_cur; }
    int GetPrevSelectItem() const { return m_prev; }
    void RefreshItems();
    int ItemAt(CPoint pt) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlTimer() override;

private:
    void StopAnimation();
    void ShowHoverTooltip();

    bool Valid(int index) const { return index >= 0 && index < int(m_items.size()); }

    std::vector<TabItemInfo> m_items;
    int m_cur = -1;
    int m_prev = -1;
    int m_hover = -1;
    int m_tabWidth = 100;
    int m_tabHeight = 0;  // 0: the strip's height (or width when vertical)
    int m_padLeft = 0, m_padRight = 0, m_padTop = 0, m_padBottom = 0;
    TAB_TYPE m_type = TAB_TYPE_HORIZONTAL;
    int m_animate = 0;
    int m_tooltips = 0;
    int m_animStep = -1;  // -1: no change animation running
    CRect m_animFrom;
};

}  // namespace OXA

#pragma once
// The scroll bars every panel owns (children 1 and 2): a range, a page, a
// position moved by rows, pages or dragging the thumb.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MScroll : public MControlFont {
public:
    MScroll(MObject* parent, unsigned id, CRect rect, bool vertical, int visible = 1, int enabled = 1);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

    bool IsVertical() const { return m_vertical; }
    // Range (maximum position, default 1000); the position is clamped to it.
    void SetScrollRange(int maximum);
    int GetScrollRange() const { return m_max; }
    // Page size; 0 = the bar's own length (or range / 10 when the length is
    // less than a tenth of the range).
    void SetPage(int page) { m_page = page; }
    int GetPage() const;
    void SetScrollPos(int pos);
    int GetScrollPos() const { return m_pos; }
    void SetRowStep(int step) { m_rowStep = step; }
    // Moves by n rows (clamped); true when the position changed.
    bool ScrollRow(int rows);
    // Thumb geometry along the bar: length and offset from the bar's start.
    int TrackLength() const;
    int ThumbLength() const;
    int ThumbOffset() const;
    bool IsDragging() const { return m_dragging; }

private:
    CRect ThumbRect() const;
    int Along(CPoint pt) const { return m_vertical ? pt.y - m_rect.top : pt.x - m_rect.left; }
    void MoveThumbTo(int offset);

    bool m_vertical;
    int m_max = 1000;
    int m_page = 0;
    int m_pos = 0;
    int m_rowStep = 10;
    bool m_dragging = false;
    bool m_hoverThumb = false;
    int m_dragGrab = 0;
};

class OXA_API CScrollVertical : public MScroll {
public:
    CScrollVertical(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1)
        : MScroll(parent, id, rect, true, visible, enabled)
    {
    }
};

class OXA_API CScrollHorizontal : public MScroll {
public:
    CScrollHorizontal(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1)
        : MScroll(parent, id, rect, false, visible, enabled)
    {
    }
};

}  // namespace OXA

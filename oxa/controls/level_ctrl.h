#pragma once
// Level bar: a row of equal segments (5 by default) of which the first
// "level" are lit. A press on a segment chooses its level (1-based) and
// sends code 2 (level, 0). With an image strip set, frame 0 draws an unlit
// segment and frame 1 a lit one; otherwise plain colours are used.
#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API MLevelCtrl : public MControlFont {
public:
    MLevelCtrl(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    // At least 1; the level is clamped to the new count.
    void SetLevelCount(int count);
    int GetLevelCount() const { return m_count; }
    // 0..count (0 lights nothing); out of range is clamped. No notification.
    int SetLevel(int level);
    int GetLevel() const { return m_level; }
    // The segment (0-based) under a point, or -1.
    int SegmentAt(CPoint pt) const;
    CRect GetSegmentRect(int index) const;

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonDown(unsigned flags, CPoint pt) override;

private:
    static constexpr int kGap = 2;
    int m_count = 5;
    int m_level = 0;
};

}  // namespace OXA

#pragma once
// Sliding picture show: a list of pictures (skin-relative) of which one
// fills the control; choosing another slides the new one in from the right
// (or from the left when going back) over 10 ticks of the window's tick.
// Next/Prev wrap around. A click sends code 2 (shown index, 0).
#include <vector>

#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API CSliderPicture : public MControlFont {
public:
    CSliderPicture(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    // Appends a picture; its index, or -1 when not loadable or not attached.
    int AddImage(const CString& path);
    void DeleteAllImages();
    int GetImageCount() const { return int(m_pictures.size()); }
    // Out of range or the current index: 0 and nothing happens.
    int SetCurIndex(int index);
    int GetCurIndex() const { return m_cur; }
    void Next();
    void Prev();
    bool IsSliding() const { return m_step < kSteps; }

    int OnControlTimer() override;
    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlLButtonUp(unsigned flags, CPoint pt) override;

private:
    static constexpr int kSteps = 10;
    std::vector<const QImage*> m_pictures;
    int m_cur = -1;
    int m_previous = -1;
    int m_direction = 1;  // 1 new picture enters from the right, -1 from the left
    int m_step = kSteps;  // kSteps when at rest
};

}  // namespace OXA

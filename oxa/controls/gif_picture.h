#pragma once
// Animated GIF stretched over the control. On the window's tick (after
// AddMTimer) it shows the next frame every fifth tick while running; the
// delays stored in the file are not used.
#include <vector>

#include "oxa/core/control_font.h"

namespace OXA {

class OXA_API CGifPicture : public MControlFont {
public:
    CGifPicture(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    // Relative to the skin folder; 0 when not attached or not loadable.
    int SetImage(const CString& path, int frames) override;
    using MControlFont::SetImage;
    int GetFrameCount() const { return int(m_frames.size()); }
    int GetCurrentFrame() const { return m_frame; }
    // Only for pictures of more than one frame (else 0): selects frame and
    // starts (run 1) or stops the animation.
    int SetRunState(int run, int frame);
    int IsRun() const { return m_running; }
    void SetMouseMoveActive(bool active) { m_mouseActive = active; }

    void DrawControl(HDC& hdc, CRect paint) override;
    int OnControlTimer() override;
    int OnControlMouseMove(unsigned flags, CPoint pt) override;

private:
    std::vector<QImage> m_frames;
    int m_frame = 0;
    int m_ticks = 0;
    bool m_mouseActive = false;
};

}  // namespace OXA

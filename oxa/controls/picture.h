#pragma once
// One picture from the skin folder drawn in one of six modes: own size by
// alignment, tiled, stretched, nine-slice, nine-slice with four borders, or
// a chosen source rectangle stretched.
#include "oxa/core/control_font.h"

namespace OXA {

enum enumShowMode {
    SHOW_MODE_NORMAL = 0,
    SHOW_MODE_TILE = 1,
    SHOW_MODE_STRETCH = 2,
    SHOW_MODE_FRAME = 3,
    SHOW_MODE_FRAME_MID = 4,
    SHOW_MODE_CUSTOM = 5,
};

class OXA_API MPicture : public MControlFont {
public:
    MPicture(MObject* parent, unsigned id, CRect rect, int visible = 1, int enabled = 1);

    void DrawControl(HDC& hdc, CRect paint) override;
    // A failed load clears the picture.
    int SetImage(const CString& path, int frames) override;
    int SetImage(unsigned resourceId, const CString& type, int frames) override;

    // 0 when mode (and, for the nine-slice, the border) is unchanged.
    int SetShowMode(enumShowMode mode, int border = 0);
    enumShowMode GetShowMode() const { return m_mode; }
    void SetShowModeMID(int left, int top, int right, int bottom);
    void SetCustomRect(CRect source);
    // Frame of the strip shown (0 by default).
    void SetFrame(int frame);

private:
    void ClearPicture();

    enumShowMode m_mode = SHOW_MODE_NORMAL;
    int m_border = 0;
    CRect m_mid;
    CRect m_custom;
    int m_frame = 0;
};

}  // namespace OXA

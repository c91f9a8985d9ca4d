#pragma once
// Page container: draws nothing itself and takes the mouse only where one of
// its children does, so presses on empty parts of a page reach the window.
#include "oxa/core/panel.h"

namespace OXA {

class OXA_API MTabLayout : public MPanel {
public:
    MTabLayout(MObject* parent, unsigned id, CRect rect, int visible = 1);
    int OnCheckMouseResponse(unsigned flags, CPoint pt) override;
};

}  // namespace OXA

#pragma once
// A button-family control that keeps showing one state frame (hover or
// pressed) whatever the mouse does, so the gallery can show those states
// side by side with the live controls.
#include "oxa/core/geometry.h"

namespace gallery {

template <typename Button>
class PinnedState : public Button {
public:
    using Button::Button;

    // 0 normal, 1 hover, 2 pressed; call once the control is attached.
    void Pin(int state) { this->SetState(state); }

    int OnControlMouseMove(unsigned, OXA::CPoint) override { return 0; }
    int OnControlLButtonDown(unsigned, OXA::CPoint) override { return 0; }
    int OnControlLButtonUp(unsigned, OXA::CPoint) override { return 0; }
};

}  // namespace gallery

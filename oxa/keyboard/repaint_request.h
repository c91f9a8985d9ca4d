#pragma once
// Repaint requests from controls whose state the program's worker thread
// changes (device presence, battery level). On the window's thread, or on a
// thread that holds the UI lock, the request takes the usual path through
// the parent chain; from any other thread only the window is invalidated,
// which is safe there, and the control renders afresh at the next paint.
#include "oxa/core/control.h"

namespace OXA {

void RequestRepaint(MControl* control, int redraw);

}  // namespace OXA

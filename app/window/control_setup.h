#pragma once
// Small set-up steps the main window and its dialogs repeat for their
// controls.
#include "oxa/core/control_font.h"

// Keeps the control's face; changes size and style (1 bold).
inline void SetFontSize(OXA::MControlFont* control, int size, int style = 0)
{
    if (control) control->SetFont(control->GetFontFace(), size, style);
}

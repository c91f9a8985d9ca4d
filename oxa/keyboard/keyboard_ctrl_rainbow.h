#pragma once
// The fixed rainbow colouring of the keyboard picture: one colour per key
// code, in bands running across the keyboard.
#include "oxa/core/types.h"

namespace OXA {

// The rainbow colour (0x00BBGGRR) of a key code; false for codes outside the
// table.
bool RainbowKeyColor(int keyValue, COLORREF& colour);

}  // namespace OXA

#pragma once
// The decimal text of a colour channel field (R, G or B).
#include "platform/cstring.h"

// Leading blanks, an optional sign and the digits that follow, as a decimal
// number; a text without leading digits reads as 0. Very long numbers
// saturate instead of overflowing.
int ParseChannelText(const CString& text);

// The number limited to a channel's 0..255.
int ClampChannel(int value);

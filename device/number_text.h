#pragma once
// Conversions of attribute texts to numbers, as the data files use them: a text
// that is not a number reads as 0, trailing characters after the digits are
// ignored, values are clamped to the 32-bit range.
#include "platform/cstring.h"

// Optional white space and sign, then decimal digits.
int DecimalValue(const CString& text);
// Optional white space and "0x"/"0X", then hexadecimal digits (no sign).
unsigned HexValue(const CString& text);
// True when the text is a plain decimal number (optional sign), nothing else.
bool IsDecimalText(const CString& text);
// True when the text is a plain hexadecimal number (optional "0x"), nothing else.
bool IsHexText(const CString& text);

#pragma once
// Conversions between the three key numbering systems the program meets:
// key codes (HID keyboard usages, as in layout files, the store and the
// keyboard), device key codes (modifiers as bits) and Windows virtual-key
// codes (macro records and key capture).
#include "platform/cstring.h"

// True for a key code a layout or the store may hold: the HID keyboard usages
// 0x04..0xE7, Fn (0xAF) and the media codes 0xE8..0xF9.
bool IsKeyCode(int code);
// Key code -> device key code: 0xE0..0xE7 become modifier bits, others unchanged.
int UsageToDeviceCode(int code);
// Virtual-key code -> key code; 0 when the code has no key code.
int VirtualKeyToUsage(int virtualKey);
// Key code -> display text as stored; empty when not listed.
CString UsageName(int code);

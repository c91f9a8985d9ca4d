// The keyboard layout data the key names rest on: virtual-key code to set-1
// scan code, and scan code to key-name text, both as the English (US) layout
// of Windows gives them, so that names read the same as on that system.
#include "device/key_names.h"

#include <cstdint>

namespace {

constexpr int kExtended = 0x100;

// Scan codes of the letters A..Z on the US layout.
constexpr uint8_t kLetterScans[26] = {
    0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
    0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

struct ScanName {
    uint16_t scan;
    const char* name;
};

// Key-name texts by scan code, ascending. Character keys are named by the
// character they type without Shift; the keys of the numeric pad carry "Num".
constexpr ScanName kScanNames[] = {
    {0x01, "Esc"}, {0x02, "1"}, {0x03, "2"}, {0x04, "3"}, {0x05, "4"}, {0x06, "5"},
    {0x07, "6"}, {0x08, "7"}, {0x09, "8"}, {0x0A, "9"}, {0x0B, "0"}, {0x0C, "-"},
    {0x0D, "="}, {0x0E, "Backspace"}, {0x0F, "Tab"},
    {0x10, "Q"}, {0x11, "W"}, {0x12, "E"}, {0x13, "R"}, {0x14, "T"}, {0x15, "Y"},
    {0x16, "U"}, {0x17, "I"}, {0x18, "O"}, {0x19, "P"}, {0x1A, "["}, {0x1B, "]"},
    {0x1C, "Enter"}, {0x1D, "Ctrl"},
    {0x1E, "A"}, {0x1F, "S"}, {0x20, "D"}, {0x21, "F"}, {0x22, "G"}, {0x23, "H"},
    {0x24, "J"}, {0x25, "K"}, {0x26, "L"}, {0x27, ";"}, {0x28, "'"}, {0x29, "`"},
    {0x2A, "Shift"}, {0x2B, "\\"},
    {0x2C, "Z"}, {0x2D, "X"}, {0x2E, "C"}, {0x2F, "V"}, {0x30, "B"}, {0x31, "N"},
    {0x32, "M"}, {0x33, ","}, {0x34, "."}, {0x35, "/"}, {0x36, "Right Shift"},
    {0x37, "Num *"}, {0x38, "Alt"}, {0x39, "Space"}, {0x3A, "Caps Lock"},
    {0x3B, "F1"}, {0x3C, "F2"}, {0x3D, "F3"}, {0x3E, "F4"}, {0x3F, "F5"},
    {0x40, "F6"}, {0x41, "F7"}, {0x42, "F8"}, {0x43, "F9"}, {0x44, "F10"},
    {0x45, "Pause"}, {0x46, "Scroll Lock"},
    {0x47, "Num 7"}, {0x48, "Num 8"}, {0x49, "Num 9"}, {0x4A, "Num -"},
    {0x4B, "Num 4"}, {0x4C, "Num 5"}, {0x4D, "Num 6"}, {0x4E, "Num +"},
    {0x4F, "Num 1"}, {0x50, "Num 2"}, {0x51, "Num 3"}, {0x52, "Num 0"},
    {0x53, "Num Del"}, {0x54, "Sys Req"}, {0x56, "\\"}, {0x57, "F11"}, {0x58, "F12"},
    {0x64, "F13"}, {0x65, "F14"}, {0x66, "F15"}, {0x67, "F16"}, {0x68, "F17"},
    {0x69, "F18"}, {0x6A, "F19"}, {0x6B, "F20"}, {0x6C, "F21"}, {0x6D, "F22"},
    {0x6E, "F23"}, {0x76, "F24"},

    // Extended keys (E0 prefix on the wire).
    {kExtended | 0x1C, "Num Enter"}, {kExtended | 0x1D, "Right Ctrl"},
    {kExtended | 0x35, "Num /"}, {kExtended | 0x37, "Prnt Scrn"},
    {kExtended | 0x38, "Right Alt"}, {kExtended | 0x45, "Num Lock"},
    {kExtended | 0x46, "Break"}, {kExtended | 0x47, "Home"}, {kExtended | 0x48, "Up"},
    {kExtended | 0x49, "Page Up"}, {kExtended | 0x4B, "Left"}, {kExtended | 0x4D, "Right"},
    {kExtended | 0x4F, "End"}, {kExtended | 0x50, "Down"}, {kExtended | 0x51, "Page Down"},
    {kExtended | 0x52, "Insert"}, {kExtended | 0x53, "Delete"}, {kExtended | 0x56, "Help"},
    {kExtended | 0x5B, "Left Windows"}, {kExtended | 0x5C, "Right Windows"},
    {kExtended | 0x5D, "Application"},
};

const char* FindScanName(int scanCode)
{
    for (const ScanName& entry : kScanNames)
        if (entry.scan == scanCode) return entry.name;
    return nullptr;
}

}  // namespace

int VirtualKeyToScanCode(int virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z') return kLetterScans[virtualKey - 'A'];
    if (virtualKey >= '1' && virtualKey <= '9') return virtualKey - '1' + 0x02;
    if (virtualKey >= 112 && virtualKey <= 121) return virtualKey - 112 + 0x3B;  // F1..F10
    if (virtualKey >= 124 && virtualKey <= 134) return virtualKey - 124 + 0x64;  // F13..F23

    // Like the system's mapping, this gives the plain scan code: keys that
    // share a scan code with a key of the numeric pad or with a left-hand
    // modifier (Home, Right Ctrl, Num /) get that code without the extended bit.
    switch (virtualKey) {
    case '0': return 0x0B;
    case 8: return 0x0E;    // Backspace
    case 9: return 0x0F;    // Tab
    case 12: return 0x4C;   // Clear (pad 5 without Num Lock)
    case 13: return 0x1C;   // Enter
    case 16: return 0x2A;   // Shift
    case 17: return 0x1D;   // Ctrl
    case 18: return 0x38;   // Alt
    case 19: return 0x45;   // Pause
    case 20: return 0x3A;   // Caps Lock
    case 27: return 0x01;   // Esc
    case 32: return 0x39;   // Space
    case 33: return 0x49;   // Page Up
    case 34: return 0x51;   // Page Down
    case 35: return 0x4F;   // End
    case 36: return 0x47;   // Home
    case 37: return 0x4B;   // Left
    case 38: return 0x48;   // Up
    case 39: return 0x4D;   // Right
    case 40: return 0x50;   // Down
    case 44: return 0x54;   // Print Screen
    case 45: return 0x52;   // Insert
    case 46: return 0x53;   // Delete
    case 91: return 0x5B;   // left Windows
    case 92: return 0x5C;   // right Windows
    case 93: return 0x5D;   // Application
    case 96: return 0x52;   // pad 0
    case 97: return 0x4F;
    case 98: return 0x50;
    case 99: return 0x51;
    case 100: return 0x4B;
    case 101: return 0x4C;
    case 102: return 0x4D;
    case 103: return 0x47;
    case 104: return 0x48;
    case 105: return 0x49;  // pad 9
    case 106: return 0x37;  // pad *
    case 107: return 0x4E;  // pad +
    case 109: return 0x4A;  // pad -
    case 110: return 0x53;  // pad decimal
    case 111: return 0x35;  // pad /
    case 122: return 0x57;  // F11
    case 123: return 0x58;  // F12
    case 135: return 0x76;  // F24
    case 144: return 0x45;  // Num Lock (shares the scan code of Pause)
    case 145: return 0x46;  // Scroll Lock
    case 160: return 0x2A;  // left Shift
    case 161: return 0x36;  // right Shift
    case 162: return 0x1D;  // left Ctrl
    case 163: return 0x1D;  // right Ctrl
    case 164: return 0x38;  // left Alt
    case 165: return 0x38;  // right Alt
    case 186: return 0x27;  // ;
    case 187: return 0x0D;  // =
    case 188: return 0x33;  // ,
    case 189: return 0x0C;  // -
    case 190: return 0x34;  // .
    case 191: return 0x35;  // /
    case 192: return 0x29;  // `
    case 219: return 0x1A;  // [
    case 220: return 0x2B;  // backslash
    case 221: return 0x1B;  // ]
    case 222: return 0x28;  // '
    case 226: return 0x56;  // the extra key beside left Shift
    default: return 0;      // media and browser keys, pad separator, unknown codes
    }
}

CString ScanCodeKeyName(int scanCode)
{
    if (scanCode <= 0 || scanCode > (kExtended | 0xFF)) return CString();
    const char* name = FindScanName(scanCode);
    // A key that has only one form is named whichever way it is asked for:
    // the Windows and Application keys exist only extended, the character
    // keys only plain.
    if (!name) name = FindScanName(scanCode ^ kExtended);
    return name ? QString::fromLatin1(name) : CString();
}

CString SystemKeyName(int virtualKey)
{
    int scan = VirtualKeyToScanCode(virtualKey);
    if (scan == 0) return CString();
    // The navigation block shares its scan codes with the numeric pad; the
    // extended bit tells them apart (Select, Print, Execute and Print Screen
    // in 41..44 are left plain).
    if (virtualKey >= 33 && virtualKey <= 46 && !(virtualKey >= 41 && virtualKey <= 44))
        scan |= kExtended;
    return ScanCodeKeyName(scan);
}

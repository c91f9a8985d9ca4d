#include "device/key_names.h"

namespace {

// Virtual-key codes of the numeric pad keys, by the scan code they send when
// Num Lock is off (the system then reports them as navigation keys).
int NumericPadKeyOfScan(int scanCode)
{
    switch (scanCode) {
    case 71: return 103;  // 7 / Home
    case 72: return 104;  // 8 / Up
    case 73: return 105;  // 9 / Page Up
    case 75: return 100;  // 4 / Left
    case 76: return 101;  // 5 / Clear
    case 77: return 102;  // 6 / Right
    case 79: return 97;   // 1 / End
    case 80: return 98;   // 2 / Down
    case 81: return 99;   // 3 / Page Down
    case 82: return 96;   // 0 / Insert
    case 83: return 110;  // decimal / Delete
    default: return 0;
    }
}

// Fixed names of keys whose system name is missing or misleading; null for
// the keys that keep the system name.
const char* CapturedFixedName(int virtualKey)
{
    switch (virtualKey) {
    case 19: return "Pause";
    case 44: return "Print Screen";
    case 91: return "Windows";
    case 92: return "RWindows";
    case 93: return "Application";
    case 108: return "Num-Enter";
    case 144: return "Num Lock";
    case 160: return "Shift";
    case 161: return "RShift";
    case 162: return "Ctrl";
    case 163: return "RCtrl";
    case 164: return "Alt";
    case 165: return "RAlt";
    case 166: return "Web-Backward";
    case 167: return "Web-Forward";
    case 168: return "Web-Refresh";
    case 169: return "Web-Stop";
    case 170: return "Web-Search";
    case 171: return "Web-Favorites";
    case 172: return "Web-Home";
    case 173: return "Vol Mute";
    case 174: return "Vol Down";
    case 175: return "Vol Up";
    case 176: return "Next Track";
    case 177: return "Prev Track";
    case 178: return "Stop";
    case 179: return "Play/Pause";
    case 180: return "EMail";
    case 181: return "Multimedia";
    case 182: return "My Computer";
    case 183: return "Calculator";
    default: return nullptr;
    }
}

// Names of the punctuation keys in the assignment dialog: both characters.
const char* PunctuationName(int virtualKey)
{
    switch (virtualKey) {
    case 186: return ";:";
    case 187: return "=+";
    case 188: return "<,";
    case 189: return "-_";
    case 190: return ">.";
    case 191: return "?/";
    case 192: return "`~";
    case 219: return "[{";
    case 220: return "\\||";
    case 221: return "]}";
    case 222: return "'\"";
    default: return nullptr;
    }
}

// The assignment dialog renames only these keys, with the capture's names.
const char* DialogFixedName(int virtualKey)
{
    switch (virtualKey) {
    case 19: case 44: case 91: case 92: case 93: case 144: return CapturedFixedName(virtualKey);
    default: return nullptr;
    }
}

}  // namespace

CapturedKey KeyCaptureState::CapturedKeyName(int messageKind, int virtualKey, int scanCode,
                                             int flags)
{
    CapturedKey result;
    bool down;
    if (messageKind == 256 || messageKind == 260)
        down = true;
    else if (messageKind == 257 || messageKind == 261)
        down = false;
    else
        return result;

    // With Num Lock off the pad keys arrive as navigation keys; only the
    // extended bit tells the navigation block apart, so go by the scan code.
    const bool extended = (flags & 0x01) != 0;
    int code = virtualKey;
    if (!extended) {
        if (const int padKey = NumericPadKeyOfScan(scanCode)) code = padKey;
    } else if (scanCode == 28) {
        code = 108;  // Enter of the numeric pad
    }
    if (code == 0) return result;

    CString name = SystemKeyName(code);
    // The generic modifiers are recorded as their left-hand keys.
    if (code == 16) code = 160;
    else if (code == 17) code = 162;
    else if (code == 18) code = 164;
    if (const char* fixed = CapturedFixedName(code)) name = QString::fromLatin1(fixed);

    if (down) {
        result.kind = m_held.insert(code).second ? KeyEventKind::Press : KeyEventKind::Repeat;
    } else {
        m_held.erase(code);
        result.kind = KeyEventKind::Release;
    }
    result.virtualKey = code;
    result.name = name;
    return result;
}

CString VirtualKeyName(int virtualKey)
{
    CString name = SystemKeyName(virtualKey);
    if (virtualKey >= 124 && virtualKey <= 135)
        name = QStringLiteral("F%1").arg(virtualKey - 111);
    if (const char* punctuation = PunctuationName(virtualKey))
        name = QString::fromLatin1(punctuation);
    if (const char* fixed = DialogFixedName(virtualKey)) name = QString::fromLatin1(fixed);
    return name;
}

#include "device/key_codes.h"

bool IsKeyCode(int code)
{
    // Keyboard usages 0x04..0xE7 (Fn, 0xAF, lies inside) and the media codes after them.
    return code >= 0x04 && code <= 0xF9;
}

int UsageToDeviceCode(int code)
{
    // Left Ctrl, Shift, Alt, GUI, then the right ones: one modifier bit each.
    if (code >= 0xE0 && code <= 0xE7) return 1 << (code - 0xE0);
    return code;
}

int VirtualKeyToUsage(int virtualKey)
{
    if (virtualKey >= 65 && virtualKey <= 90) return virtualKey - 61;    // A..Z
    if (virtualKey >= 49 && virtualKey <= 57) return virtualKey - 19;    // 1..9
    if (virtualKey >= 112 && virtualKey <= 123) return virtualKey - 54;  // F1..F12
    if (virtualKey >= 124 && virtualKey <= 135) return virtualKey - 20;  // F13..F24
    if (virtualKey >= 97 && virtualKey <= 105) return virtualKey - 8;    // pad 1..9
    if (virtualKey >= 136 && virtualKey <= 139) return virtualKey;       // international keys

    switch (virtualKey) {
    case 48: return 0x27;
    case 13: return 0x28;
    case 27: return 0x29;
    case 8: return 0x2A;
    case 9: return 0x2B;
    case 32: return 0x2C;
    case 189: return 0x2D;
    case 187: return 0x2E;
    case 219: return 0x2F;
    case 221: return 0x30;
    case 220: return 0x31;
    case 666: return 0x32;
    case 186: return 0x33;
    case 222: return 0x34;
    case 192: return 0x35;
    case 188: return 0x36;
    case 190: return 0x37;
    case 191: return 0x38;
    case 20: return 0x39;

    case 44: return 0x46;
    case 145: return 0x47;
    case 19: return 0x48;
    case 45: return 0x49;
    case 36: return 0x4A;
    case 33: return 0x4B;
    case 46: return 0x4C;
    case 35: return 0x4D;
    case 34: return 0x4E;
    case 39: return 0x4F;
    case 37: return 0x50;
    case 40: return 0x51;
    case 38: return 0x52;
    case 144: return 0x53;

    case 111: return 0x54;
    case 106: return 0x55;
    case 109: return 0x56;
    case 107: return 0x57;
    case 108: return 0x58;
    case 96: return 0x62;
    case 110: return 0x63;

    case 162: return 0xE0;
    case 160: return 0xE1;
    case 164: return 0xE2;
    case 91: return 0xE3;
    case 163: return 0xE4;
    case 161: return 0xE5;
    case 165: return 0xE6;
    case 92: return 0xE7;
    case 93: return 0x65;
    case 254: return 0xAF;
    case 226: return 0x64;

    case 173: return 0xEB;
    case 174: return 0xE9;
    case 175: return 0xEA;
    case 176: return 0xEF;
    case 177: return 0xED;
    case 178: return 0xEC;
    case 179: return 0xEE;
    case 166: return 0xF3;
    case 167: return 0xF4;
    case 168: return 0xF6;
    case 169: return 0xF5;
    case 170: return 0xF7;
    case 171: return 0xF8;
    case 172: return 0xF1;
    case 182: return 0xF9;
    case 183: return 0xF2;
    case 180: return 0xF0;
    case 181: return 0xE8;
    default: return 0;
    }
}

CString UsageName(int code)
{
    if (code >= 0x04 && code <= 0x1D) return CString(QChar(u'A' + (code - 0x04)));
    if (code >= 0x1E && code <= 0x26) return CString(QChar(u'1' + (code - 0x1E)));
    if (code >= 0x59 && code <= 0x61) return CString(QChar(u'1' + (code - 0x59)));
    if (code >= 0x3A && code <= 0x45) return QStringLiteral("F%1").arg(code - 0x3A + 1);

    const char* text = nullptr;
    switch (code) {
    case 0x27: case 0x62: text = "0"; break;
    case 0x28: text = "ENTER"; break;
    case 0x29: text = "ESC"; break;
    case 0x2A: text = "backspace"; break;
    case 0x2B: text = "TAB"; break;
    case 0x2C: text = "SPACE"; break;
    case 0x2D: text = "-_"; break;
    case 0x2E: text = "+="; break;
    case 0x2F: text = "[{"; break;
    case 0x30: text = "]}"; break;
    case 0x31: text = "\\"; break;
    case 0x33: text = ";:"; break;
    case 0x34: text = "'"; break;
    case 0x35: text = "~`"; break;
    case 0x36: text = "<,"; break;
    case 0x37: text = ">."; break;
    case 0x38: text = "/?"; break;
    case 0x39: text = "CAPS"; break;
    case 0x46: text = "PRTSC"; break;
    case 0x47: text = "SCRLK"; break;
    case 0x48: text = "PASE"; break;  // the stored spelling; layouts and the store use it
    case 0x49: text = "INS"; break;
    case 0x4A: text = "HOME"; break;
    case 0x4B: text = "PG UP"; break;
    case 0x4C: text = "DEL"; break;
    case 0x4D: text = "END"; break;
    case 0x4E: text = "PG DN"; break;
    case 0x4F: text = "RIGHT"; break;
    case 0x50: text = "LEFT"; break;
    case 0x51: text = "DOWN"; break;
    case 0x52: text = "UP"; break;
    case 0x53: text = "NumLock"; break;
    case 0x54: text = "/"; break;
    case 0x55: text = "*"; break;
    case 0x56: text = "-"; break;
    case 0x57: text = "+"; break;
    case 0x58: text = "Enter"; break;
    case 0x63: text = "."; break;
    case 0x65: text = "MENU"; break;
    case 0xAF: text = "FN"; break;
    case 0xE0: text = "CTRL"; break;
    case 0xE1: text = "SHIFT"; break;
    case 0xE2: text = "ALT"; break;
    case 0xE3: text = "WIN"; break;
    case 0xE4: text = "RCTRL"; break;
    case 0xE5: text = "RSHIFT"; break;
    case 0xE6: text = "RALT"; break;
    default: return CString();  // right GUI (0xE7) has no stored name either
    }
    return QString::fromLatin1(text);
}

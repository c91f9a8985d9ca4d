#pragma once
// Basic value types shared by every oxa interface.
#include <QString>
#include <cstdint>

// UTF-16, implicitly shared; the program defines the same alias.
using CString = QString;

namespace OXA {

using COLORREF = uint32_t;  // 0x00BBGGRR, red in the low byte
using ARGB = uint32_t;      // alpha in the top byte
using LRESULT = long;

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xFF); }

constexpr ARGB MakeARGB(int a, int r, int g, int b)
{
    return (ARGB(a & 0xFF) << 24) | (ARGB(r & 0xFF) << 16) | (ARGB(g & 0xFF) << 8) | ARGB(b & 0xFF);
}
constexpr int ArgbAlpha(ARGB c) { return int(c >> 24); }
constexpr int ArgbRed(ARGB c) { return int((c >> 16) & 0xFF); }
constexpr int ArgbGreen(ARGB c) { return int((c >> 8) & 0xFF); }
constexpr int ArgbBlue(ARGB c) { return int(c & 0xFF); }
// A COLORREF with an alpha byte, as an ARGB colour.
constexpr ARGB ColorRefToArgb(COLORREF c, int alpha = 255)
{
    return MakeARGB(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}

constexpr unsigned LOWORD(unsigned long v) { return unsigned(v & 0xFFFF); }
constexpr unsigned HIWORD(unsigned long v) { return unsigned((v >> 16) & 0xFFFF); }
constexpr long MAKELONG(int lo, int hi) { return long((unsigned(lo) & 0xFFFF) | ((unsigned(hi) & 0xFFFF) << 16)); }
// Signed coordinates packed in a message parameter.
constexpr int GET_X_LPARAM(long l) { return int(short(l & 0xFFFF)); }
constexpr int GET_Y_LPARAM(long l) { return int(short((l >> 16) & 0xFFFF)); }

class NativeWindow;
using HWND = NativeWindow*;  // the native window under an MWindow

}  // namespace OXA

#include "oxa/keyboard/keyboard_ctrl_rainbow.h"

#include <array>
#include <initializer_list>

namespace OXA {
namespace {

struct Band {
    COLORREF colour;
    std::initializer_list<int> keys;
};

// Each key code occurs in exactly one band.
const Band kBands[] = {
    {0xFF0045, {41, 211, 212, 86, 87, 88}},
    {0x4E00FF, {58, 209, 30, 84, 43, 96, 57, 93, 90, 98}},
    {0x0000FF, {59, 72, 31, 83, 20, 95, 4, 92, 29, 89, 226, 79}},
    {0x0045FF, {60, 71, 32, 75, 26, 78, 22, 27, 81}},
    {0x00FFFF, {61, 70, 33, 74, 8, 77, 7, 6, 82, 80}},
    {0x00FF00, {62, 67, 35, 42, 23, 49, 10, 40, 5, 229, 175}},
    {0x45FF00, {63, 66, 36, 46, 28, 48, 11, 52, 17, 56, 230}},
    {0xFFFF00, {64, 65, 37, 45, 24, 47, 13, 51, 16, 54, 55}},
    {0x00FF4E, {68, 69, 34, 73, 21, 76, 9, 25, 44, 101, 228}},
    {0xFF00FF, {210, 53, 85, 97, 94, 225, 91, 224, 227, 99}},
    {0xFF4E00, {38, 39, 12, 19, 14, 15}},
    {0xFF0000, {18}},
};

// Key codes are below 256: one lookup slot per code, built once.
constexpr int kCodes = 256;
struct Lookup {
    std::array<COLORREF, kCodes> colour{};
    std::array<bool, kCodes> present{};
    Lookup()
    {
        for (const Band& band : kBands)
            for (int key : band.keys) {
                colour[size_t(key)] = band.colour;
                present[size_t(key)] = true;
            }
    }
};

}  // namespace

bool RainbowKeyColor(int keyValue, COLORREF& colour)
{
    static const Lookup lookup;
    if (keyValue < 0 || keyValue >= kCodes || !lookup.present[size_t(keyValue)])
        return false;
    colour = lookup.colour[size_t(keyValue)];
    return true;
}

}  // namespace OXA

#include "link/key_entry.h"

#include <algorithm>

#include "device/key_codes.h"

namespace {

KeyEntryBytes Entry(int b0, int b1 = 0, int b2 = 0, int b3 = 0)
{
    return {uint8_t(b0), uint8_t(b1), uint8_t(b2), uint8_t(b3)};
}

KeyEntryBytes Mouse(int value)
{
    static const uint8_t table[9][2] = {{0, 0},       {0x01, 0x01}, {0x01, 0x04}, {0x01, 0x02}, {0x01, 0x03},
                                        {0x03, 0x01}, {0x03, 0xFF}, {0x01, 0x08}, {0x01, 0x10}};
    if (value < 1 || value > 8) return Entry(0x01);
    return Entry(0x01, table[value][0], table[value][1]);
}

KeyEntryBytes Media(int value)
{
    // Play/Pause, Stop, Scan Previous, Scan Next, Volume Up, Volume Down, Mute.
    static const uint8_t usages[8] = {0, 0xCD, 0xB7, 0xB6, 0xB5, 0xE9, 0xEA, 0xE2};
    return Entry(0x03, value >= 1 && value <= 7 ? usages[value] : 0);
}

KeyEntryBytes Shortcut(int value)
{
    // Modifier mask and key usage.
    static const uint8_t table[9][2] = {{0, 0},       {0x08, 0x07}, {0x08, 0x08}, {0x08, 0x0F}, {0x01, 0x1A},
                                        {0x04, 0x2B}, {0x01, 0x06}, {0x01, 0x19}, {0x01, 0x1B}};
    if (value == 10) return Entry(0x02, 0x02);
    if (value == 11) return Entry(0x02, 0x01);
    if (value < 1 || value > 8) return Entry(0x02);
    return Entry(0x02, table[value][0], table[value][1]);
}

int ExtendedMediaUsage(int value)
{
    static const uint16_t usages[18] = {0x0194, 0x0192, 0x018A, 0x0183, 0x00CD, 0x00B7, 0x00B6, 0x00B5, 0x00E9,
                                        0x00EA, 0x00E2, 0x0223, 0x0227, 0x0226, 0x0224, 0x0225, 0x022A, 0x0221};
    return value >= 500 && value <= 517 ? usages[value - 500] : 0;
}

}  // namespace

std::optional<KeyEntryBytes> KeyEntry(const KeyAssignment& a, const std::vector<int>& macroIds)
{
    switch (a.macroType) {
    case 1: return Entry(0x05, 0x03);
    case 2:
        if (a.value2 == 0 && a.value >= 0xE0 && a.value <= 0xE7) return Entry(0x02, UsageToDeviceCode(a.value));
        return Entry(0x02, a.value2, UsageToDeviceCode(a.value));
    case 3: {
        const auto it = std::find(macroIds.begin(), macroIds.end(), a.value);
        if (it == macroIds.end()) return Entry(0);
        return Entry(0x06, int(it - macroIds.begin()), a.value2, a.value3);
    }
    case 5: return Mouse(a.value);
    case 6: return Media(a.value);
    case 7: return Shortcut(a.value);
    case 8:
    case 9:
    case 10:
    case 11: return Entry(0x05, 0x02, a.value);
    case 12: {
        const int usage = ExtendedMediaUsage(a.value);
        return Entry(0x03, usage & 0xFF, usage >> 8);
    }
    case 13: return Entry(0x07, a.value, a.value2, a.value3);
    default: return std::nullopt;  // 0 none, 4 not written, unknown types
    }
}

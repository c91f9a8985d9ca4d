// Conversions between virtual-key codes, key codes and device key codes, and
// the stored key-code names.
#include <gtest/gtest.h>

#include "device/key_codes.h"

namespace {

struct CodePair {
    int from;
    int to;
};

TEST(KeyCodes, RangeOfKeyCodes)
{
    for (int code : {0x04, 0x1D, 0x65, 0xAF, 0xE0, 0xE7, 0xE8, 0xF0, 0xF9})
        EXPECT_TRUE(IsKeyCode(code)) << code;
    for (int code : {-1, 0, 0x01, 0x03, 0xFA, 0xFF, 0x100, 666})
        EXPECT_FALSE(IsKeyCode(code)) << code;
}

TEST(KeyCodes, ModifiersBecomeBitsOnTheDevice)
{
    const CodePair cases[] = {
        {0xE0, 0x01}, {0xE1, 0x02}, {0xE2, 0x04}, {0xE3, 0x08},
        {0xE4, 0x10}, {0xE5, 0x20}, {0xE6, 0x40}, {0xE7, 0x80},
        // everything else passes through
        {0x04, 0x04}, {0x39, 0x39}, {0xAF, 0xAF}, {0xDF, 0xDF}, {0xE8, 0xE8}, {0xF9, 0xF9},
        {0, 0},
    };
    for (const CodePair& c : cases) EXPECT_EQ(UsageToDeviceCode(c.from), c.to) << c.from;
}

TEST(KeyCodes, VirtualKeyToKeyCode)
{
    const CodePair cases[] = {
        // letters and digits
        {65, 0x04}, {66, 0x05}, {77, 0x10}, {90, 0x1D},
        {49, 0x1E}, {53, 0x22}, {57, 0x26}, {48, 0x27},
        // main block
        {13, 0x28}, {27, 0x29}, {8, 0x2A}, {9, 0x2B}, {32, 0x2C}, {189, 0x2D}, {187, 0x2E},
        {219, 0x2F}, {221, 0x30}, {220, 0x31}, {666, 0x32}, {186, 0x33}, {222, 0x34},
        {192, 0x35}, {188, 0x36}, {190, 0x37}, {191, 0x38}, {20, 0x39},
        // function keys
        {112, 0x3A}, {117, 0x3F}, {123, 0x45}, {124, 0x68}, {130, 0x6E}, {135, 0x73},
        // navigation block
        {44, 0x46}, {145, 0x47}, {19, 0x48}, {45, 0x49}, {36, 0x4A}, {33, 0x4B}, {46, 0x4C},
        {35, 0x4D}, {34, 0x4E}, {39, 0x4F}, {37, 0x50}, {40, 0x51}, {38, 0x52}, {144, 0x53},
        // numeric pad
        {111, 0x54}, {106, 0x55}, {109, 0x56}, {107, 0x57}, {108, 0x58},
        {97, 0x59}, {101, 0x5D}, {105, 0x61}, {96, 0x62}, {110, 0x63},
        // modifiers and the rest
        {162, 0xE0}, {160, 0xE1}, {164, 0xE2}, {91, 0xE3}, {163, 0xE4}, {161, 0xE5},
        {165, 0xE6}, {92, 0xE7}, {93, 0x65}, {254, 0xAF}, {226, 0x64},
        {136, 136}, {137, 137}, {138, 138}, {139, 139},
        // media and browser keys
        {173, 0xEB}, {174, 0xE9}, {175, 0xEA}, {176, 0xEF}, {177, 0xED}, {178, 0xEC},
        {179, 0xEE}, {166, 0xF3}, {167, 0xF4}, {168, 0xF6}, {169, 0xF5}, {170, 0xF7},
        {171, 0xF8}, {172, 0xF1}, {182, 0xF9}, {183, 0xF2}, {180, 0xF0}, {181, 0xE8},
        // not listed
        {0, 0}, {255, 0}, {-5, 0}, {1, 0}, {16, 0}, {17, 0}, {18, 0}, {47, 0}, {58, 0},
        {64, 0}, {94, 0}, {140, 0}, {184, 0}, {223, 0}, {253, 0}, {665, 0}, {667, 0},
        {100000, 0},
    };
    for (const CodePair& c : cases) EXPECT_EQ(VirtualKeyToUsage(c.from), c.to) << c.from;
}

struct UsageText {
    int code;
    const char* text;
};

TEST(KeyCodes, StoredNames)
{
    const UsageText cases[] = {
        {0x04, "A"}, {0x10, "M"}, {0x1D, "Z"},
        {0x1E, "1"}, {0x26, "9"}, {0x27, "0"}, {0x59, "1"}, {0x5D, "5"}, {0x61, "9"}, {0x62, "0"},
        {0x28, "ENTER"}, {0x29, "ESC"}, {0x2A, "backspace"}, {0x2B, "TAB"}, {0x2C, "SPACE"},
        {0x2D, "-_"}, {0x2E, "+="}, {0x2F, "[{"}, {0x30, "]}"}, {0x31, "\\"}, {0x33, ";:"},
        {0x34, "'"}, {0x35, "~`"}, {0x36, "<,"}, {0x37, ">."}, {0x38, "/?"}, {0x39, "CAPS"},
        {0x3A, "F1"}, {0x43, "F10"}, {0x45, "F12"},
        {0x46, "PRTSC"}, {0x47, "SCRLK"}, {0x48, "PASE"}, {0x49, "INS"}, {0x4A, "HOME"},
        {0x4B, "PG UP"}, {0x4C, "DEL"}, {0x4D, "END"}, {0x4E, "PG DN"}, {0x4F, "RIGHT"},
        {0x50, "LEFT"}, {0x51, "DOWN"}, {0x52, "UP"}, {0x53, "NumLock"},
        {0x54, "/"}, {0x55, "*"}, {0x56, "-"}, {0x57, "+"}, {0x58, "Enter"}, {0x63, "."},
        {0x65, "MENU"}, {0xAF, "FN"},
        {0xE0, "CTRL"}, {0xE1, "SHIFT"}, {0xE2, "ALT"}, {0xE3, "WIN"}, {0xE4, "RCTRL"},
        {0xE5, "RSHIFT"}, {0xE6, "RALT"},
        // not listed: empty
        {0xE7, ""}, {0x32, ""}, {0x64, ""}, {0x68, ""}, {0xE8, ""}, {0xF9, ""},
        {0, ""}, {0x03, ""}, {-1, ""}, {0x100, ""},
    };
    for (const UsageText& c : cases)
        EXPECT_EQ(UsageName(c.code), QString::fromLatin1(c.text)) << c.code;
}

}  // namespace

// Key names: the system (US English) key-name texts, the names of the key
// assignment dialog, and the naming and held-key tracking of captured keys.
#include <gtest/gtest.h>

#include "device/key_names.h"

namespace {

constexpr int kKeyDown = 256;
constexpr int kKeyUp = 257;
constexpr int kSysKeyDown = 260;
constexpr int kSysKeyUp = 261;
constexpr int kExtendedDown = 1;
constexpr int kPlainUp = 128;
constexpr int kExtendedUp = 129;

struct CodeText {
    int code;
    const char* text;
};

TEST(SystemKeyNames, ScanCodesOfTheUsLayout)
{
    const struct {
        int virtualKey;
        int scan;
    } cases[] = {
        {65, 0x1E}, {81, 0x10}, {90, 0x2C}, {49, 0x02}, {57, 0x0A}, {48, 0x0B},
        {27, 0x01}, {8, 0x0E}, {9, 0x0F}, {13, 0x1C}, {32, 0x39}, {20, 0x3A},
        {189, 0x0C}, {187, 0x0D}, {219, 0x1A}, {221, 0x1B}, {186, 0x27}, {222, 0x28},
        {192, 0x29}, {220, 0x2B}, {188, 0x33}, {190, 0x34}, {191, 0x35},
        {112, 0x3B}, {121, 0x44}, {122, 0x57}, {123, 0x58}, {124, 0x64}, {134, 0x6E},
        {135, 0x76},
        // navigation keys give the plain scan code of the pad key they share
        {36, 0x47}, {38, 0x48}, {33, 0x49}, {37, 0x4B}, {39, 0x4D}, {35, 0x4F}, {40, 0x50},
        {34, 0x51}, {45, 0x52}, {46, 0x53},
        {96, 0x52}, {97, 0x4F}, {103, 0x47}, {105, 0x49}, {106, 0x37}, {107, 0x4E},
        {109, 0x4A}, {110, 0x53}, {111, 0x35},
        {16, 0x2A}, {17, 0x1D}, {18, 0x38}, {160, 0x2A}, {161, 0x36}, {162, 0x1D},
        {163, 0x1D}, {164, 0x38}, {165, 0x38}, {91, 0x5B}, {92, 0x5C}, {93, 0x5D},
        {44, 0x54}, {145, 0x46}, {19, 0x45},
        // media and browser keys, unknown codes
        {173, 0}, {179, 0}, {166, 0}, {183, 0}, {0, 0}, {-1, 0}, {255, 0}, {666, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(VirtualKeyToScanCode(c.virtualKey), c.scan) << c.virtualKey;
}

TEST(SystemKeyNames, NamesOfVirtualKeys)
{
    const CodeText cases[] = {
        {27, "Esc"}, {8, "Backspace"}, {9, "Tab"}, {13, "Enter"}, {17, "Ctrl"},
        {16, "Shift"}, {161, "Right Shift"}, {18, "Alt"}, {32, "Space"}, {20, "Caps Lock"},
        {112, "F1"}, {121, "F10"}, {122, "F11"}, {123, "F12"}, {124, "F13"}, {135, "F24"},
        {145, "Scroll Lock"}, {19, "Pause"}, {44, "Sys Req"},
        {103, "Num 7"}, {104, "Num 8"}, {105, "Num 9"}, {109, "Num -"}, {100, "Num 4"},
        {101, "Num 5"}, {102, "Num 6"}, {107, "Num +"}, {97, "Num 1"}, {98, "Num 2"},
        {99, "Num 3"}, {96, "Num 0"}, {110, "Num Del"}, {106, "Num *"},
        // the navigation block is named as the extended keys
        {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"}, {37, "Left"},
        {38, "Up"}, {39, "Right"}, {40, "Down"}, {45, "Insert"}, {46, "Delete"},
        {65, "A"}, {77, "M"}, {90, "Z"}, {49, "1"}, {48, "0"},
        {189, "-"}, {187, "="}, {219, "["}, {221, "]"}, {186, ";"}, {222, "'"}, {192, "`"},
        {220, "\\"}, {188, ","}, {190, "."}, {191, "/"},
        {91, "Left Windows"}, {92, "Right Windows"}, {93, "Application"},
        {173, ""}, {183, ""}, {0, ""}, {-7, ""}, {255, ""}, {666, ""}, {1 << 30, ""},
    };
    for (const CodeText& c : cases)
        EXPECT_EQ(SystemKeyName(c.code), QString::fromLatin1(c.text)) << c.code;
}

TEST(SystemKeyNames, ExtendedScanCodesHaveTheirOwnNames)
{
    const CodeText cases[] = {
        {0x1C, "Enter"}, {0x11C, "Num Enter"}, {0x1D, "Ctrl"}, {0x11D, "Right Ctrl"},
        {0x38, "Alt"}, {0x138, "Right Alt"}, {0x35, "/"}, {0x135, "Num /"},
        {0x47, "Num 7"}, {0x147, "Home"}, {0x53, "Num Del"}, {0x153, "Delete"},
        {0x15B, "Left Windows"}, {0x15C, "Right Windows"}, {0x15D, "Application"},
        {0x54, "Sys Req"}, {0x36, "Right Shift"},
        {0, ""}, {-1, ""}, {0x7F, ""}, {0x200, ""}, {0x7FFFFFFF, ""},
    };
    for (const CodeText& c : cases)
        EXPECT_EQ(ScanCodeKeyName(c.code), QString::fromLatin1(c.text)) << c.code;
}

TEST(VirtualKeyNames, DialogNames)
{
    const CodeText cases[] = {
        {124, "F13"}, {130, "F19"}, {135, "F24"},
        {186, ";:"}, {187, "=+"}, {188, "<,"}, {189, "-_"}, {190, ">."}, {191, "?/"},
        {192, "`~"}, {219, "[{"}, {220, "\\||"}, {221, "]}"}, {222, "'\""},
        {19, "Pause"}, {44, "Print Screen"}, {91, "Windows"}, {92, "RWindows"},
        {93, "Application"}, {144, "Num Lock"},
        // other keys keep the system name
        {65, "A"}, {112, "F1"}, {123, "F12"}, {36, "Home"}, {46, "Delete"}, {103, "Num 7"},
        {16, "Shift"}, {13, "Enter"},
        // unknown codes
        {0, ""}, {-3, ""}, {136, ""}, {255, ""}, {666, ""}, {1000000, ""},
    };
    for (const CodeText& c : cases)
        EXPECT_EQ(VirtualKeyName(c.code), QString::fromLatin1(c.text)) << c.code;
}

struct HookEvent {
    int virtualKey;
    int scan;
    int flags;
    int expectedKey;
    const char* expectedName;
};

TEST(CapturedKeys, NumericPadIsNormalisedByScanCode)
{
    const HookEvent cases[] = {
        // Num Lock off: the pad keys arrive as navigation keys, not extended
        {36, 71, 0, 103, "Num 7"}, {38, 72, 0, 104, "Num 8"}, {33, 73, 0, 105, "Num 9"},
        {37, 75, 0, 100, "Num 4"}, {12, 76, 0, 101, "Num 5"}, {39, 77, 0, 102, "Num 6"},
        {35, 79, 0, 97, "Num 1"}, {40, 80, 0, 98, "Num 2"}, {34, 81, 0, 99, "Num 3"},
        {45, 82, 0, 96, "Num 0"}, {46, 83, 0, 110, "Num Del"},
        // Num Lock on: already pad codes
        {103, 71, 0, 103, "Num 7"}, {110, 83, 0, 110, "Num Del"},
        // the navigation block itself is extended and stays
        {36, 71, kExtendedDown, 36, "Home"}, {46, 83, kExtendedDown, 46, "Delete"},
        {33, 73, kExtendedDown, 33, "Page Up"}, {40, 80, kExtendedDown, 40, "Down"},
        // Enter of the pad is the extended Enter
        {13, 28, kExtendedDown, 108, "Num-Enter"}, {13, 28, 0, 13, "Enter"},
        // other keys are unchanged
        {65, 30, 0, 65, "A"}, {111, 53, kExtendedDown, 111, "/"},
    };
    for (const HookEvent& c : cases) {
        KeyCaptureState state;
        const CapturedKey key = state.CapturedKeyName(kKeyDown, c.virtualKey, c.scan, c.flags);
        EXPECT_EQ(key.kind, KeyEventKind::Press) << c.virtualKey << "/" << c.scan;
        EXPECT_EQ(key.virtualKey, c.expectedKey) << c.virtualKey << "/" << c.scan;
        EXPECT_EQ(key.name, QString::fromLatin1(c.expectedName)) << c.virtualKey << "/" << c.scan;
    }
}

TEST(CapturedKeys, KeyUpIsNormalisedLikeKeyDown)
{
    KeyCaptureState state;
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 36, 71, 0).virtualKey, 103);
    const CapturedKey padUp = state.CapturedKeyName(kKeyUp, 36, 71, kPlainUp);
    EXPECT_EQ(padUp.kind, KeyEventKind::Release);
    EXPECT_EQ(padUp.virtualKey, 103);
    EXPECT_FALSE(state.IsHeld(103));

    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 13, 28, kExtendedDown).virtualKey, 108);
    const CapturedKey enterUp = state.CapturedKeyName(kKeyUp, 13, 28, kExtendedUp);
    EXPECT_EQ(enterUp.kind, KeyEventKind::Release);
    EXPECT_EQ(enterUp.virtualKey, 108);
    EXPECT_EQ(enterUp.name, "Num-Enter");
    EXPECT_FALSE(state.IsHeld(108));
}

TEST(CapturedKeys, ModifierAndMediaNames)
{
    const HookEvent cases[] = {
        // the generic modifiers become their left-hand keys
        {16, 0x2A, 0, 160, "Shift"}, {17, 0x1D, 0, 162, "Ctrl"}, {18, 0x38, 0, 164, "Alt"},
        {160, 0x2A, 0, 160, "Shift"}, {161, 0x36, 0, 161, "RShift"},
        {162, 0x1D, 0, 162, "Ctrl"}, {163, 0x1D, kExtendedDown, 163, "RCtrl"},
        {164, 0x38, 0, 164, "Alt"}, {165, 0x38, kExtendedDown, 165, "RAlt"},
        {91, 0x5B, kExtendedDown, 91, "Windows"}, {92, 0x5C, kExtendedDown, 92, "RWindows"},
        {93, 0x5D, kExtendedDown, 93, "Application"},
        {19, 0x45, 0, 19, "Pause"}, {44, 0x37, kExtendedDown, 44, "Print Screen"},
        {144, 0x45, kExtendedDown, 144, "Num Lock"},
        // media and browser keys (extended scan codes of a typical keyboard)
        {166, 0x6A, kExtendedDown, 166, "Web-Backward"},
        {167, 0x69, kExtendedDown, 167, "Web-Forward"},
        {168, 0x67, kExtendedDown, 168, "Web-Refresh"},
        {169, 0x68, kExtendedDown, 169, "Web-Stop"},
        {170, 0x65, kExtendedDown, 170, "Web-Search"},
        {171, 0x66, kExtendedDown, 171, "Web-Favorites"},
        {172, 0x32, kExtendedDown, 172, "Web-Home"},
        {173, 0x20, kExtendedDown, 173, "Vol Mute"}, {174, 0x2E, kExtendedDown, 174, "Vol Down"},
        {175, 0x30, kExtendedDown, 175, "Vol Up"}, {176, 0x19, kExtendedDown, 176, "Next Track"},
        {177, 0x10, kExtendedDown, 177, "Prev Track"}, {178, 0x24, kExtendedDown, 178, "Stop"},
        {179, 0x22, kExtendedDown, 179, "Play/Pause"}, {180, 0x6C, kExtendedDown, 180, "EMail"},
        {181, 0x6D, kExtendedDown, 181, "Multimedia"},
        {182, 0x6B, kExtendedDown, 182, "My Computer"},
        {183, 0x21, kExtendedDown, 183, "Calculator"},
        // keys without a fixed name keep the system name
        {124, 0x64, 0, 124, "F13"}, {112, 0x3B, 0, 112, "F1"}, {220, 0x2B, 0, 220, "\\"},
        {27, 0x01, 0, 27, "Esc"},
    };
    for (const HookEvent& c : cases) {
        KeyCaptureState state;
        const CapturedKey key = state.CapturedKeyName(kSysKeyDown, c.virtualKey, c.scan, c.flags);
        EXPECT_EQ(key.kind, KeyEventKind::Press) << c.virtualKey;
        EXPECT_EQ(key.virtualKey, c.expectedKey) << c.virtualKey;
        EXPECT_EQ(key.name, QString::fromLatin1(c.expectedName)) << c.virtualKey;
    }
}

TEST(CapturedKeys, HeldKeyGivesPressThenRepeatsThenRelease)
{
    KeyCaptureState state;
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 65, 30, 0).kind, KeyEventKind::Press);
    EXPECT_TRUE(state.IsHeld(65));
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 65, 30, 0).kind, KeyEventKind::Repeat);
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 65, 30, 0).kind, KeyEventKind::Repeat);

    // a second key held meanwhile is tracked on its own
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 66, 48, 0).kind, KeyEventKind::Press);
    const CapturedKey up = state.CapturedKeyName(kKeyUp, 65, 30, kPlainUp);
    EXPECT_EQ(up.kind, KeyEventKind::Release);
    EXPECT_EQ(up.virtualKey, 65);
    EXPECT_EQ(up.name, "A");
    EXPECT_FALSE(state.IsHeld(65));
    EXPECT_TRUE(state.IsHeld(66));
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 66, 48, 0).kind, KeyEventKind::Repeat);

    // pressed again after the release: a new press
    EXPECT_EQ(state.CapturedKeyName(kKeyDown, 65, 30, 0).kind, KeyEventKind::Press);
}

TEST(CapturedKeys, SystemKeyMessagesAndGenericModifiersShareTheHeldSet)
{
    KeyCaptureState state;
    // Alt arrives as the generic code on key-down and as the left key later
    EXPECT_EQ(state.CapturedKeyName(kSysKeyDown, 18, 0x38, 0).kind, KeyEventKind::Press);
    EXPECT_TRUE(state.IsHeld(164));
    EXPECT_EQ(state.CapturedKeyName(kSysKeyDown, 164, 0x38, 0).kind, KeyEventKind::Repeat);
    const CapturedKey up = state.CapturedKeyName(kSysKeyUp, 18, 0x38, kPlainUp);
    EXPECT_EQ(up.kind, KeyEventKind::Release);
    EXPECT_EQ(up.virtualKey, 164);
    EXPECT_FALSE(state.IsHeld(164));
}

TEST(CapturedKeys, ReleaseOfAKeyNotHeldIsStillReported)
{
    KeyCaptureState state;
    const CapturedKey up = state.CapturedKeyName(kKeyUp, 90, 0x2C, kPlainUp);
    EXPECT_EQ(up.kind, KeyEventKind::Release);
    EXPECT_EQ(up.virtualKey, 90);
    EXPECT_EQ(up.name, "Z");
}

TEST(CapturedKeys, OtherMessagesAndCodeZeroAreIgnored)
{
    KeyCaptureState state;
    for (int message : {0, 258, 259, 262, 255, 512, -1}) {
        const CapturedKey key = state.CapturedKeyName(message, 65, 30, 0);
        EXPECT_EQ(key.kind, KeyEventKind::Ignored) << message;
        EXPECT_TRUE(key.name.isEmpty()) << message;
        EXPECT_FALSE(state.IsHeld(65)) << message;
    }
    // a virtual key of 0 that normalisation does not replace ends the handling
    const CapturedKey none = state.CapturedKeyName(kKeyDown, 0, 30, 0);
    EXPECT_EQ(none.kind, KeyEventKind::Ignored);
    EXPECT_FALSE(state.IsHeld(0));
    EXPECT_EQ(state.CapturedKeyName(kKeyUp, 0, 0, kPlainUp).kind, KeyEventKind::Ignored);
}

TEST(CapturedKeys, UnknownCodesGivePressWithEmptyName)
{
    KeyCaptureState state;
    for (int code : {255, 666, -4, 1 << 20}) {
        const CapturedKey key = state.CapturedKeyName(kKeyDown, code, 0, 0);
        EXPECT_EQ(key.kind, KeyEventKind::Press) << code;
        EXPECT_EQ(key.virtualKey, code);
        EXPECT_TRUE(key.name.isEmpty()) << code;
    }
    state.Reset();
    EXPECT_FALSE(state.IsHeld(255));
}

}  // namespace

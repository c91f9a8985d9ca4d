#pragma once
// Control ids of the main frame and the window messages the main window
// handles. Page controls (65..362) belong to the pages.
namespace MainId {

constexpr unsigned kBackground = 30;
constexpr unsigned kAnimatedBackground = 31;
constexpr unsigned kFrameLeft = 32;
constexpr unsigned kFrameTop = 33;
constexpr unsigned kFrameRight = 34;
constexpr unsigned kFrameBottom = 35;
constexpr unsigned kCaptionPlateLeft = 36;
constexpr unsigned kCaptionPlateRight = 37;
constexpr unsigned kLogo = 38;
constexpr unsigned kCaption = 39;
constexpr unsigned kPageTitle = 40;
constexpr unsigned kPageIcon = 41;
constexpr unsigned kClose = 42;
constexpr unsigned kMinimise = 43;
constexpr unsigned kWebsite = 45;
constexpr unsigned kBattery = 47;
constexpr unsigned kModePicture = 48;
constexpr unsigned kTabs = 49;
constexpr unsigned kHomePage = 50;
constexpr unsigned kNoKeyboardText = 60;
constexpr unsigned kDevicePicture = 61;
constexpr unsigned kDeviceList = 62;
constexpr unsigned kCopyright = 63;
constexpr unsigned kVersion = 64;

}  // namespace MainId

namespace MainMessage {

constexpr unsigned kRawInput = 0x00FF;
constexpr unsigned kKeyCaptured = 1654;     // a key caught by the macro recorder's hook
constexpr unsigned kTrayCallback = 1690;    // notification-area icon events
constexpr unsigned kEndRequest = 1691;      // with 610: remove the icon and end
constexpr unsigned kEndRequestValue = 610;
constexpr unsigned kKeyMenuPicture = 1825;  // key page: keyboard picture's menu
constexpr unsigned kKeyMenuOther = 1826;    // key page: its other menus
constexpr unsigned kMacroMenu = 1827;
constexpr unsigned kAnimationMenu = 1829;
constexpr unsigned kScreenMenu = 1830;
constexpr unsigned kApplyLanguage = 2022;   // re-apply the interface texts

// WM_COMMAND items of the notification-area menu.
constexpr unsigned kTrayExit = 100;
constexpr unsigned kTrayCloseOptions = 200;

// Window timers.
constexpr unsigned kFirmwareTimer = 300;
constexpr unsigned kIgnoredTimer = 200;

}  // namespace MainMessage

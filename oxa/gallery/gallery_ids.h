#pragma once
// Control ids of the gallery, grouped by section. The X server test finds
// controls by the names printed with --describe, so these numbers only need
// to be unique within the window.

namespace gallery {

// Captions and section headings take ids from here upwards.
constexpr unsigned kFirstCaptionId = 5000;

// Button family.
constexpr unsigned kButtonBase = 100;
// Text, pictures and value controls.
constexpr unsigned kValueBase = 200;
// Edits, combo boxes, the list and the menu.
constexpr unsigned kInputBase = 300;
// Tabs and classes that may not be in the library yet.
constexpr unsigned kExtraBase = 400;
// Controls the gallery itself reacts to.
constexpr unsigned kListId = kInputBase + 30;        // right-click opens the menu
constexpr unsigned kMenuButtonId = kInputBase + 40;  // a click opens the menu below it
constexpr unsigned kBalloonButtonId = kInputBase + 41;  // toggles a lasting balloon

// The window's title line and the status line at the bottom.
constexpr unsigned kTitleId = 498;
constexpr unsigned kStatusId = 499;

// The window message popup menus post to the gallery (lParam = item id).
constexpr unsigned kMenuMessage = 0x0400 + 101;

// Items of the gallery's popup menu.
constexpr unsigned kMenuRename = 12;
constexpr unsigned kMenuSeparator = 13;
constexpr unsigned kMenuDelete = 14;
constexpr unsigned kMenuGrid = 21;

}  // namespace gallery

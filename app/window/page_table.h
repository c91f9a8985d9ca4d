#pragma once
// The main window's pages: tab position, page id (what the worker knows as
// the current page), tab icon, title text, page icon and container.
#include "platform/cstring.h"

struct PageInfo {
    int position;
    int pageId;
    const char16_t* tabIcon;   // skin-relative, 4 frames
    int titleText;             // "KB.DIALOG" text: page title and tab caption
    const char16_t* pageIcon;  // caption icon (control 41); empty for home
    unsigned container;        // page container id
    int pageFlag;              // layout page flag bit that offers the tab; 0 for home
};

namespace Pages {

constexpr int kCount = 9;
constexpr int kHome = 0;
constexpr int kKeys = 1;
constexpr int kMacros = 2;
constexpr int kLight = 3;
constexpr int kUserLight = 5;
constexpr int kAnimation = 6;
constexpr int kMusic = 7;
constexpr int kSettings = 8;
constexpr int kScreen = 9;

// In tab order.
const PageInfo& At(int position);
// The position of a page id; -1 when no page has it.
int PositionOf(int pageId);
// The page id at a position; -1 out of range.
int PageIdAt(int position);

}  // namespace Pages

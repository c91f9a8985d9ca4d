#include "app/window/page_table.h"

#include "device/layout_file.h"

namespace Pages {
namespace {

constexpr PageInfo kPages[kCount] = {
    {0, kHome, u"icon/tab_home.png", 50, u"", 50, 0},
    {1, kKeys, u"icon/tab_customkey.png", 51, u"icon/icon_keyboard.png", 51, kPageKeys},
    {2, kMacros, u"icon/tab_macro.png", 52, u"icon/icon_macro.png", 56, kPageMacro},
    {3, kLight, u"icon/tab_light.png", 53, u"icon/icon_light.png", 52, kPageLightMode},
    {4, kScreen, u"icon/tab_tft.png", 58, u"icon/icon_tft.png", 59, kPageScreen},
    {5, kUserLight, u"icon/tab_userlight.png", 54, u"icon/icon_userlight.png", 54, kPageUserLight},
    {6, kAnimation, u"icon/tab_customlight.png", 55, u"icon/icon_customlight.png", 55, kPageCustomLight},
    {7, kMusic, u"icon/tab_music.png", 56, u"icon/icon_music.png", 58, kPageMusic},
    {8, kSettings, u"icon/tab_config.png", 57, u"icon/icon_config.png", 57, kPageSettings},
};

}  // namespace

const PageInfo& At(int position)
{
    return kPages[position < 0 || position >= kCount ? 0 : position];
}

int PositionOf(int pageId)
{
    for (const PageInfo& page : kPages)
        if (page.pageId == pageId) return page.position;
    return -1;
}

int PageIdAt(int position)
{
    return position < 0 || position >= kCount ? -1 : kPages[position].pageId;
}

}  // namespace Pages

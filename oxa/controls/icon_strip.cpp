#include "oxa/controls/icon_strip.h"

#include <algorithm>

#include "oxa/core/image_cache.h"

namespace OXA {

bool IconStrip::Take(const ImgResInfo* info, int frameCount)
{
    if (!info || !info->image)
        return false;
    image = info->image;
    width = info->frameWidth;
    height = info->frameHeight;
    frames = std::max(1, frameCount);
    return true;
}

}  // namespace OXA

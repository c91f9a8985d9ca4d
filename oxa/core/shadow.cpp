#include "oxa/core/shadow.h"

namespace OXA {

int MShadow::SetSize(int size)
{
    if (size < -35 || size > 35)
        return 0;
    m_size = size;
    return 1;
}

int MShadow::SetSharpness(int sharpness)
{
    if (sharpness < 0 || sharpness > 35)
        return 0;
    m_sharpness = sharpness;
    return 1;
}

int MShadow::SetDarkness(int darkness)
{
    if (darkness < 0 || darkness > 255)
        return 0;
    m_darkness = darkness;
    return 1;
}

int MShadow::SetPosition(int x, int y)
{
    if (x < -35 || x > 35 || y < -35 || y > 35)
        return 0;
    m_x = x;
    m_y = y;
    return 1;
}

}  // namespace OXA

#pragma once
// The colour swatches of the light page, in button order (0x00BBGGRR): red,
// orange, yellow, green, blue, cyan, magenta, white, black.
#include <array>
#include <cstdint>

constexpr std::array<uint32_t, 9> kLightSwatchColours = {
    0x000000FF, 0x000080FF, 0x0000FFFF, 0x0000FF00, 0x00FF0000,
    0x00FFFF00, 0x00FF00FF, 0x00FFFFFF, 0x00000000,
};

#pragma once
// Colours as the plot state keeps them: red + 256 * green + 65536 * blue.

#include <cstdint>

namespace corvex {

using Rgb = uint32_t;

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb(r) + 256u * Rgb(g) + 65536u * Rgb(b);
}

} // namespace corvex

#pragma once
#include "app/PlotState.h"

namespace corvex {

constexpr Rgb rgb(int r, int g, int b) {
    return Rgb(r) + 256u * Rgb(g) + 65536u * Rgb(b);
}

// Fills PlotColor with the 21 data-set colours (entries 0 and 20 alike, 5 and 15 alike).
void SetColors(PlotState& state);

} // namespace corvex

#pragma once
// Twips (1/1440 inch), the unit of designed window sizes, to pixels.

#include "platform/NumberText.h"

namespace corvex {

// Twips to whole pixels at `dpi` logical dots per inch (1440 / dpi twips per pixel), halves to even.
inline int twipsToPixels(double twips, int dpi) {
    return int(roundHalfEven(twips * dpi / 1440.0));
}

} // namespace corvex

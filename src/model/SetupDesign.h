#pragma once
// The Setup window as designed: its client area and each control's rectangle in twips (1/1440 inch),
// children relative to their container.

#include "model/Twips.h"

#include <string_view>

namespace corvex {

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

// The designed rectangle of the control named `name` (its object name); the client area for "FileFrm".
// An unknown name gives an empty rectangle.
TwipsRect setupDesign(std::string_view name);

} // namespace corvex

#pragma once
#include "model/PlotState.h"

namespace corvex {

// Fills PlotColor with the 21 data-set colours (entries 0 and 20 alike, 5 and 15 alike).
void SetColors(DisplayOptions& options);

} // namespace corvex

#pragma once
// When the progress window's bar moves: about ten times per read or drawing of the points.

#include <cstdint>

namespace corvex {

// The step NumPts/10 (halves to even).
int32_t progressStep(int32_t numPts);
// The value shown at point i (10 or more), or 0 when the bar does not move at point i. `lastShown` is the
// last value shown; a step of 0 never moves the bar.
int progressAt(int32_t i, int32_t step, int lastShown);

} // namespace corvex

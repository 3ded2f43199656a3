#pragma once
// One step of a title/legend font size: the factor times or divided by 1.2 (kept as a 4-byte float),
// the step count within 0..8. The caller greys out the command that reached its limit.

#include <cstdint>

namespace corvex {

struct FontStepLimits {
    bool increaseEnabled;
    bool decreaseEnabled;
};

inline constexpr int16_t kMaxFontStep = 8;

// Applies one step up (+1) or down (-1) to scale and step, and returns which of the pair of
// commands stays enabled afterwards.
FontStepLimits applyFontStep(float& scale, int16_t& step, int direction);

} // namespace corvex

#include "model/FontStep.h"

namespace corvex {

FontStepLimits applyFontStep(float& scale, int16_t& step, int direction) {
    if (direction > 0) {
        scale = float(double(scale) * 1.2);
        ++step;
    } else {
        scale = float(double(scale) / 1.2);
        --step;
    }
    return {step<kMaxFontStep, step> 0};
}

} // namespace corvex

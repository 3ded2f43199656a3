#include "model/ProgressSteps.h"

#include "platform/NumberText.h"

namespace corvex {

int32_t progressStep(int32_t numPts) {
    return *toInt32(numPts / 10.0);
}

int progressAt(int32_t i, int32_t step, int lastShown) {
    if (step == 0 || (i / step) * 10 <= lastShown) return 0;
    return int(roundHalfEven(10.0 * i / step));
}

} // namespace corvex

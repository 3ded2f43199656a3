#include "zoom/PlotToData.h"

#include <cmath>
#include <limits>

namespace corvex {

namespace {

// One axis: plot units to a data value, or nothing when the scale or the result is unusable.
std::optional<float> plotToAxisValue(float plotUnits, float scale, float axisMin) {
    if (scale == 0 || !std::isfinite(scale)) return std::nullopt;
    const long double value = static_cast<long double>(plotUnits) / scale + axisMin;
    // A value beyond the 4-byte range would be an overflow; it is refused rather than stored as infinity.
    if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return std::nullopt;
    return static_cast<float>(value);
}

} // namespace

std::optional<DataPoint> plotToData(const PlotWindowFields& fields, float px, float py) {
    const auto x = plotToAxisValue(px, fields.XScale, fields.XAxisMin);
    const auto y = plotToAxisValue(py, fields.YScale, fields.YAxisMin);
    if (!x || !y) return std::nullopt;
    return DataPoint{*x, *y};
}

} // namespace corvex

#include "zoom/ZoomBox.h"

#include <algorithm>
#include <utility>

namespace corvex {

namespace {

// One axis of the rectangle: order lo/hi, then pull each beyond the axis end to 1 % of the span inside.
void orderAndPullInside(float& lo, float& hi, float axisMin, float axisMax) {
    if (lo > hi) std::swap(lo, hi);
    const long double margin = 0.01L * (static_cast<long double>(axisMax) - axisMin);
    if (lo < axisMin) lo = static_cast<float>(axisMin + margin);
    if (hi > axisMax) hi = static_cast<float>(axisMax - margin);
}

} // namespace

DataRect orderAndPullInside(DataRect rect, const DrawnAxes& axes) {
    orderAndPullInside(rect.x1, rect.x2, axes.XAxisMin, axes.XAxisMax);
    orderAndPullInside(rect.y1, rect.y2, axes.YAxisMin, axes.YAxisMax);
    return rect;
}

int32_t countPointsInside(const PlotData& data, const DataRect& rect) {
    int32_t found = 0;
    const int32_t n = storedPointCount(data);
    for (int32_t i = 1; i <= n; ++i) {
        const float x = data.XVal[i];
        const float y = data.YVal[i];
        if (rect.x1 <= x && x <= rect.x2 && rect.y1 <= y && y <= rect.y2) ++found;
    }
    return found;
}

int32_t storedPointCount(const PlotData& data) {
    const auto capacity = static_cast<int32_t>(std::min(data.XVal.size(), data.YVal.size())) - 1;
    return std::clamp(data.NumPts, int32_t{0}, std::max(capacity, int32_t{0}));
}

} // namespace corvex

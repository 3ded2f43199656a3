#include "model/PlotFrame.h"

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

PixelPosition plotToPixels(double x, double y, const DrawingAreaSize& size) {
    return {(x - PlotFrame::kLeft) * size.PixWidth / PlotFrame::kSpanX,
            (PlotFrame::kTop - y) * size.PixHeight / PlotFrame::kSpanY};
}

PixelPosition pixelsToPlot(double px, double py, const DrawingAreaSize& size) {
    return {PlotFrame::kLeft + PlotFrame::kSpanX * px / size.PixWidth,
            PlotFrame::kTop - PlotFrame::kSpanY * py / size.PixHeight};
}

float dataToPlotX(const DrawnAxes& axes, float x) {
    return float((double(x) - axes.XAxisMin) * axes.XScale);
}

float dataToPlotY(const DrawnAxes& axes, float y) {
    return float((double(y) - axes.YAxisMin) * axes.YScale);
}

std::optional<DataPoint> plotToData(const DrawnAxes& axes, float px, float py) {
    const auto x = plotToAxisValue(px, axes.XScale, axes.XAxisMin);
    const auto y = plotToAxisValue(py, axes.YScale, axes.YAxisMin);
    if (!x || !y) return std::nullopt;
    return DataPoint{*x, *y};
}

} // namespace corvex

#pragma once
// The main window's coordinate frame. Positions on the plot are in plot units: the drawing area runs
// from -25 (left) to 110 (right) and from -25 (bottom) to 120 (top), y growing upward, and the axis
// frame spans 0..100 each way. Data values become plot units through the axes as drawn.

#include "model/PlotState.h"

#include <optional>

namespace corvex {

struct PlotFrame {
    static constexpr double kLeft = -25, kRight = 110, kBottom = -25, kTop = 120;
    static constexpr double kSpanX = kRight - kLeft; // 135
    static constexpr double kSpanY = kTop - kBottom; // 145
};

// A position in pixels from the drawing area's top-left corner, y growing downward.
struct PixelPosition {
    double x = 0, y = 0;
};

// Plot units <-> pixels of a drawing area of `size` pixels.
PixelPosition plotToPixels(double x, double y, const DrawingAreaSize& size);
PixelPosition pixelsToPlot(double px, double py, const DrawingAreaSize& size);

// Data values -> plot units: (v - AxisMin) * Scale, worked in double, rounded once to a 4-byte float.
float dataToPlotX(const DrawnAxes& axes, float x);
float dataToPlotY(const DrawnAxes& axes, float y);

// A data point as the readout and the zoom box see it.
struct DataPoint {
    float x = 0;
    float y = 0;
};

// Plot units -> data values: X = px / XScale + XAxisMin (likewise Y), worked in extended precision and
// each rounded once to a 4-byte float. No value while a scale is zero (nothing drawn yet) or when a
// result would not fit a 4-byte float.
std::optional<DataPoint> plotToData(const DrawnAxes& axes, float px, float py);

} // namespace corvex

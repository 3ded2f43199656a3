#pragma once
// Plot units to data values through the axes that the last repaint drew.

#include "app/PlotState.h"

#include <optional>

namespace corvex {

// A data point as the readout and the zoom box see it.
struct DataPoint {
    float x = 0;
    float y = 0;
};

// (px, py) in plot units -> X = px / XScale + XAxisMin, Y = py / YScale + YAxisMin, worked in extended
// precision and each rounded once to a 4-byte float. No value while a scale is zero (nothing drawn yet)
// or when a result would not fit a 4-byte float.
std::optional<DataPoint> plotToData(const PlotWindowFields& fields, float px, float py);

} // namespace corvex

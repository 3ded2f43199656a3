#pragma once
// The zoom rectangle in data values: ordering, pulling its edges inside the drawn axes, and counting
// the points it holds.

#include "model/PlotState.h"

#include <cstdint>

namespace corvex {

// Corners of a rectangle in data values.
struct DataRect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// Orders the corners (x1 <= x2, y1 <= y2), then moves an edge that lies beyond a drawn axis end (strictly)
// to one per cent of that axis's span inside it; an edge exactly on an axis end stays. A rectangle
// wholly outside an axis can come back inverted (x1 > x2 or y1 > y2) and then holds no point.
DataRect orderAndPullInside(DataRect rect, const DrawnAxes& axes);

// Number of points among 1..NumPts (all data sets) with x1 <= XVal <= x2 and y1 <= YVal <= y2.
int32_t countPointsInside(const PlotData& data, const DataRect& rect);

// NumPts kept within 0 and the capacity of the point arrays, so a scan of 1..n never leaves them.
int32_t storedPointCount(const PlotData& data);

} // namespace corvex

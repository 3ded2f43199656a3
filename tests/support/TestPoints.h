#pragma once
// Points put into the plot model as a read leaves them, for tests that start from loaded data.

#include "datafile/PlotReader.h"
#include "model/PlotState.h"

namespace corvex::testing {

struct TestPoint {
    float x, y;
    int16_t set = 1;
};

// Points 1..n as the reader stores them, DataLoaded set, with their full range as FindLimits leaves it.
inline PlotRange loadPoints(PlotData& data, const std::vector<TestPoint>& points) {
    data.NumPts = int32_t(points.size());
    for (size_t k = 0; k < points.size(); ++k) {
        data.XVal[k + 1] = points[k].x;
        data.YVal[k + 1] = points[k].y;
        data.SetNo[k + 1] = points[k].set;
    }
    data.DataLoaded = true;
    return FindLimits(data.XVal, data.YVal, data.NumPts);
}

} // namespace corvex::testing

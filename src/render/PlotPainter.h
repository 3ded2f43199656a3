#pragma once
// The drawing step of a plot: draws a laid-out plot onto a canvas (frame, ticks, symbols, connecting
// lines, titles, legends, tick labels). It shows no messages and changes no state.

#include "model/PlotState.h"
#include "platform/Canvas.h"
#include "platform/Services.h"
#include "render/PlotLayout.h"

#include <cstdint>

namespace corvex {

// What one drawing drew.
struct PlotPaintReport {
    int64_t symbolsDrawn = 0;
    int64_t lineSegmentsDrawn = 0;
};

// Draws `layout` (drawable) of `data` onto `canvas`, a drawing area of `size` pixels, moving the
// progress window's bar as the points are drawn.
PlotPaintReport drawPlot(const PlotLayout& layout, const PlotData& data, const DisplayOptions& options,
                         const DrawingAreaSize& size, Canvas& canvas, ProgressView& progress);

} // namespace corvex

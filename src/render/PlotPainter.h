#pragma once
// The main window's paint handler as a renderer: draws the whole plot of the plot state onto a
// canvas (frame, ticks, symbols, connecting lines, titles, legends, tick labels) and leaves the
// axes it drew in the window fields.

#include "app/PlotState.h"
#include "platform/Canvas.h"
#include "platform/Services.h"
#include "render/AxisScale.h"

#include <cstdint>

namespace corvex {

inline constexpr const char* kPlotFontFamily = "Times New Roman";

struct PlotPaintContext {
    PlotState& state;
    PlotWindowFields& fields; // reads PixWidth/PixHeight, options and font factors; writes the axes
    Canvas& canvas;           // the drawing area, PixWidth x PixHeight pixels
    MessageService& messages;
    ProgressView& progress;
    double outerWidthTwips; // the window's outer size (1440 / logical dpi twips per pixel)
    double outerHeightTwips;
};

// What one repaint drew.
struct PlotPaintReport {
    bool drawn = false; // false when no data were loaded or no axis could be drawn
    AxisSetup x, y;
    int64_t symbolsDrawn = 0;
    int64_t lineSegmentsDrawn = 0;
};

// Font sizes of one repaint from the larger outer side in twips: title/X legend and tick labels in
// points, the Y legend's cell height in pixels (each rounded halves to even).
struct PlotFontSizes {
    int16_t TitleSize;
    int16_t TickSize;
    int32_t YLegendHeight;
};
PlotFontSizes plotFontSizes(const PlotWindowFields& fields, double outerWidthTwips, double outerHeightTwips);

// Draws the plot. Without data it shows "There Are No Data To Plot Yet!" (title "Load Data") and
// draws nothing; a flat range shows its message and is drawn with the substitute axis; a range
// too narrow for an axis shows its message and draws nothing.
PlotPaintReport Form_Paint(PlotPaintContext& context);

} // namespace corvex

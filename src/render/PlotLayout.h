#pragma once
// The layout step of drawing a plot: from the data range, the options and the window's size, the
// axes, their scales, the font sizes and the warnings to show. It draws nothing and changes nothing.

#include "model/PlotState.h"
#include "render/AxisScale.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

inline constexpr const char* kPlotFontFamily = "Times New Roman";

// Font sizes of one repaint from the larger outer side in twips: title/X legend and tick labels in
// points, the Y legend's cell height in pixels (each rounded halves to even).
struct PlotFontSizes {
    int16_t TitleSize = 0;
    int16_t TickSize = 0;
    int32_t YLegendHeight = 0;
};
PlotFontSizes plotFontSizes(const DisplayOptions& options, double outerWidthTwips, double outerHeightTwips);

// A message box the window shows before the plot is drawn.
struct PlotWarning {
    std::string text;
    std::string title;
};

struct PlotLayout {
    bool drawable = false; // data are loaded and both axes have a finite scale
    AxisSetup x, y;
    DrawnAxes axes;  // the axis ends and scales the drawing uses; zoom and readout convert with them
    PlotRange range; // the range laid out: a flat range comes back widened
    PlotFontSizes fonts;
    std::vector<PlotWarning> warnings; // in the order to show
};

// Lays out the plot of `range`. Without data it warns "There Are No Data To Plot Yet!" (title "Load
// Data") and is not drawable; a flat range warns and is laid out on the substitute axis; a range too
// narrow for an axis warns and is not drawable. The outer size is the window's, in twips.
PlotLayout layOutPlot(bool dataLoaded, const PlotRange& range, const DisplayOptions& options,
                      double outerWidthTwips, double outerHeightTwips);

} // namespace corvex

#pragma once
// What the legend window shows: for each of the data sets 1..100 its symbol, in its colour, and its
// number, in five columns of twenty (one column per symbol shape). The drawing works on any canvas,
// so the window only has to show the image it gets.

#include "model/PlotState.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QSize>
#include <cstdint>

namespace corvex {

inline constexpr int16_t kLegendSets = 100;
inline constexpr float kLegendSymbolSize = 1.3f; // twice the plot's size constant 0.65
// The legend writes its numbers in the window's default font.
inline constexpr const char* kLegendFontFamily = "MS Sans Serif";
inline constexpr double kLegendFontPoints = 8.25;
// Designed size of the legend's drawing area in twips (1/1440 inch).
inline constexpr double kLegendWidthTwips = 3300;
inline constexpr double kLegendHeightTwips = 5970;

// Place of one entry in the legend frame (x 100..150 left to right, y 110..-30 top to bottom).
struct LegendEntry {
    int16_t column; // 0..4, one per shape
    int16_t row;    // 1..20
    float x, y;     // symbol centre; the number is written from (x + 2, y + 2)
};

// Entry of set i, 1 <= i <= 100: column (i - 1) \ 20, row i - 20 * column, x 104/113/122/131/140 by
// column, y = 104 - 6 * row (98 for the first row down to -16 for the twentieth).
LegendEntry legendEntry(int16_t i);

// The legend's paint handler: sets the legend frame on `canvas`, whose drawing area is lgndPixWidth x
// lgndPixHeight pixels, and draws the 100 entries with the colours of options.PlotColor, solid when
// options.FilledSyms, otherwise with the canvas's own fill style. The canvas's fill style, fill colour
// and drawing colour are back to their earlier values afterwards.
void drawLegend(Canvas& canvas, const DisplayOptions& options, float lgndPixWidth, float lgndPixHeight);

// The legend on a fresh white image of pixelSize (also the legend's pixel size); fonts are sized for
// logicalDpi. An empty size gives a null image.
QImage renderLegend(const DisplayOptions& options, QSize pixelSize, double logicalDpi);

} // namespace corvex

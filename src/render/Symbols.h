#pragma once
// Data-set symbols: shape and colour by set number, and the pixel geometry of the polygon symbols.
// The main plot and the legend window draw the same symbols, each through its own SymbolFrame.

#include "model/PlotState.h"
#include "platform/Canvas.h"

#include <array>
#include <cstdint>

namespace corvex {

enum class SymbolShape { Circle, Square, UpTriangle, Diamond, DownTriangle };

// Sets 1-20 circles, 21-40 squares, 41-60 up-triangles, 61-80 diamonds, 81 and above down-triangles.
// Only for setNo > 0.
SymbolShape symbolShape(int16_t setNo);

// PlotColor(setNo mod 20); setNo > 0.
Rgb symbolColor(const ColorTable& colors, int16_t setNo);

// How a window's user coordinates become the pixels of a polygon symbol: the user coordinates of
// the drawing area's top-left corner, its spans, its size in pixels, and the divisor of the
// diamond's half-height (which is not the vertical span on the main window).
struct SymbolFrame {
    double left, top;
    double spanX, spanY;
    double pixWidth, pixHeight;
    double diamondDivisor;
};

// Main window: left -25, top 120, spans 135 x 145, diamond divisor 100.
SymbolFrame plotSymbolFrame(float pixWidth, float pixHeight);
// Legend window: left 100, top 110, spans 50 x 140, diamond divisor 140.
SymbolFrame legendSymbolFrame(float lgndPixWidth, float lgndPixHeight);

// The polygon DrawSymbol hands to the canvas: the centre rounded to 16-bit pixels (halves to even),
// then each vertex rounded to 32-bit pixels. kind 1 up-triangle, 2 diamond, any other down-triangle.
struct SymbolPolygon {
    int16_t cx = 0, cy = 0;
    std::array<PixelPoint, 4> vertices{};
    int count = 0; // 3 or 4
};
SymbolPolygon symbolPolygon(const SymbolFrame& frame, float px, float py, float r, int16_t kind);

// Draws the polygon symbol of `kind` centred on (px, py) with radius r (user units), in the
// canvas's foreground colour and fill. The drawing position does not change.
void DrawSymbol(Canvas& canvas, const SymbolFrame& frame, float px, float py, float r, int16_t kind);

// Draws set setNo's symbol at (px, py) with radius r: fill and foreground colour become the set's
// colour, then exactly one canvas drawing call. A circle leaves the position at its centre, a
// square at its upper right corner (px + r, py + 4r/3). setNo > 0.
void drawSetSymbol(Canvas& canvas, const SymbolFrame& frame, const ColorTable& colors, int16_t setNo,
                   float px, float py, float r);

} // namespace corvex

#include "render/Symbols.h"

#include "model/PlotFrame.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <limits>

namespace corvex {

namespace {

template <typename Int> Int roundTo(double v) {
    const double r = roundHalfEven(v);
    // A centre far off the drawing area is held at the type's end rather than wrapped.
    return Int(
        std::clamp(r, double(std::numeric_limits<Int>::min()), double(std::numeric_limits<Int>::max())));
}

PixelPoint vertex(double x, double y) {
    return {roundTo<int32_t>(x), roundTo<int32_t>(y)};
}

} // namespace

SymbolShape symbolShape(int16_t setNo) {
    switch ((setNo - 1) / 20) {
    case 0:
        return SymbolShape::Circle;
    case 1:
        return SymbolShape::Square;
    case 2:
        return SymbolShape::UpTriangle;
    case 3:
        return SymbolShape::Diamond;
    default:
        return SymbolShape::DownTriangle;
    }
}

Rgb symbolColor(const ColorTable& colors, int16_t setNo) {
    return colors[size_t(setNo % 20)];
}

SymbolFrame plotSymbolFrame(float pixWidth, float pixHeight) {
    return {
        PlotFrame::kLeft, PlotFrame::kTop, PlotFrame::kSpanX, PlotFrame::kSpanY, pixWidth, pixHeight, 100};
}

SymbolFrame legendSymbolFrame(float lgndPixWidth, float lgndPixHeight) {
    return {100, 110, 50, 140, lgndPixWidth, lgndPixHeight, 140};
}

SymbolPolygon symbolPolygon(const SymbolFrame& f, float px, float py, float r, int16_t kind) {
    SymbolPolygon s;
    s.cx = roundTo<int16_t>((double(px) - f.left) * f.pixWidth / f.spanX);
    s.cy = roundTo<int16_t>((f.top - double(py)) * f.pixHeight / f.spanY);
    const double a = r * f.pixWidth / f.spanX;           // half-width of every polygon
    const double b = r * f.pixHeight / f.spanY;          // triangle height unit
    const double c = r * f.pixHeight / f.diamondDivisor; // diamond half-height
    const double cx = s.cx, cy = s.cy;
    switch (kind) {
    case 1: // up-triangle: apex 1.3 b above the centre, base 0.65 b below
        s.vertices = {vertex(cx + a, cy + 0.65 * b), vertex(cx, cy - 1.3 * b), vertex(cx - a, cy + 0.65 * b)};
        s.count = 3;
        break;
    case 2:
        s.vertices = {vertex(cx - a, cy), vertex(cx, cy - c), vertex(cx + a, cy), vertex(cx, cy + c)};
        s.count = 4;
        break;
    case 3: // down-triangle
        s.vertices = {vertex(cx + a, cy - 0.65 * b), vertex(cx, cy + 1.3 * b), vertex(cx - a, cy - 0.65 * b)};
        s.count = 3;
        break;
    }
    return s;
}

void DrawSymbol(Canvas& canvas, const SymbolFrame& frame, float px, float py, float r, int16_t kind) {
    const SymbolPolygon s = symbolPolygon(frame, px, py, r, kind);
    canvas.polygon(s.vertices.data(), s.count);
}

void drawSetSymbol(Canvas& canvas, const SymbolFrame& frame, const ColorTable& colors, int16_t setNo,
                   float px, float py, float r) {
    const Rgb color = symbolColor(colors, setNo);
    canvas.setFillColor(color);
    canvas.setForeColor(color);
    switch (symbolShape(setNo)) {
    case SymbolShape::Circle:
        canvas.circle(px, py, r, color);
        break;
    case SymbolShape::Square:
        canvas.box(double(px) - r, double(py) - 4.0 * r / 3, double(px) + r, double(py) + 4.0 * r / 3, color);
        break;
    case SymbolShape::UpTriangle:
        DrawSymbol(canvas, frame, px, py, r, 1);
        break;
    case SymbolShape::Diamond:
        DrawSymbol(canvas, frame, px, py, r, 2);
        break;
    case SymbolShape::DownTriangle:
        DrawSymbol(canvas, frame, px, py, r, 3);
        break;
    }
}

} // namespace corvex

#pragma once
// Drawing on a window's drawing area in a user coordinate system, as the forms runtime offers it.
// Positions, widths and heights are user units unless the name says pixels. With a top above the
// bottom, y grows upward. Text is placed by the top-left corner of its line.

#include "platform/Color.h"

#include <cstdint>
#include <string>

namespace corvex {

enum class FillStyle { Solid, Transparent };

// A pixel position measured from the drawing area's top-left corner, y growing downward.
struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    // User coordinates of the drawing area's edges. Until the first call the scale is in pixels.
    virtual void setUserScale(double left, double top, double right, double bottom) = 0;
    virtual double pixelWidth() const = 0; // size of the drawing area in pixels
    virtual double pixelHeight() const = 0;
    // Fills the drawing area with its background colour; the position goes to the top-left corner.
    virtual void clear() = 0;

    // Line from (x1, y1) to (x2, y2) at the current line width; the position ends at (x2, y2).
    virtual void line(double x1, double y1, double x2, double y2, Rgb color) = 0;
    // Line from the current position to (x, y); the position ends at (x, y).
    virtual void lineTo(double x, double y, Rgb color) = 0;
    // Rectangle outlined in `color`, its interior filled with the fill colour when the fill style is
    // solid; the position ends at the second corner.
    virtual void box(double x1, double y1, double x2, double y2, Rgb color) = 0;
    // Rectangle filled (and outlined) in `color` whatever the fill style; position at the second corner.
    virtual void filledBox(double x1, double y1, double x2, double y2, Rgb color) = 0;
    // Circle outlined in `color`; radius in user units along x (a true circle in pixels); interior as
    // for box(). The position ends at the centre.
    virtual void circle(double cx, double cy, double radius, Rgb color) = 0;
    // Polygon in pixel coordinates, outlined in the foreground colour, interior as for box().
    virtual void polygon(const PixelPoint* points, int count) = 0;

    virtual void setCurrentPosition(double x, double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    // Upright font; size in points.
    virtual void setFont(const std::string& family, double pointSize, bool bold) = 0;
    virtual void setFontSize(double pointSize) = 0;
    // Font turned a quarter counter-clockwise (text reads upward, letter tops facing left); the
    // height is the character cell's height in pixels. It stays until the next setFont().
    virtual void setUpwardFont(const std::string& family, int pixelHeight, bool bold) = 0;
    // Writes text in the foreground colour at the current position (the top-left corner of its
    // line; for the upward font the corner that becomes the bottom-left), then moves the position
    // to the start of the next line.
    virtual void print(const std::string& text) = 0;
    // Extent of text in the current upright font, in user units (always positive).
    virtual double textWidth(const std::string& text) const = 0;
    virtual double textHeight(const std::string& text) const = 0;
    // Advance width of text in the current font (upright or upward) in pixels.
    virtual int32_t textPixWidth(const std::string& text) const = 0;

    virtual void setLineWidth(int pixels) = 0;
    virtual int lineWidth() const = 0;
    virtual void setFillStyle(FillStyle style) = 0;
    virtual FillStyle fillStyle() const = 0;
    virtual void setFillColor(Rgb color) = 0;
    virtual Rgb fillColor() const = 0;
    virtual void setForeColor(Rgb color) = 0;
    virtual Rgb foreColor() const = 0;
};

} // namespace corvex

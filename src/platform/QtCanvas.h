#pragma once
// Canvas on any QPaintDevice (QImage, QSvgGenerator, QPdfWriter) through one QPainter that lives as
// long as the canvas. Shapes and text are drawn aliased, so symbols keep their whole-pixel look:
// circle centres and radii, box corners and polygon vertices lie on whole pixels, and on images a
// polygon's outline covers every vertex pixel and is as symmetric as the polygon.

#include "platform/Canvas.h"
#include "platform/SymbolStamps.h"
#include "platform/Text.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>
#include <memory>

class QPaintDevice;

namespace corvex {

class QtCanvas final : public Canvas {
  public:
    // `logicalDpi` turns point sizes into pixels (96: the screen's usual 15 twips per pixel).
    // The background for clear() is the application palette's window colour.
    explicit QtCanvas(QPaintDevice* device, double logicalDpi = 96.0);
    ~QtCanvas() override; // ends the painter: an SVG or PDF file is complete afterwards

    void setBackColor(Rgb color) { m_back = color; }

    // Symbols (circles, boxes and polygons of up to 48 pixels) on a 32-bit image are stamped from
    // copies drawn once per shape, size, colour and fill: the same pixels as a painter call each,
    // many times faster. On by default for such images; off, every shape is a painter call.
    void setSymbolStamping(bool on) { m_stamping = on; }
    bool symbolStamping() const { return m_stamping && m_stamps; }

    void setUserScale(double left, double top, double right, double bottom) override;
    double pixelWidth() const override { return m_pixWidth; }
    double pixelHeight() const override { return m_pixHeight; }
    void clear() override;

    void line(double x1, double y1, double x2, double y2, Rgb color) override;
    void lineTo(double x, double y, Rgb color) override;
    void box(double x1, double y1, double x2, double y2, Rgb color) override;
    void filledBox(double x1, double y1, double x2, double y2, Rgb color) override;
    void circle(double cx, double cy, double radius, Rgb color) override;
    void polygon(const PixelPoint* points, int count) override;

    void setCurrentPosition(double x, double y) override;
    double currentX() const override { return m_curX; }
    double currentY() const override { return m_curY; }

    void setFont(const std::string& family, double pointSize, bool bold) override;
    void setFontSize(double pointSize) override;
    void setUpwardFont(const std::string& family, int pixelHeight, bool bold) override;
    void print(const std::string& text) override;
    double textWidth(const std::string& text) const override;
    double textHeight(const std::string& text) const override;
    int32_t textPixWidth(const std::string& text) const override;

    void setLineWidth(int pixels) override { m_lineWidth = pixels; }
    int lineWidth() const override { return m_lineWidth; }
    void setFillStyle(FillStyle style) override { m_fillStyle = style; }
    FillStyle fillStyle() const override { return m_fillStyle; }
    void setFillColor(Rgb color) override { m_fill = color; }
    Rgb fillColor() const override { return m_fill; }
    void setForeColor(Rgb color) override { m_fore = color; }
    Rgb foreColor() const override { return m_fore; }

  private:
    QPointF toPixel(double x, double y) const;
    double unitsPerPixelX() const { return (m_right - m_left) / m_pixWidth; }
    double unitsPerPixelY() const { return (m_bottom - m_top) / m_pixHeight; }
    // Pen and brush are set only when they change: symbols are drawn by the hundred thousand.
    void usePen(Rgb color);
    void useBrush(bool filled, Rgb color);
    QPen makePen(Rgb color) const;
    // Pixels around a shape's anchor that hold all of a shape of `extent` pixels and its outline;
    // 0 when the shape is larger than a symbol.
    int symbolReach(double extent) const;
    // A shape in `pen` with the current fill, stamped when it has a reach (> 0) that fits in the
    // image, else drawn by the painter. `draw(painter, anchor)` draws it with its anchor pixel at
    // `anchor`; `key` holds its geometry relative to the anchor.
    template <typename Draw> void drawShape(StampKey key, QPoint anchor, int reach, Rgb pen, Draw&& draw);
    void drawSegment(QPointF a, QPointF b);
    QFont makeFont(const std::string& family, int pixelSize, bool bold) const;

    QPaintDevice* m_device;
    std::unique_ptr<SymbolStamps> m_stamps; // only on 32-bit images
    bool m_stamping = true;
    bool m_pixelOutlines =
        false; // on images polygons are outlined pixel by pixel, on vector devices by the painter
    QPainter m_painter;
    double m_dpi;
    double m_pixWidth, m_pixHeight;
    double m_left = 0, m_top = 0, m_right, m_bottom;
    double m_curX = 0, m_curY = 0;
    Rgb m_back;
    Rgb m_fore = 0;
    Rgb m_fill = 0;
    FillStyle m_fillStyle = FillStyle::Transparent;
    int m_lineWidth = 1;
    QFont m_font;
    bool m_upward = false;
    // What the painter holds now.
    Rgb m_penColor = 0;
    int m_penWidth = -1;
    bool m_brushFilled = false;
    Rgb m_brushColor = 0;
};

} // namespace corvex

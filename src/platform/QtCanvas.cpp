#include "platform/QtCanvas.h"

#include "platform/QtColor.h"

#include "platform/NumberText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPalette>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <vector>

namespace corvex {

namespace {

constexpr int kMaxVertices = 8; // of a polygon

Rgb paletteBackground() {
    if (!qGuiApp) return fromQColor(QColor(240, 240, 240));
    return fromQColor(QGuiApplication::palette().color(QPalette::Window));
}

// Pixel coordinates far outside the device are cut back so the rasteriser never sees huge numbers.
constexpr double kFarLimit = 1e9;

double tame(double v) {
    return std::clamp(v, -kFarLimit, kFarLimit);
}

// Liang-Barsky: clips segment a-b to the rectangle [lo, hi] in both axes; false when nothing is left.
bool clipSegment(QPointF& a, QPointF& b, QPointF lo, QPointF hi) {
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    // Per edge: the motion towards the outside, and the distance from a to the edge (negative: a is out).
    struct Edge {
        double towardsOutside, room;
    };
    const Edge edges[] = {
        {-dx, a.x() - lo.x()}, {dx, hi.x() - a.x()}, {-dy, a.y() - lo.y()}, {dy, hi.y() - a.y()}};
    for (const auto& [p, q] : edges) {
        if (p == 0) { // parallel to the edge: all in or all out
            if (q < 0) return false;
            continue;
        }
        const double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const QPointF start = a;
    a = start + t0 * QPointF(dx, dy);
    b = start + t1 * QPointF(dx, dy);
    return true;
}

// The pixel a position falls on: symbols are drawn at whole pixels, as the window system does.
QPoint wholePixel(QPointF p) {
    return {int(roundHalfEven(p.x())), int(roundHalfEven(p.y()))};
}

// Pixels of the edge a..b, both ends included, one per step along its longer axis. A position
// midway between two pixels takes the one on the side of `inside`, so mirror-image edges of a
// symmetric polygon get mirror-image pixels.
void addEdgePixels(QPoint a, QPoint b, QPointF inside, std::vector<QPoint>& pixels) {
    const QPoint d = b - a;
    const bool alongX = std::abs(d.x()) >= std::abs(d.y());
    const int steps = alongX ? std::abs(d.x()) : std::abs(d.y());
    const QPoint majorStep = alongX ? QPoint(d.x() < 0 ? -1 : 1, 0) : QPoint(0, d.y() < 0 ? -1 : 1);
    const QPoint minorStep = alongX ? QPoint(0, 1) : QPoint(1, 0);
    auto side = [&](QPointF p) { return d.x() * (p.y() - a.y()) - d.y() * (p.x() - a.x()); };
    const bool insidePositive = side(inside) > 0;
    for (int i = 0; i <= steps; ++i) {
        const double exact = steps == 0 ? 0.0 : double(i) * (alongX ? d.y() : d.x()) / steps;
        QPoint p = a + i * majorStep + int(std::floor(exact + 0.5)) * minorStep;
        if (exact - std::floor(exact) == 0.5 && (side(p) > 0) != insidePositive) p -= minorStep;
        pixels.push_back(p);
    }
}

// Outline pixels of a convex polygon through whole-pixel vertices: every vertex pixel and the
// edges between them, symmetric wherever the polygon is.
std::vector<QPoint> outlinePixels(const QPoint* vertices, int count) {
    QPointF centre;
    for (int i = 0; i < count; ++i)
        centre += QPointF(vertices[i]) / count;
    std::vector<QPoint> pixels;
    for (int i = 0; i < count; ++i)
        addEdgePixels(vertices[i], vertices[(i + 1) % count], centre, pixels);
    return pixels;
}

bool stampableImage(QPaintDevice* device) {
    if (device->devType() != QInternal::Image) return false;
    const QImage::Format f = static_cast<QImage*>(device)->format();
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QtCanvas::QtCanvas(QPaintDevice* device, double logicalDpi)
    : m_device(device), m_dpi(logicalDpi), m_pixWidth(std::max(1, device->width())),
      m_pixHeight(std::max(1, device->height())), m_right(m_pixWidth), m_bottom(m_pixHeight),
      m_back(paletteBackground()) {
    // The stamps take the image's pixels before the painter does, so both write the same buffer.
    if (stampableImage(device)) m_stamps = std::make_unique<SymbolStamps>(*static_cast<QImage*>(device));
    m_pixelOutlines = device->devType() == QInternal::Image;
    m_painter.begin(device);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
    m_font = makeFont("Times New Roman", 16, false);
}

QtCanvas::~QtCanvas() {
    if (m_painter.isActive()) m_painter.end();
}

QPointF QtCanvas::toPixel(double x, double y) const {
    return {tame((x - m_left) / unitsPerPixelX()), tame((y - m_top) / unitsPerPixelY())};
}

void QtCanvas::setUserScale(double left, double top, double right, double bottom) {
    if (right == left || bottom == top) return; // a scale without extent would divide by zero
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
}

void QtCanvas::clear() {
    m_painter.fillRect(QRectF(0, 0, m_pixWidth, m_pixHeight), toQColor(m_back));
    m_curX = m_left;
    m_curY = m_top;
}

QPen QtCanvas::makePen(Rgb color) const {
    QPen pen(toQColor(color));
    pen.setWidth(std::max(1, m_lineWidth));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void QtCanvas::usePen(Rgb color) {
    if (color == m_penColor && m_lineWidth == m_penWidth) return;
    m_painter.setPen(makePen(color));
    m_penColor = color;
    m_penWidth = m_lineWidth;
}

void QtCanvas::useBrush(bool filled, Rgb color) {
    if (filled == m_brushFilled && (!filled || color == m_brushColor)) return;
    m_painter.setBrush(filled ? QBrush(toQColor(color)) : QBrush(Qt::NoBrush));
    m_brushFilled = filled;
    m_brushColor = color;
}

void QtCanvas::drawSegment(QPointF a, QPointF b) {
    const double margin = 2.0 * std::max(1, m_lineWidth);
    if (!clipSegment(a, b, {-margin, -margin}, {m_pixWidth + margin, m_pixHeight + margin})) return;
    m_painter.drawLine(a, b);
}

void QtCanvas::line(double x1, double y1, double x2, double y2, Rgb color) {
    usePen(color);
    drawSegment(toPixel(x1, y1), toPixel(x2, y2));
    m_curX = x2;
    m_curY = y2;
}

void QtCanvas::lineTo(double x, double y, Rgb color) {
    line(m_curX, m_curY, x, y, color);
}

int QtCanvas::symbolReach(double extent) const {
    const double reach = std::ceil(extent) + std::max(1, m_lineWidth) + 2; // the outline's width and rounding
    return reach <= SymbolStamps::kMaxReach ? int(reach) : 0;
}

template <typename Draw>
void QtCanvas::drawShape(StampKey key, QPoint anchor, int reach, Rgb pen, Draw&& draw) {
    const bool filled = m_fillStyle == FillStyle::Solid;
    if (m_stamping && m_stamps && m_stamps->fits(anchor, reach)) {
        key.filled = filled;
        key.penWidth = uint8_t(std::max(1, m_lineWidth));
        key.pen = pen;
        key.brush = filled ? m_fill : 0;
        m_stamps->stamp(key, anchor, reach, [&](QPainter& painter, QPoint at) {
            painter.setPen(makePen(pen));
            painter.setBrush(filled ? QBrush(toQColor(m_fill)) : QBrush(Qt::NoBrush));
            draw(painter, at);
        });
        return;
    }
    usePen(pen);
    useBrush(filled, m_fill);
    draw(m_painter, anchor);
}

void QtCanvas::box(double x1, double y1, double x2, double y2, Rgb color) {
    const QRectF exact = QRectF(toPixel(x1, y1), toPixel(x2, y2)).normalized();
    const int reach = symbolReach(std::max(exact.width(), exact.height()) + 1);
    if (reach > 0) { // a symbol: corners on whole pixels
        const QRect r = QRect(wholePixel(exact.topLeft()), wholePixel(exact.bottomRight()));
        const int w = r.right() - r.left(), h = r.bottom() - r.top(); // between the corners
        StampKey key;
        key.shape = StampKey::Shape::Rect;
        key.size[0] = w;
        key.size[1] = h;
        drawShape(key, r.topLeft(), reach, color,
                  [w, h](QPainter& painter, QPoint at) { painter.drawRect(QRectF(at, QSizeF(w, h))); });
    } else {
        usePen(color);
        useBrush(m_fillStyle == FillStyle::Solid, m_fill);
        m_painter.drawRect(exact);
    }
    m_curX = x2;
    m_curY = y2;
}

void QtCanvas::filledBox(double x1, double y1, double x2, double y2, Rgb color) {
    usePen(color);
    useBrush(true, color);
    m_painter.drawRect(QRectF(toPixel(x1, y1), toPixel(x2, y2)).normalized());
    m_curX = x2;
    m_curY = y2;
}

void QtCanvas::circle(double cx, double cy, double radius, Rgb color) {
    const double r = std::abs(radius / unitsPerPixelX());
    const QPointF centre = toPixel(cx, cy);
    if (const int reach = symbolReach(r); reach > 0) { // a symbol: centred on a whole pixel
        // Whole-pixel radius: the painter draws an ellipse in a whole-pixel rectangle symmetrically.
        const int whole = int(roundHalfEven(r));
        StampKey key;
        key.shape = StampKey::Shape::Ellipse;
        key.radius = whole;
        drawShape(key, wholePixel(centre), reach, color, [whole](QPainter& painter, QPoint at) {
            painter.drawEllipse(QRect(at - QPoint(whole, whole), QSize(2 * whole, 2 * whole)));
        });
    } else {
        usePen(color);
        useBrush(m_fillStyle == FillStyle::Solid, m_fill);
        m_painter.drawEllipse(centre, r, r);
    }
    m_curX = cx;
    m_curY = cy;
}

void QtCanvas::polygon(const PixelPoint* points, int count) {
    count = std::clamp(count, 0, kMaxVertices);
    if (count == 0) return;
    // Vertices relative to the first, which is the anchor (64-bit: vertices may lie far apart).
    int64_t dx[kMaxVertices], dy[kMaxVertices];
    StampKey key;
    key.shape = StampKey::Shape::Polygon;
    key.count = uint8_t(count);
    int64_t extent = 0;
    for (int i = 0; i < count; ++i) {
        dx[i] = int64_t(points[i].x) - points[0].x;
        dy[i] = int64_t(points[i].y) - points[0].y;
        extent = std::max({extent, std::abs(dx[i]), std::abs(dy[i])});
        key.size[2 * i] = int32_t(dx[i]), key.size[2 * i + 1] = int32_t(dy[i]);
    }
    // Polygons of any size go through drawShape: their vertices are whole pixels already.
    drawShape(key, QPoint(points[0].x, points[0].y), symbolReach(double(extent)), m_fore,
              [&dx, &dy, count, this](QPainter& painter, QPoint at) {
                  QPoint vertices[kMaxVertices];
                  for (int i = 0; i < count; ++i)
                      vertices[i] = QPoint(int(at.x() + dx[i]), int(at.y() + dy[i]));
                  if (!m_pixelOutlines) {
                      painter.drawPolygon(vertices, count);
                      return;
                  }
                  // The painter's own outline misses or adds a pixel on sloping edges: the interior
                  // is filled through the vertices' pixel centres, then the outline set pixel by pixel.
                  QPointF centres[kMaxVertices];
                  for (int i = 0; i < count; ++i)
                      centres[i] = QPointF(vertices[i]) + QPointF(0.5, 0.5);
                  const QPen pen = painter.pen();
                  painter.setPen(Qt::NoPen);
                  painter.drawPolygon(centres, count);
                  painter.setPen(pen);
                  const std::vector<QPoint> outline = outlinePixels(vertices, count);
                  painter.drawPoints(outline.data(), int(outline.size()));
              });
}

void QtCanvas::setCurrentPosition(double x, double y) {
    m_curX = x;
    m_curY = y;
}

QFont QtCanvas::makeFont(const std::string& family, int pixelSize, bool bold) const {
    QFont font(toQString(family));
    font.setPixelSize(std::max(1, pixelSize));
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void QtCanvas::setFont(const std::string& family, double pointSize, bool bold) {
    m_font = makeFont(family, int(std::lround(pointSize * m_dpi / 72.0)), bold);
    m_upward = false;
}

void QtCanvas::setFontSize(double pointSize) {
    m_font.setPixelSize(std::max(1L, std::lround(pointSize * m_dpi / 72.0)));
}

void QtCanvas::setUpwardFont(const std::string& family, int pixelHeight, bool bold) {
    // The height asked for is the whole character cell; Qt sizes fonts by the em, so scale once.
    QFont font = makeFont(family, pixelHeight, bold);
    const double cell = QFontMetricsF(font, m_device).height();
    if (cell > 0) font.setPixelSize(std::max(1, int(std::lround(pixelHeight * pixelHeight / cell))));
    m_font = font;
    m_upward = true;
}

void QtCanvas::print(const std::string& text) {
    const QFontMetricsF metrics(m_font, m_device);
    usePen(m_fore);
    m_painter.setFont(m_font);
    const QPointF at = toPixel(m_curX, m_curY);
    if (m_upward) {
        m_painter.save();
        m_painter.translate(at);
        m_painter.rotate(-90.0);
        m_painter.drawText(QPointF(0, metrics.ascent()), toQString(text));
        m_painter.restore();
    } else {
        m_painter.drawText(at + QPointF(0, metrics.ascent()), toQString(text));
    }
    m_curX = m_left;
    m_curY += metrics.height() * unitsPerPixelY();
}

double QtCanvas::textWidth(const std::string& text) const {
    return std::abs(QFontMetricsF(m_font, m_device).horizontalAdvance(toQString(text)) * unitsPerPixelX());
}

double QtCanvas::textHeight(const std::string&) const {
    return std::abs(QFontMetricsF(m_font, m_device).height() * unitsPerPixelY());
}

int32_t QtCanvas::textPixWidth(const std::string& text) const {
    return int32_t(std::lround(QFontMetricsF(m_font, m_device).horizontalAdvance(toQString(text))));
}

} // namespace corvex

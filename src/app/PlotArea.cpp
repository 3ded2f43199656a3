#include "app/PlotArea.h"

#include "model/PlotFrame.h"
#include "platform/LargePageImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace corvex {

PlotArea::PlotArea(QWidget* parent) : QWidget(parent) {
    setObjectName("PlotArea");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
}

void PlotArea::resetImage(QSize size) {
    // The same size keeps its pixels' memory: a plot every second must not churn the heap.
    if (m_image.size() != size)
        m_image = size.isEmpty() ? QImage() : largePageImage(size.width(), size.height());
    m_image.fill(palette().color(QPalette::Window));
}

void PlotArea::setOverlay(std::function<void(QPainter&)> overlay) {
    m_overlay = std::move(overlay);
    update();
}

DrawingAreaSize PlotArea::scaleSize() const {
    const QSize s = m_image.isNull() ? size() : m_image.size();
    return {float(s.width()), float(s.height())};
}

QPointF PlotArea::toPlotUnits(const QPointF& pixel) const {
    const PixelPosition p = pixelsToPlot(pixel.x(), pixel.y(), scaleSize());
    return {p.x, p.y};
}

QPointF PlotArea::toPixels(double x, double y) const {
    const PixelPosition p = plotToPixels(x, y, scaleSize());
    return {p.x, p.y};
}

void PlotArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_image.isNull()) p.drawImage(0, 0, m_image);
    if (m_overlay) m_overlay(p);
}

void PlotArea::mousePressEvent(QMouseEvent* e) {
    const QPointF p = toPlotUnits(e->position());
    emit mouseDown(float(p.x()), float(p.y()));
}

void PlotArea::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = toPlotUnits(e->position());
    emit mouseMoved(float(p.x()), float(p.y()));
}

void PlotArea::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF p = toPlotUnits(e->position());
    emit mouseUp(float(p.x()), float(p.y()));
}

} // namespace corvex

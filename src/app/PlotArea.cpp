#include "app/PlotArea.h"

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
    if (m_image.size() != size) m_image = QImage(size, QImage::Format_RGB32);
    m_image.fill(palette().color(QPalette::Window));
}

void PlotArea::setOverlay(std::function<void(QPainter&)> overlay) {
    m_overlay = std::move(overlay);
    update();
}

QSizeF PlotArea::scaleSize() const {
    return m_image.isNull() ? QSizeF(size()) : QSizeF(m_image.size());
}

QPointF PlotArea::toPlotUnits(const QPointF& pixel) const {
    const QSizeF s = scaleSize();
    return {-25.0 + 135.0 * pixel.x() / s.width(), 120.0 - 145.0 * pixel.y() / s.height()};
}

QPointF PlotArea::toPixels(double x, double y) const {
    const QSizeF s = scaleSize();
    return {(x + 25.0) * s.width() / 135.0, (120.0 - y) * s.height() / 145.0};
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

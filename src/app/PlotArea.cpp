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

void PlotArea::resetImage() {
    m_image = QImage(size(), QImage::Format_RGB32);
    m_image.fill(palette().color(QPalette::Window));
}

void PlotArea::setOverlay(std::function<void(QPainter&)> overlay) {
    m_overlay = std::move(overlay);
    update();
}

QPointF PlotArea::toPlotUnits(const QPointF& pixel) const {
    return {-25.0 + 135.0 * pixel.x() / width(), 120.0 - 145.0 * pixel.y() / height()};
}

QPointF PlotArea::toPixels(double x, double y) const {
    return {(x + 25.0) * width() / 135.0, (120.0 - y) * height() / 145.0};
}

void PlotArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_image.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));
    else
        p.drawImage(0, 0, m_image);
    if (m_overlay) m_overlay(p);
}

void PlotArea::resizeEvent(QResizeEvent*) {
    emit resized();
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

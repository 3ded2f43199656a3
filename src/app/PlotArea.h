#pragma once
// The main window's drawing area: it shows the persistent image (the plot as last drawn) and hands
// mouse events on in plot units, (-25, 120) at the top left to (110, -25) at the bottom right.

#include "model/PlotState.h"

#include <QImage>
#include <QWidget>
#include <functional>

namespace corvex {

class PlotArea : public QWidget {
    Q_OBJECT
  public:
    explicit PlotArea(QWidget* parent = nullptr);

    QImage& persistentImage() { return m_image; }
    // A fresh image of `size` pixels, cleared to the window's background.
    void resetImage(QSize size);
    // Drawn over the image until cleared (the zoom box outline).
    void setOverlay(std::function<void(QPainter&)> overlay);

    // Plot units of a pixel position of this widget, in the scale of the image shown (the drawing
    // area's size at the last redraw); the widget's own size before any image exists.
    QPointF toPlotUnits(const QPointF& pixel) const;
    // Pixel position of a point in plot units.
    QPointF toPixels(double x, double y) const;

  signals:
    void mouseDown(float x, float y);
    void mouseMoved(float x, float y);
    void mouseUp(float x, float y);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    DrawingAreaSize scaleSize() const;

    QImage m_image;
    std::function<void(QPainter&)> m_overlay;
};

} // namespace corvex

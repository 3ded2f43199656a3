#include "app/PlotCapture.h"

#include <QPixmap>
#include <QWidget>

namespace corvex {

QImage GrabClientArea(QWidget& clientArea) {
    return clientArea.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace corvex

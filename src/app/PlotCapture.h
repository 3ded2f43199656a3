#pragma once
// Capture of the plot window's client area as shown.

#include <QImage>

class QWidget;

namespace corvex {

// The pixels of `clientArea` (the drawing area without menu bar) as they are shown now, in an image of its
// own (RGB32, device pixels).
QImage GrabClientArea(QWidget& clientArea);

} // namespace corvex

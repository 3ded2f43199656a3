#pragma once
// Images on large-page memory (see LargePages.h): the window's persistent image and corvex-render's.

#include <QImage>

namespace corvex {

// A 32-bit RGB image of width x height (> 0) on a block of mapLargeBlock; its pixels are not set. A
// null image when the system has no room, as QImage answers.
QImage largePageImage(int width, int height);

} // namespace corvex

#include "output/PrintLayout.h"

#include <algorithm>

namespace corvex {

namespace {
constexpr double kPrintedShare = 0.8; // the plot takes 80 per cent of the largest size that fits
}

PageOrientation OrientationFor(double pictureWidth, double pictureHeight) {
    return pictureHeight >= pictureWidth ? PageOrientation::Portrait : PageOrientation::Landscape;
}

PicturePlacement PlacePicture(double pictureWidth, double pictureHeight, const PrintableArea& area) {
    if (!(pictureWidth > 0 && pictureHeight > 0 && area.width > 0 && area.height > 0))
        return {static_cast<float>(area.left + area.width / 2),
                static_cast<float>(area.top + area.height / 2), 0, 0};
    // The picture grows until it fills the area's width or its height, whichever comes first.
    const double pictureRatio = pictureWidth / pictureHeight;
    const double fitWidth = std::min(area.width, area.height * pictureRatio);
    const double fitHeight = std::min(area.height, area.width / pictureRatio);
    PicturePlacement placement;
    placement.width = kPrintedShare * fitWidth;
    placement.height = kPrintedShare * fitHeight;
    placement.left = static_cast<float>(area.left + (area.width - placement.width) / 2);
    placement.top = static_cast<float>(area.top + (area.height - placement.height) / 2);
    return placement;
}

} // namespace corvex

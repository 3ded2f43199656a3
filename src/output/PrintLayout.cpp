#include "output/PrintLayout.h"

namespace corvex {

namespace {
constexpr double kPrintedShare = 0.8; // the plot takes 80 per cent of the largest size that fits
}

PageOrientation OrientationFor(double pictureWidth, double pictureHeight) {
    return pictureHeight >= pictureWidth ? PageOrientation::Portrait : PageOrientation::Landscape;
}

PicturePlacement PlacePicture(double pictureWidth, double pictureHeight, double areaWidth,
                              double areaHeight) {
    if (!(pictureWidth > 0 && pictureHeight > 0 && areaWidth > 0 && areaHeight > 0))
        return {static_cast<float>(areaWidth / 2), static_cast<float>(areaHeight / 2), 0, 0};
    const double pictureRatio = pictureWidth / pictureHeight;
    const double areaRatio = areaWidth / areaHeight;
    // A picture relatively wider than the area fills its width, otherwise its height.
    const double fitWidth = pictureRatio >= areaRatio ? areaWidth : areaHeight * pictureRatio;
    const double fitHeight = pictureRatio >= areaRatio ? areaWidth / pictureRatio : areaHeight;
    PicturePlacement placement;
    placement.width = kPrintedShare * fitWidth;
    placement.height = kPrintedShare * fitHeight;
    placement.left = static_cast<float>((areaWidth - placement.width) / 2);
    placement.top = static_cast<float>((areaHeight - placement.height) / 2);
    return placement;
}

} // namespace corvex

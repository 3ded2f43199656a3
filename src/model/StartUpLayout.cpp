#include "model/StartUpLayout.h"

namespace corvex {

StartUpPlacement startUpPlacement(const ScreenMetrics& screen) {
    StartUpPlacement p;
    p.width = 0.65 * screen.widthTwips;
    p.height = 0.65 * screen.heightTwips;
    const float screenPixels = float(screen.widthTwips / screen.twipsPerPixelY);
    if (screenPixels > 640) p.readoutPoints = 12;
    p.left = screen.widthTwips - 1.05 * p.width;
    p.top = screen.heightTwips - 1.05 * p.height;
    return p;
}

} // namespace corvex

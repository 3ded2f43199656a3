#include "zoom/CoordinateReadout.h"

#include "model/PlotFrame.h"
#include "platform/NumberText.h"

namespace corvex {

std::string readoutText(float x, float y) {
    return " X= " + formatNumber(x, "0.0000E+00") + ", Y= " + formatNumber(y, "0.000E+00");
}

std::optional<std::string> coordinateReadout(bool shown, const DrawnAxes& axes, float px, float py) {
    if (!shown) return std::nullopt;
    const auto point = plotToData(axes, px, py);
    if (!point) return std::nullopt;
    return readoutText(point->x, point->y);
}

} // namespace corvex

#include "zoom/CoordinateReadout.h"

#include "platform/NumberText.h"
#include "zoom/PlotToData.h"

namespace corvex {

std::string readoutText(float x, float y) {
    return " X= " + formatNumber(x, "0.0000E+00") + ", Y= " + formatNumber(y, "0.000E+00");
}

std::optional<std::string> coordinateReadout(const PlotState& state, const PlotWindowFields& fields, float px,
                                             float py) {
    if (!(fields.ShowCoords && state.DataLoaded)) return std::nullopt;
    const auto point = plotToData(fields, px, py);
    if (!point) return std::nullopt;
    return readoutText(point->x, point->y);
}

} // namespace corvex

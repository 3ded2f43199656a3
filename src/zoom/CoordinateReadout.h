#pragma once
// The coordinate readout shown in XYLabel while "&Display (X,Y)" is on.

#include "model/PlotState.h"

#include <optional>
#include <string>

namespace corvex {

// " X= " + x as "0.0000E+00" + ", Y= " + y as "0.000E+00"; 12.5, -0.25 -> " X= 1.2500E+01, Y= -2.500E-01".
std::string readoutText(float x, float y);

// The readout for the pointer at (px, py) in plot units; nothing unless `shown` (ShowCoords and
// DataLoaded both on) and the axes allow the conversion (the readout then keeps its old text).
std::optional<std::string> coordinateReadout(bool shown, const DrawnAxes& axes, float px, float py);

} // namespace corvex

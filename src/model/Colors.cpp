#include "model/Colors.h"

namespace corvex {

void SetColors(DisplayOptions& options) {
    static constexpr std::array<Rgb, 21> table = {
        rgb(0, 63, 159),  rgb(0, 0, 0),       rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(0, 0, 255),
        rgb(127, 127, 0), rgb(127, 0, 95),    rgb(255, 127, 0),   rgb(127, 127, 127), rgb(63, 0, 159),
        rgb(95, 0, 0),    rgb(0, 95, 0),      rgb(0, 223, 223),   rgb(223, 223, 0),   rgb(223, 0, 223),
        rgb(127, 127, 0), rgb(255, 127, 127), rgb(128, 128, 192), rgb(255, 0, 127),   rgb(0, 255, 128),
        rgb(0, 63, 159)};
    options.PlotColor = table;
}

} // namespace corvex

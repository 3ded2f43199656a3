#include "render/AxisScale.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <tuple>

namespace corvex {

namespace {

// Slightly above ln 10, so a range third of exactly 10, 100, ... takes the lower power.
constexpr double kLn10Divisor = 2.3025851;

// Low end on multiples of step: a fifth of a step of margin below lo unless it would reach zero.
double lowMultiple(double lo, double step) {
    double k = std::floor(lo / step);
    for (;;) {
        const bool sameSignNeighbours = k >= 2 || k <= -1; // k - 1 and k both non-zero, same sign
        if (float(lo - step / 5) < float(k * step) && sameSignNeighbours) k -= 1;
        if (k * step <= lo) return k;
        k -= 1; // only when the division above rounded up
    }
}

// High end: the next multiple above hi, unless that multiple is 0 or the one just below is.
double highMultiple(double hi, double step) {
    const double k = std::floor(hi / step);
    const bool sameSignNeighbours = k >= 1 || k <= -2; // k and k + 1 both non-zero, same sign
    return sameSignNeighbours ? k + 1 : k;
}

// v as a 4-byte float, held at the largest float where it lies beyond the float range.
float clampToFloat(double v) {
    return float(std::clamp(v, -double(FLT_MAX), double(FLT_MAX)));
}

} // namespace

void AxisLimits(float lo, float hi, float& axisLo, float& axisHi, int32_t& intervals) {
    if (!(std::isfinite(lo) && std::isfinite(hi) && lo < hi)) {
        axisLo = lo;
        axisHi = hi;
        intervals = 1;
        return;
    }
    const double d = (double(hi) - double(lo)) / 3;
    double step = std::pow(10.0, std::floor(std::log(d) / kLn10Divisor));
    double kLo = 0, kHi = 0, n = 0;
    for (;;) {
        kLo = lowMultiple(lo, step);
        kHi = highMultiple(hi, step);
        n = kHi - kLo;
        if (n < 10) break;
        step *= 2;
    }
    if (kHi * step < hi) { // kHi was 0 or -1 and stayed below hi
        kHi += 1;
        n += 1;
    }
    axisLo = clampToFloat(kLo * step);
    axisHi = clampToFloat(kHi * step);
    // The multiple above hi can round back onto hi as a float, which would put the largest point
    // on the limit; the next float up keeps it inside without changing any label.
    if (kHi * step > hi && axisHi <= hi) axisHi = std::nextafter(axisHi, FLT_MAX);
    intervals = int32_t(n);
}

std::string AxisExponent(float a, float b) {
    float v = std::abs(b) < std::abs(a) ? b : a;
    if (a == 0)
        v = b;
    else if (b == 0)
        v = a;
    const std::string text = formatNumber(v, "+0.00E+00;-0.00E+00");
    std::string exponent = text.size() > 6 ? text.substr(6) : "+00"; // "+1.23E+04" -> "+04"
    if (exponent == "+01" || exponent == "-01") exponent = "+00";
    return exponent;
}

AxisSetup SetUpAxis(AxisName name, float plotMin, float plotMax) {
    AxisSetup axis;
    int32_t intervals = 0;
    if (plotMin == plotMax) {
        const float v = plotMin;
        if (v == 0) {
            axis.AxisMin = -3;
            axis.AxisMax = 3;
            intervals = 6;
        } else {
            const float third = float(double(v) / 3), triple = clampToFloat(3 * double(v));
            std::tie(plotMin, plotMax) = std::minmax(third, triple); // v/3 .. 3v, or 3v .. v/3 below 0
            AxisLimits(plotMin, plotMax, axis.AxisMin, axis.AxisMax, intervals);
        }
        axis.Warnings.push_back(std::string("DATA ERROR:  All ") + (name == AxisName::X ? "X" : "Y") +
                                " values are identical.");
    } else {
        AxisLimits(plotMin, plotMax, axis.AxisMin, axis.AxisMax, intervals);
    }
    axis.TickCount = int16_t(intervals + 1);
    if (!std::isfinite(axisScale(axis))) {
        axis.Drawable = false;
        axis.Warnings.push_back(std::string("DATA ERROR:  The ") + (name == AxisName::X ? "X" : "Y") +
                                " range is too narrow to draw an axis.");
    }
    axis.PlotMin = plotMin;
    axis.PlotMax = plotMax;
    axis.TickStep = float((double(axis.AxisMax) - double(axis.AxisMin)) / (axis.TickCount - 1));
    axis.ExpText = AxisExponent(axis.AxisMin, axis.AxisMax);
    axis.ExpFactor = float(std::pow(10.0, std::atoi(axis.ExpText.c_str())));
    if (axis.ExpFactor != 1.0f)
        axis.ExpSuffix = (name == AxisName::X ? "  (10^" : " (10^") + axis.ExpText + ")";
    return axis;
}

float axisScale(const AxisSetup& axis) {
    return float(100.0 / (double(axis.AxisMax) - double(axis.AxisMin)));
}

std::string tickLabel(const AxisSetup& axis, int j) {
    return formatNumber((double(axis.AxisMin) + j * double(axis.TickStep)) / double(axis.ExpFactor), "0.000");
}

double tickPosition(const AxisSetup& axis, int j) {
    return 100.0 * j / (axis.TickCount - 1);
}

} // namespace corvex

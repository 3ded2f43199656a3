#pragma once
// Axis set-up: tidy axis limits on multiples of a step, tick values and "0.000" labels, and the
// power of ten divided out of the labels and named after the axis legend.

#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

// Rounds lo..hi (lo < hi) outward to multiples of a step of 1, 2, 4, 8, ... times a power of ten,
// with fewer than 10 intervals before the final raise of the top (so at most 11 ticks). The low
// end keeps at least a fifth of a step below lo unless that would reach or cross zero; a limit
// beyond the float range is held at the largest float, and the top always lies above hi unless
// hi is 0, the multiple just below 0, or the largest float. A range that is not finite or not
// increasing comes back unchanged with one interval.
void AxisLimits(float lo, float hi, float& axisLo, float& axisHi, int32_t& intervals);

// Sign and two digits of the exponent of the limit of smaller magnitude (a zero limit passed
// over), e.g. "+03", "-02"; "+01" and "-01" become "+00".
std::string AxisExponent(float a, float b);

enum class AxisName { X, Y };

// One drawn axis: its ends, ticks and exponent.
struct AxisSetup {
    float AxisMin = 0, AxisMax = 0;
    int16_t TickCount = 0;
    float TickStep = 0;
    std::string ExpText;               // "+00"
    float ExpFactor = 1;               // 10 to the power ExpText
    std::string ExpSuffix;             // "  (10^+03)" on X, " (10^+03)" on Y; empty when ExpFactor is 1
    bool Drawable = true;              // false when the range is too narrow for a finite scale
    float PlotMin = 0, PlotMax = 0;    // the range scaled: a flat range comes back widened
    std::vector<std::string> Warnings; // data errors to show (title kDataErrorTitle)
};

inline constexpr const char* kDataErrorTitle = "Data Error";

// Sets up the axis for the plot range plotMin..plotMax. A flat range (plotMin == plotMax == v)
// warns "DATA ERROR:  All X values are identical." (or Y) and uses -3..3 for v = 0, else widens
// the range to v/3..3v (3v..v/3 for v < 0) and scales that. A range too narrow for a finite
// 4-byte scale warns "DATA ERROR:  The X range is too narrow to draw an axis." (or Y) and comes
// back not Drawable.
AxisSetup SetUpAxis(AxisName name, float plotMin, float plotMax);

// Plot units per data unit: 100 / (AxisMax - AxisMin), as a 4-byte float.
float axisScale(const AxisSetup& axis);

// Data value of tick j (0 .. TickCount-1) divided by ExpFactor, formatted "0.000".
std::string tickLabel(const AxisSetup& axis, int j);

// Plot position (0..100) of tick j.
double tickPosition(const AxisSetup& axis, int j);

} // namespace corvex

#pragma once
// Number <-> text conversions of the forms runtime: format patterns, Str$-style number text,
// Val-style leading number, and whole-number conversion with halves rounded to even.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvex {

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2); the sign of a
// zero stays, NaN and infinities are returned as they are. Inline: it runs for every symbol.
inline double roundHalfEven(double v) {
    // Below 2^52, adding and taking away 2^52 leaves the nearest whole number, halves to even (the
    // default rounding); larger magnitudes are whole already. Two additions, no library call.
    constexpr double kWhole = 0x1p52;
    if (!(std::fabs(v) < kWhole)) return v;
    return std::copysign(v >= 0 ? (v + kWhole) - kWhole : (v - kWhole) + kWhole, v); // -0.3 gives -0
}

// roundHalfEven into a signed integer of the given range; nullopt when it does not fit or v is not finite.
std::optional<int32_t> toInt32(double v);
std::optional<int16_t> toInt16(double v);

// Formats v with one of the patterns "0.000", "0.0000E+00", "0.000E+00", "+0.00E+00;-0.00E+00", "###",
// "000". Rounding of the mantissa may raise the exponent (9.996 -> "+1.00E+01"). The decimal point is
// always ".". An unknown pattern formats like "0.000".
std::string formatNumber(double v, std::string_view pattern);

// A whole number as text with a leading blank when it is not negative (5 -> " 5", -5 -> "-5").
std::string numberToText(long long v);

// The number at the start of a text: leading blanks skipped, then the longest decimal prefix
// (sign, digits, fraction, exponent); 0 when there is none.
double leadingNumber(std::string_view text);

} // namespace corvex

#include "platform/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace corvex {

namespace {

template <typename Int> std::optional<Int> toIntegral(double v) {
    const double r = roundHalfEven(v);
    if (!std::isfinite(r) || r < double(std::numeric_limits<Int>::min()) ||
        r > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(r);
}

// What printf writes, however long.
template <typename... Args> std::string printed(const char* format, Args... args) {
    std::string text(size_t(std::snprintf(nullptr, 0, format, args...)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

// Scientific form with `decimals` mantissa decimals and an exponent of at least two digits (as printf
// writes it, as the patterns want).
std::string scientific(double v, int decimals, bool plusSign) {
    return printed(plusSign ? "%+.*E" : "%.*E", decimals, v);
}

std::string fixed(double v, int decimals) {
    std::string s = printed("%.*f", decimals, v);
    if (s == "-0.000" || s == "-0") s.erase(0, 1); // no minus sign on a label that shows zero
    return s;
}

} // namespace

std::optional<int32_t> toInt32(double v) {
    return toIntegral<int32_t>(v);
}
std::optional<int16_t> toInt16(double v) {
    return toIntegral<int16_t>(v);
}

std::string formatNumber(double v, std::string_view pattern) {
    if (pattern == "0.0000E+00") return scientific(v, 4, false);
    if (pattern == "0.000E+00") return scientific(v, 3, false);
    if (pattern == "+0.00E+00;-0.00E+00") return scientific(v, 2, true);
    if (pattern == "###") {
        const std::string s = fixed(roundHalfEven(v), 0);
        return s == "0" ? std::string() : s; // "#" shows no digit for zero
    }
    if (pattern == "000") {
        // Formatted as a double: any value, however large or not finite, stays defined.
        const double r = roundHalfEven(v);
        return printed("%s%03.0f", r < 0 ? "-" : "", std::fabs(r));
    }
    return fixed(v, 3);
}

std::string numberToText(long long v) {
    return v < 0 ? std::to_string(v) : " " + std::to_string(v);
}

double leadingNumber(std::string_view text) {
    size_t i = 0;
    // The character at i; NUL past the end, which is no blank, digit, sign, point or exponent mark.
    const auto peek = [&] { return i < text.size() ? text[i] : '\0'; };
    const auto digits = [&] {
        while (peek() >= '0' && peek() <= '9')
            ++i;
    };
    while (peek() == ' ' || peek() == '\t')
        ++i;
    const size_t start = i;
    // Only the characters a decimal number may have go to strtod: it never sees hexadecimal, "inf"
    // or "nan", and stops itself where they stop making a number ("3E+" reads 3, "." reads 0).
    if (peek() == '+' || peek() == '-') ++i;
    digits();
    if (peek() == '.') ++i, digits();
    if (peek() == 'E' || peek() == 'e') {
        ++i;
        if (peek() == '+' || peek() == '-') ++i;
        digits();
    }
    return std::strtod(std::string(text.substr(start, i - start)).c_str(), nullptr);
}

} // namespace corvex

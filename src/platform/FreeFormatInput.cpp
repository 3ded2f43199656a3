#include "platform/FreeFormatInput.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace corvex {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}
} // namespace

namespace {
// Up to 15 significant digits make a mantissa below 2^53, and powers of ten up to 1e22 are exact
// doubles: their product or quotient is then the correctly rounded value, as from_chars gives it.
constexpr int kExactDigits = 15;
constexpr int kExactPower = 22;
constexpr double kPowersOfTen[kExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                  1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The correctly rounded value of a number of decimal syntax (checked), sign left out.
bool convertDecimal(const char* first, const char* last, double& value) {
    const std::errc ec = std::from_chars(first, last, value, std::chars_format::general).ec;
    if (ec == std::errc::result_out_of_range) {
        // Rare: tell underflow (reads as zero) from overflow (fails the field).
        if (std::isinf(std::strtod(std::string(first, last).c_str(), nullptr))) return false;
        value = 0;
        return true;
    }
    return ec == std::errc();
}
} // namespace

bool parseDecimal(std::string_view text, double& value) {
    size_t i = 0;
    // The character at i; NUL past the end, which is no digit, sign, point or exponent mark.
    const auto peek = [&] { return i < text.size() ? text[i] : '\0'; };
    bool negative = false;
    if (peek() == '+' || peek() == '-') negative = text[i++] == '-';
    const size_t mantissaStart = i;
    uint64_t mantissa = 0;
    int digits = 0, significant = 0, scale = 0; // value = mantissa * 10^(exponent - scale)
    const auto digit = [&](bool fraction) {
        mantissa = mantissa * 10 + uint64_t(text[i++] - '0');
        ++digits;
        if (mantissa > 0) ++significant; // leading zeros are not
        if (fraction) ++scale;
    };
    while (isDigit(peek()))
        digit(false);
    if (peek() == '.') {
        ++i;
        while (isDigit(peek()))
            digit(true);
    }
    if (digits == 0) return false;
    int exponent = 0;
    if (peek() == 'E' || peek() == 'e') {
        ++i;
        bool negativeExponent = false;
        if (peek() == '+' || peek() == '-') negativeExponent = text[i++] == '-';
        size_t expDigits = 0;
        for (; isDigit(peek()); ++i, ++expDigits)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000); // far beyond any double
        if (expDigits == 0) return false;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != text.size()) return false;
    double v = 0;
    const int power = exponent - scale;
    if (significant <= kExactDigits && power >= -kExactPower && power <= kExactPower)
        v = power >= 0 ? double(mantissa) * kPowersOfTen[power] : double(mantissa) / kPowersOfTen[-power];
    else if (!convertDecimal(text.data() + mantissaStart, text.data() + text.size(), v))
        return false;
    value = negative ? -v : v;
    return true;
}

namespace {
// Appends as much of `piece` as keeps `text` within `limit` characters.
void appendUpTo(std::string& text, std::string_view piece, size_t limit) {
    if (text.size() < limit) text.append(piece.substr(0, limit - text.size()));
}
bool isFieldChar(char c) {
    return !isBlank(c) && !isLineEnd(c) && c != ',';
}
} // namespace

bool FreeFormatInput::refill() {
    if (!m_source) return false;
    m_windowStart += m_window.size();
    const size_t n = m_source->read(m_buffer.data(), m_buffer.size());
    m_window = std::string_view(m_buffer.data(), n);
    m_pos = 0;
    return n > 0;
}

bool FreeFormatInput::atEnd() {
    return m_pos >= m_window.size() && !refill();
}

template <typename Skip> bool FreeFormatInput::skipWhile(Skip skip) {
    for (;;) {
        while (m_pos < m_window.size() && skip(m_window[m_pos]))
            ++m_pos;
        if (m_pos < m_window.size()) return true;
        if (!refill()) return false;
    }
}

bool FreeFormatInput::readLine(std::string& line) {
    if (atEnd()) return false;
    line.clear();
    for (;;) {
        const size_t start = m_pos;
        while (m_pos < m_window.size() && !isLineEnd(m_window[m_pos]))
            ++m_pos;
        appendUpTo(line, m_window.substr(start, m_pos - start), kMaxLineChars);
        if (m_pos < m_window.size()) break;
        if (!refill()) return true; // the input ends the last line
    }
    const bool carriageReturn = m_window[m_pos++] == '\r';
    if (carriageReturn && !atEnd() && m_window[m_pos] == '\n') ++m_pos;
    return true;
}

bool FreeFormatInput::nextField(double& value) {
    if (!skipWhile([](char c) { return isBlank(c) || isLineEnd(c); })) return false;
    const size_t start = m_pos;
    while (m_pos < m_window.size() && isFieldChar(m_window[m_pos]))
        ++m_pos;
    std::string_view field = m_window.substr(start, m_pos - start);
    if (m_pos == m_window.size()) { // the field may go on in the next piece of the input
        m_piecedField.clear();
        appendUpTo(m_piecedField, field, kMaxFieldChars + 1);
        while (refill()) {
            while (m_pos < m_window.size() && isFieldChar(m_window[m_pos]))
                ++m_pos;
            appendUpTo(m_piecedField, m_window.substr(0, m_pos), kMaxFieldChars + 1);
            if (m_pos < m_window.size()) break;
        }
        field = m_piecedField;
    }
    bool read = true;
    if (field.empty()) // the field was only a comma: empty field
        value = 0;
    else
        read = field.size() <= kMaxFieldChars && parseDecimal(field, value);
    // A comma after the field (blanks may stand between) is its delimiter.
    if (skipWhile(isBlank) && m_window[m_pos] == ',') ++m_pos;
    return read;
}

bool FreeFormatInput::readField(float& target) {
    double v = 0;
    // Anything that rounds to a finite 4-byte float is taken, such as "3.4028235E+38", the usual text
    // of the largest one; from half a unit above the largest float on, the rounding would give infinity.
    constexpr double kFloatOverflow = double(std::numeric_limits<float>::max()) + 0x1p103;
    if (!nextField(v) || !(std::fabs(v) < kFloatOverflow)) return false;
    target = float(v);
    return true;
}

namespace {
// A whole-number field: rounded with halves to even, and failing when it does not fit.
template <typename Int>
bool storeWhole(bool read, double v, std::optional<Int> (*convert)(double), Int& target) {
    const auto whole = read ? convert(v) : std::nullopt;
    if (whole) target = *whole;
    return whole.has_value();
}
} // namespace

bool FreeFormatInput::readField(int32_t& target) {
    double v = 0;
    const bool read = nextField(v);
    return storeWhole(read, v, toInt32, target);
}

bool FreeFormatInput::readField(int16_t& target) {
    double v = 0;
    const bool read = nextField(v);
    return storeWhole(read, v, toInt16, target);
}

} // namespace corvex

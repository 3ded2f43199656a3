#include "platform/FreeFormatInput.h"

#include "platform/NumberText.h"

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

bool parseDecimal(std::string_view text, double& value) {
    size_t i = 0;
    const size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t mantissaStart = i;
    size_t digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < n && isDigit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != n) return false;
    // The syntax is checked above, so from_chars sees only a plain decimal number here.
    double v = 0;
    const char* first = text.data() + mantissaStart;
    const auto [ptr, ec] = std::from_chars(first, text.data() + n, v, std::chars_format::general);
    if (ptr != text.data() + n) return false;
    if (ec == std::errc::result_out_of_range) {
        // Rare: tell underflow (reads as zero) from overflow (fails the field).
        const double probe = std::strtod(std::string(first, text.data() + n).c_str(), nullptr);
        if (std::isinf(probe)) return false;
        v = 0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = negative ? -v : v;
    return true;
}

bool FreeFormatInput::readLine(std::string& line) {
    if (atEnd()) return false;
    const size_t start = m_pos;
    while (m_pos < m_bytes.size() && !isLineEnd(m_bytes[m_pos]))
        ++m_pos;
    line.assign(m_bytes.substr(start, m_pos - start));
    if (m_pos < m_bytes.size()) {
        if (m_bytes[m_pos] == '\r' && m_pos + 1 < m_bytes.size() && m_bytes[m_pos + 1] == '\n') ++m_pos;
        ++m_pos;
    }
    return true;
}

bool FreeFormatInput::nextField(double& value) {
    const size_t n = m_bytes.size();
    while (m_pos < n && (isBlank(m_bytes[m_pos]) || isLineEnd(m_bytes[m_pos])))
        ++m_pos;
    if (m_pos >= n) return false;
    const size_t start = m_pos;
    while (m_pos < n && !isBlank(m_bytes[m_pos]) && !isLineEnd(m_bytes[m_pos]) && m_bytes[m_pos] != ',')
        ++m_pos;
    const std::string_view field = m_bytes.substr(start, m_pos - start);
    // A comma after the field (blanks may stand between) is its delimiter.
    size_t look = m_pos;
    while (look < n && isBlank(m_bytes[look]))
        ++look;
    if (look < n && m_bytes[look] == ',') m_pos = look + 1;
    if (field.empty()) { // the field was only a comma: empty field
        value = 0;
        return true;
    }
    return parseDecimal(field, value);
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

// Fuzz target: number text. parseDecimal and leadingNumber are checked against the C library's
// strtod, formatNumber is fed every double (NaN, infinities, extremes), and FreeFormatInput must
// always move forward and deliver only finite values.

#include "FuzzCheck.h"
#include "platform/FreeFormatInput.h"
#include "platform/NumberText.h"
#include "support/MemorySource.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace corvex;
using corvex::fuzz::require;

namespace {

bool onlyNumberCharacters(std::string_view s) {
    return s.find_first_not_of("0123456789+-.eE") == std::string_view::npos;
}

// parseDecimal must agree with strtod wherever strtod reads the whole text as a finite number.
void checkParseDecimal(std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double expected = std::strtod(copy.c_str(), &end);
    const bool strtodWhole = !copy.empty() && end == copy.c_str() + copy.size() && std::isfinite(expected);
    double value = 0;
    const bool parsed = parseDecimal(text, value);
    if (parsed) {
        require(onlyNumberCharacters(text), "parseDecimal accepts only decimal syntax");
        require(strtodWhole && value == expected, "parseDecimal equals strtod");
        require(leadingNumber(text) == value, "leadingNumber of a whole number equals parseDecimal");
    } else if (strtodWhole && onlyNumberCharacters(text)) {
        require(false, "parseDecimal rejects a number strtod reads");
    }
    require(!std::isnan(leadingNumber(text)), "leadingNumber is never NaN");
}

void checkFormat(double v) {
    for (const char* pattern : {"0.000", "0.0000E+00", "0.000E+00", "+0.00E+00;-0.00E+00", "###", "000"}) {
        const std::string text = formatNumber(v, pattern);
        if (!std::isfinite(v)) continue;
        const double magnitude = std::fabs(v);
        if (std::strchr(pattern, 'E') && magnitude > 1e-300 && magnitude < 1e300) {
            // Scientific forms: at least two decimals, so the text is within 1 % of v (near the
            // double range's ends the rounded mantissa may not read back).
            const double back = leadingNumber(text);
            require(std::fabs(back - v) <= 0.01 * std::fabs(v), "scientific text reads back near the value");
        }
        if (std::string_view(pattern) == "0.000" && std::fabs(v) < 1e12) {
            require(std::fabs(leadingNumber(text) - v) <= 0.0005 + 1e-9 * std::fabs(v),
                    "fixed text reads back within half a thousandth");
        }
    }
}

// Reads fields of the given kinds in turn until the input ends; every call must move forward
// unless the input has ended, and delivered floats must be finite. Returns what was read, so that
// input taken in small pieces can be compared with input held whole.
std::string readFreeFormat(FreeFormatInput& in, size_t size, std::string_view kinds) {
    std::string transcript, line;
    for (size_t k = 0; !in.atEnd(); ++k) {
        const size_t before = in.position();
        float f = 0;
        int32_t i32 = 0;
        int16_t i16 = 0;
        switch (kinds[k % kinds.size()]) {
        case 'f':
            if (in.readField(f)) require(std::isfinite(f), "float field is finite");
            transcript += std::to_string(f);
            break;
        case 'i':
            transcript += in.readField(i32) ? std::to_string(i32) : "-";
            break;
        case 's':
            transcript += in.readField(i16) ? std::to_string(i16) : "-";
            break;
        case 'l':
            require(in.readLine(line), "a line can be read before the end");
            require(line.find_first_of("\r\n") == std::string::npos, "a line holds no line end");
            transcript += line;
            break;
        }
        transcript += '|';
        require(in.position() > before, "input moves forward");
        require(in.position() <= size, "position within the input");
    }
    return transcript;
}

void checkFreeFormat(std::string_view bytes, std::string_view kinds) {
    FreeFormatInput whole(bytes);
    testing::MemorySource source(bytes, 1 + bytes.size() % 7);
    FreeFormatInput pieces(source);
    require(readFreeFormat(whole, bytes.size(), kinds) == readFreeFormat(pieces, bytes.size(), kinds),
            "input read in pieces reads as the same input held whole");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkParseDecimal(text);

    double value = 0;
    checkFormat(parseDecimal(text, value) ? value : leadingNumber(text));
    if (size >= sizeof(double)) { // any bit pattern: NaN, infinities, subnormals, extremes
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkFormat(raw);
    }

    checkFreeFormat(text, "fffs"); // the record layout
    checkFreeFormat(text, "llli"); // header lines and the count
    checkFreeFormat(text, "lfsi");
    return 0;
}

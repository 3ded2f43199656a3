#include "datafile/PlotFileSeq.h"

#include "datafile/PlotFileNames.h"

#include <algorithm>
#include <optional>

namespace corvex {

namespace {

constexpr size_t kPrefixLength = 5;

std::string stemOf(const std::string& pattern) {
    return pattern.substr(0, pattern.find('.'));
}

// Characters 6 to 8 of a numbered name as a number; blanks around the digits are allowed, signs not.
std::optional<int> sequenceDigits(const std::string& name) {
    const std::string digits =
        trimBlanks(std::string_view(name).substr(std::min(name.size(), kPrefixLength), 3));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return std::stoi(digits);
}

} // namespace

std::string plotFilePrefixOf(const std::string& pattern) {
    std::string prefix = trimBlanks(stemOf(pattern)).substr(0, kPrefixLength);
    prefix.resize(kPrefixLength, '_');
    return prefix;
}

void FindPlotFileSeq(PlotFileNumbering& numbering, FileList& fileLst, const std::string& pattern) {
    const size_t dot = pattern.find('.');
    numbering.PlotFilePrefix = plotFilePrefixOf(pattern);
    const std::string remembered = fileLst.pattern();
    fileLst.setPattern(numbering.PlotFilePrefix + "???" +
                       (dot == std::string::npos ? "" : pattern.substr(dot)));
    if (fileLst.listCount() > 0) {
        int seq = 0;
        for (int i = 0; i < fileLst.listCount(); ++i) {
            const std::string name = fileLst.list(i);
            // Three digits put the name's first "." at character 9; without an extension the name
            // is exactly 8 characters long.
            const bool numbered =
                dot != std::string::npos ? name.find('.') == 8 : trimBlanks(name).size() == 8;
            if (!numbered) continue;
            if (const auto value = sequenceDigits(name)) seq = *value;
        }
        numbering.PlotFileSeq = int16_t(seq + 1); // at most 1000
    }
    fileLst.setPattern(remembered);
}

bool stemHoldsWildcard(const std::string& pattern) {
    return stemOf(pattern).find_first_of("*?") != std::string::npos;
}

} // namespace corvex

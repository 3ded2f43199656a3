#include "datafile/PlotFileNames.h"

#include "platform/NumberText.h"

namespace corvex {

std::string trimBlanks(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

std::string numberedName(const std::string& prefix, int16_t seq, const std::string& plottedName) {
    const size_t dot = plottedName.find('.');
    const std::string extension =
        dot == std::string::npos ? std::string() : trimBlanks(plottedName.substr(dot));
    return prefix + formatNumber(seq, "000") + extension;
}

bool hasDeletionMark(const std::string& headerLine) {
    constexpr size_t kCharacter80 = 79, kCharacter81 = 80; // 0-based offsets
    return headerLine.find('!', kCharacter80) == kCharacter81;
}

} // namespace corvex

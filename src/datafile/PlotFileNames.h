#pragma once
// Names in the life of a plotted file: the numbered name it is filed under and the deletion mark
// that sets it aside instead.

#include <cstdint>
#include <string>
#include <string_view>

namespace corvex {

// `s` without leading and trailing blanks.
std::string trimBlanks(std::string_view s);

// prefix + seq with at least three digits ("000": 7 -> 007, 1000 -> 1000) + the extension of
// `plottedName` from its first "." to its end, blanks trimmed ("" when the name has no ".").
std::string numberedName(const std::string& prefix, int16_t seq, const std::string& plottedName);

// True when the first "!" at or after character 80 of `headerLine` is its character 81.
bool hasDeletionMark(const std::string& headerLine);

} // namespace corvex

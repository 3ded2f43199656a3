#pragma once
// Where numbering of plotted files starts: the five-character prefix from the pattern and the
// sequence number one above the highest three-digit numbered name already in the directory.

#include "datafile/FileList.h"
#include "model/PlotState.h"

#include <string>

namespace corvex {

// The numbered-name prefix of a pattern: its part before the first "." (all of it without one),
// blanks trimmed, cut to 5 characters or filled up with "_" to 5.
std::string plotFilePrefixOf(const std::string& pattern);

// Sets PlotFilePrefix from `pattern` and, when prefix + "???" + the pattern's extension part lists any
// name in `fileLst`, PlotFileSeq to one above the last listed name's three-digit number (names whose
// characters 6 to 8 are not digits are skipped; with no name listed PlotFileSeq keeps its value).
// The pattern of `fileLst` is restored before returning.
void FindPlotFileSeq(PlotFileNumbering& numbering, FileList& fileLst, const std::string& pattern);

// True when the part of `pattern` before its first "." holds "*" or "?": no numbered name can be
// formed from such a prefix.
bool stemHoldsWildcard(const std::string& pattern);

} // namespace corvex

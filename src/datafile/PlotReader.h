#pragma once
// The plot data file reader: settle and open, read header/count/records, find the data range, and
// LoadPlotFile, the one way every caller loads a plot file.

#include "model/PlotState.h"
#include "platform/FileService.h"
#include "platform/Services.h"

#include <functional>
#include <memory>
#include <string>

namespace corvex {

// The open data file, read piece by piece. When it could not be opened, `failure` says why
// (empty when the file was gone or the wait was cut short).
struct DataFileChannel {
    std::unique_ptr<ByteSource> input;
    bool open = false;
    std::string failure;
};

// What the reader needs of the windows around it.
struct ReaderHost {
    MessageService& messages;
    ProgressView& progress;
    std::function<void(const std::string&)> setCaption;
    std::function<void(const std::string&)> setOutFileLabel;
    // Asked after each yield: true ends the read there (the program is closing).
    std::function<bool()> stopRequested = [] { return false; };
    // Told when the points start (true) and stop (false) being replaced.
    std::function<void(bool)> readingChanged = [](bool) {};
};

// Waits until two length readings 500 ms apart agree, then opens `path`; on any failure the channel
// stays closed and `failure` tells why (empty when the file is gone or the wait was cut short).
void OpenDataFile(DataFileChannel& file, const std::string& path, FileService& files, Clock& clock);

// Reads the open file from its start into the plot state. `displayName` is the name shown in the
// caption and in the no-data message. A count below 1, or one that cannot be read, is a file
// without data; a count above kMaxPoints keeps the first kMaxPoints records, and nothing after the
// last record needed is read. A UTF-8 byte-order mark before line 1 is skipped.
void ReadPlotData(PlotData& data, DataFileChannel& file, const std::string& displayName, ReaderHost& host);

// Range of points 1..n of x and y (4-byte float comparisons); with n < 1 the range of point 1.
PlotRange FindLimits(const PointArray<float>& x, const PointArray<float>& y, int32_t n);

void CloseDataFile(DataFileChannel& file);

// What a load found: whether the file could be opened, and if not, why (empty: gone, or closing).
struct LoadOutcome {
    bool opened = false;
    std::string failure;
};

// OpenDataFile, ReadPlotData, FindLimits (into `range` when data were found) and the close.
LoadOutcome LoadPlotFile(const std::string& path, const std::string& displayName, FileService& files,
                         Clock& clock, ReaderHost& host, PlotData& data, PlotRange& range);

// "Corvex V1.1d [name]" for names of at most 20 characters, else "Corvex V1.1d [..." + last 21 + "]".
std::string readCaption(const std::string& displayName);

} // namespace corvex

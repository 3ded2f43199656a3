#pragma once
// The plot data file reader: settle and open, read header/count/records, find the data range.

#include "app/PlotState.h"
#include "platform/FileService.h"
#include "platform/Services.h"

#include <functional>
#include <memory>
#include <string>

namespace corvex {

// The file open on DataFileNo, read piece by piece. When it could not be opened, `failure` says why
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
};

// Waits until two length readings 500 ms apart agree, then opens `path`. Sets DataFileNo and
// DataFileOpen; on any failure the channel is closed, DataFileOpen is false and `failure` tells why.
void OpenDataFile(PlotState& state, DataFileChannel& file, const std::string& path, FileService& files,
                  Clock& clock);

// Reads the open file from its start into the plot state. `displayName` is the name shown in the
// caption and in the no-data message. A count below 1, or one that cannot be read, is a file
// without data; a count above kMaxPoints keeps the first kMaxPoints records, and nothing after the
// last record needed is read. A UTF-8 byte-order mark before line 1 is skipped.
void ReadPlotData(PlotState& state, DataFileChannel& file, const std::string& displayName, ReaderHost& host);

// Range of points 1..n of x and y into PlotXMin..PlotYMax (4-byte float comparisons); with n < 1
// the range is that of point 1.
void FindLimits(PlotState& state, const std::vector<float>& x, const std::vector<float>& y, int32_t n);

// Closes file number DataFileNo.
void CloseDataFile(PlotState& state, DataFileChannel& file);

// "Corvex V1.1d [name]" for names of at most 20 characters, else "Corvex V1.1d [..." + last 21 + "]".
std::string readCaption(const std::string& displayName);

// Progress bar values: the step NumPts/10 (halves to even) and the value shown at point i, or -1
// when the bar does not move at point i. `lastShown` is the last value shown.
int32_t progressStep(int32_t numPts);
int progressAt(int32_t i, int32_t step, int lastShown);

} // namespace corvex

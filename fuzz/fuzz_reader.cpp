// Fuzz target: whole plot data files through ReadPlotData and FindLimits.
// Any bytes must read without a crash, and the plot state must come out consistent.

#include "FuzzCheck.h"
#include "datafile/PlotReader.h"
#include "platform/FreeFormatInput.h"
#include "support/MemorySource.h"
#include "support/Recorders.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace corvex;
using corvex::fuzz::require;

namespace {

bool noLineEnds(const std::string& s) {
    return s.find_first_of("\r\n") == std::string::npos;
}

// A count far above the records an input of -max_len bytes can hold only repeats reads past the
// end of the file; up to the capacity those cost about 15 ms per input under the sanitizers and
// would slow the search a hundredfold. The capacity limit itself is covered by the unit tests.
constexpr int32_t kLargestFuzzedCount = 4000;

int32_t countOf(std::string_view bytes) {
    FreeFormatInput in(bytes);
    std::string line;
    for (int i = 0; i < 4; ++i)
        in.readLine(line);
    int32_t count = 0;
    in.readField(count);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (countOf(bytes) > kLargestFuzzedCount) return -1; // not kept in the corpus

    // The arrays hold 2.5 MB; they are kept across inputs as in the program, where a read without
    // data leaves the previous points in place. Only their finiteness matters to the checks.
    static PlotData state;
    state.NumPts = 0;
    state.DataLoaded = false;
    state.HeaderLine = state.PlotTitle = state.SubTitle = state.XLegend = state.YLegend = "";

    // Small pieces, so that lines and fields straddle the pieces the reader takes from a file.
    DataFileChannel file;
    file.input = std::make_unique<testing::MemorySource>(bytes, 1 + size % 13);
    file.open = true;
    testing::MessageRecorder messages;
    testing::ProgressRecorder progress;
    std::string caption;
    ReaderHost host{messages, progress, [&](const std::string& c) { caption = c; },
                    [](const std::string&) {}};

    ReadPlotData(state, file, "plot.dat", host);

    require(!progress.visible, "progress window hidden after the read");
    require(
        std::all_of(progress.values.begin(), progress.values.end(), [](int v) { return v >= 0 && v <= 100; }),
        "progress values on the bar's 0..100 scale");
    require(state.NumPts >= 0 && state.NumPts <= kMaxPoints, "NumPts within 0..kMaxPoints");
    require(state.DataLoaded == (state.NumPts >= 1), "DataLoaded exactly when points were counted");
    if (state.DataLoaded) {
        require(messages.messages.empty(), "no message for a file with data");
        require(caption == "Corvex V1.1d [plot.dat]", "caption names the file");
    } else {
        require(messages.messages.size() == 1, "one message for a file without data");
        const testing::RecordedMessage& m = messages.messages.front();
        require(m.title == "Data File Error" && m.icon == MessageIcon::Exclamation, "Data File Error box");
        require(m.text == "The Current File Contained No Data!\n\rplot.dat", "no-data text names the file");
        require(caption == "Corvex V1.1d", "caption without a file name");
    }
    require(state.PlotTitle.size() <= 77, "title from characters 2 to 78");
    for (const std::string* s :
         {&state.HeaderLine, &state.PlotTitle, &state.SubTitle, &state.XLegend, &state.YLegend})
        require(noLineEnds(*s), "header texts hold no line ends");

    if (!state.DataLoaded) return 0;
    for (int32_t i = 1; i <= state.NumPts; ++i)
        require(std::isfinite(state.XVal[i]) && std::isfinite(state.YVal[i]),
                "point values are finite floats");
    const PlotRange range = FindLimits(state.XVal, state.YVal, state.NumPts);
    require(range.PlotXMin <= range.PlotXMax && range.PlotYMin <= range.PlotYMax, "range minimum <= maximum");
    return 0;
}

#include "datafile/PlotReader.h"

#include "model/ProgressSteps.h"
#include "platform/FreeFormatInput.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace corvex {

namespace {

constexpr int kSettleMs = 500;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string trimBlanks(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(' ');
    return std::string(s.substr(first, last - first + 1));
}

// Characters from..to (1-based, inclusive) of s, fewer when s is shorter.
std::string_view columns(std::string_view s, size_t from, size_t to) {
    if (s.size() < from) return {};
    return s.substr(from - 1, to - from + 1);
}

std::string subTitleOf(std::string_view line2) {
    const std::string first = trimBlanks(columns(line2, 1, 79));
    // The rest starts at character 80, so no character is shown twice.
    const std::string rest = line2.size() >= 80 ? trimBlanks(line2.substr(79)) : std::string();
    return rest.empty() ? first : first + "  ::  " + rest;
}

void showNoData(ReaderHost& host, const std::string& displayName) {
    host.messages.show("The Current File Contained No Data!\n\r" + displayName, "Data File Error",
                       MessageIcon::Exclamation);
}

} // namespace

void OpenDataFile(DataFileChannel& file, const std::string& path, FileService& files, Clock& clock) {
    CloseDataFile(file);
    file.failure.clear();
    auto before = files.length(path);
    for (;;) {
        if (!before) break;
        if (!clock.sleepMs(kSettleMs)) { // the program is closing: do not open the file
            before.reset();
            break;
        }
        const auto after = files.length(path);
        if (after == before) break;
        before = after;
    }
    if (!before) return; // gone, not a regular file, or the program is closing: nothing to tell
    file.input = files.openInput(path, file.failure);
    if (!file.input) return;
    file.open = true;
}

void CloseDataFile(DataFileChannel& file) {
    file.open = false;
    file.input.reset();
}

std::string readCaption(const std::string& displayName) {
    if (displayName.size() <= 20) return std::string(kReadCaption) + " [" + displayName + "]";
    return std::string(kReadCaption) + " [..." + displayName.substr(displayName.size() - 21) + "]";
}

void ReadPlotData(PlotData& data, DataFileChannel& file, const std::string& displayName, ReaderHost& host) {
    host.progress.setValue(0);
    host.progress.setLabel("Reading Data");
    host.progress.showAndFocus();

    FreeFormatInput in = file.input ? FreeFormatInput(*file.input) : FreeFormatInput(std::string_view());
    std::string line;
    if (in.readLine(line)) {
        if (line.starts_with(kUtf8ByteOrderMark)) line.erase(0, kUtf8ByteOrderMark.size());
        data.HeaderLine = line;
        data.PlotTitle = trimBlanks(columns(line, 2, 78));
    }
    std::string line2;
    const bool haveLine2 = in.readLine(line2);
    if (in.readLine(line)) data.XLegend = trimBlanks(line);
    if (in.readLine(line)) data.YLegend = trimBlanks(line);
    if (haveLine2) data.SubTitle = subTitleOf(line2);

    int32_t count = 0; // a count that cannot be read makes a file without data
    in.readField(count);
    data.NumPts = count;
    if (data.NumPts < 1) {
        showNoData(host, displayName);
        data.DataLoaded = false;
        host.setCaption(kReadCaption);
        host.progress.hide();
        data.NumPts = 0;
        return;
    }
    data.NumPts = std::min(data.NumPts, kMaxPoints);

    const int32_t step = progressStep(data.NumPts);
    int lastShown = 0;
    float* x = data.XVal.data();
    float* y = data.YVal.data();
    int16_t* set = data.SetNo.data();
    for (int32_t i = 1; i <= data.NumPts; ++i) {
        const int shown = progressAt(i, step, lastShown);
        if (shown > 0) {
            lastShown = shown;
            if (shown <= 100) host.progress.setValue(shown);
            host.progress.yield();
            if (host.stopRequested()) { // the points in memory are incomplete: no plot of them
                host.progress.hide();
                data.DataLoaded = false;
                return;
            }
        }
        float spare = 0;
        // A failed field ends this record's read; the next record starts where the input stopped.
        in.readField(x[i]) && in.readField(y[i]) && in.readField(spare) && in.readField(set[i]);
    }
    host.progress.setValue(0);
    host.progress.hide();
    data.DataLoaded = true;
    host.setOutFileLabel(" ");
    host.setCaption(readCaption(displayName));
}

PlotRange FindLimits(const PointArray<float>& x, const PointArray<float>& y, int32_t n) {
    PlotRange r{x[1], x[1], y[1], y[1]};
    for (int32_t i = 2; i <= n; ++i) {
        r.PlotXMin = std::min(r.PlotXMin, x[i]);
        r.PlotXMax = std::max(r.PlotXMax, x[i]);
        r.PlotYMin = std::min(r.PlotYMin, y[i]);
        r.PlotYMax = std::max(r.PlotYMax, y[i]);
    }
    return r;
}

LoadOutcome LoadPlotFile(const std::string& path, const std::string& displayName, FileService& files,
                         Clock& clock, ReaderHost& host, PlotData& data, PlotRange& range) {
    DataFileChannel file;
    OpenDataFile(file, path, files, clock);
    if (!file.open) return {false, file.failure};
    host.readingChanged(true);
    ReadPlotData(data, file, displayName, host);
    if (data.DataLoaded) range = FindLimits(data.XVal, data.YVal, data.NumPts);
    host.readingChanged(false);
    CloseDataFile(file);
    return {true, {}};
}

} // namespace corvex

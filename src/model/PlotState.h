#pragma once
// The plot state, split by meaning. Each part has one owner (the main window holds the points, the
// range, the options and the axes as drawn; the zoom its drag; the plot sequence the file numbering)
// and is lent to the functions that read or change it. Booleans stand for the 16-bit true/false
// flags of the design; names are those every part of the program uses.

#include "platform/Color.h"
#include "platform/LargePages.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvex {

inline constexpr int32_t kMaxPoints = 250000; // capacity of the point arrays (indices 1..kMaxPoints)
inline constexpr int16_t MoveCode = -58;      // set number: move the pen to the point
inline constexpr int16_t DrawCode = -57;      // set number: draw a black line to the point
inline constexpr const char* kVersionCaption = "Corvex V1.1c"; // caption before the first read
inline constexpr const char* kReadCaption = "Corvex V1.1d";    // caption prefix after a read
inline constexpr const char* kWorkingCopyName = "~corvex~.tmp";

using ColorTable = std::array<Rgb, 21>;

// A point array at full capacity: its pages are touched only as far as points are read.
template <typename T> using PointArray = std::vector<T, ZeroPageAllocator<T>>;

// The points and header texts of the last file read; only the reader writes them.
struct PlotData {
    PointArray<float> XVal = PointArray<float>(kMaxPoints + 1); // index 0 unused
    PointArray<float> YVal = PointArray<float>(kMaxPoints + 1);
    PointArray<int16_t> SetNo = PointArray<int16_t>(kMaxPoints + 1);
    std::string HeaderLine;
    std::string PlotTitle;
    std::string SubTitle;
    std::string XLegend;
    std::string YLegend;
    int32_t NumPts = 0;
    bool DataLoaded = false; // data of at least one point are in memory
};

// The data range to plot: the extent of the points after a read, a zoom box after a zoom.
struct PlotRange {
    float PlotXMin = 0, PlotXMax = 0, PlotYMin = 0, PlotYMax = 0;
};

// What the option commands choose; every drawing reads it. These are the start-up values.
struct DisplayOptions {
    bool ShowCoords = false;
    bool OmitLines = false;
    bool SmallSyms = false;
    bool FilledSyms = false;
    float SymScale = 1.0f;
    int16_t XLgndFntStep = 4;
    int16_t YLgndFntStep = 4;
    float XLgndFntScale = 0.0014f;
    float YLgndFntScale = 0.0026f;
    ColorTable PlotColor{}; // filled by SetColors
};

// The axes the last repaint drew: their ends in data values and plot units per data unit.
struct DrawnAxes {
    float XScale = 0, YScale = 0;
    float XAxisMin = 0, YAxisMin = 0, XAxisMax = 0, YAxisMax = 0;
};

// The size of a drawing area in pixels, as the last redraw took it.
struct DrawingAreaSize {
    float PixWidth = 0;
    float PixHeight = 0;
};

// Numbered names given to plotted files: a five-character stem and the next sequence number.
struct PlotFileNumbering {
    std::string PlotFilePrefix;
    int16_t PlotFileSeq = 0;
};

} // namespace corvex

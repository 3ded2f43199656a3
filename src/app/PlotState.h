#pragma once
// The process-wide plot state and the main window's fields. Every part of the program reads and
// writes these by the names below; booleans stand for the 16-bit true/false flags of the design.

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

using Rgb = uint32_t; // red + 256 * green + 65536 * blue

struct PlotState {
    std::string TmpFileName;
    std::vector<float> XVal = std::vector<float>(kMaxPoints + 1); // index 0 unused
    std::vector<float> YVal = std::vector<float>(kMaxPoints + 1);
    std::vector<int16_t> SetNo = std::vector<int16_t>(kMaxPoints + 1);
    std::array<Rgb, 21> PlotColor{};
    std::string HeaderLine;
    std::string PlotTitle;
    std::string SubTitle;
    std::string XLegend;
    std::string YLegend;
    int32_t NumPts = 0;
    float LgndPixHeight = 0;
    float LgndPixWidth = 0;
    float PlotXMin = 0, PlotXMax = 0, PlotYMin = 0, PlotYMax = 0;
    std::string PlotFilePrefix;
    int16_t PlotFileSeq = 0;
    int16_t FileListIdx = 0;
    bool DataLoaded = false;
    int16_t DataFileNo = 0;
    bool DataFileOpen = false;
    bool LegendLoaded = false;
    bool SmallSyms = false;
    bool FilledSyms = false;
};

// Fields of the main window that the drawing, zoom and option commands share.
struct PlotWindowFields {
    bool ShowCoords = false;
    bool OmitLines = false;
    float XScale = 0, YScale = 0;
    float XAxisMin = 0, YAxisMin = 0, XAxisMax = 0, YAxisMax = 0;
    bool Dragging = false, FirstMove = false;
    float BoxX1 = 0, BoxY1 = 0, BoxX2 = 0, BoxY2 = 0;
    float SymScale = 1.0f;
    float PixHeight = 0;
    float PixWidth = 0;
    int16_t XLgndFntStep = 4;
    int16_t YLgndFntStep = 4;
    float XLgndFntScale = 0.0014f;
    float YLgndFntScale = 0.0026f;
};

} // namespace corvex

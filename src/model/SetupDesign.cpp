#include "model/SetupDesign.h"

namespace corvex {

namespace {

struct DesignedControl {
    std::string_view name;
    TwipsRect rect;
};

constexpr DesignedControl kDesign[] = {
    {"FileFrm", {0, 0, 6165, 4935}},         {"ManSel", {120, 240, 2175, 255}},
    {"AutoSel", {120, 600, 2175, 255}},      {"AutoPicBox", {2280, 120, 3735, 1155}},
    {"TimedPlt", {60, 120, 1575, 255}},      {"Click2Plt", {60, 480, 1575, 255}},
    {"SpinLbl", {1800, 60, 1815, 615}},      {"PlotDelayText", {2160, 690, 795, 315}},
    {"NewPlotDelay", {3060, 660, 255, 375}}, {"PlotFrame", {120, 1380, 3615, 3375}},
    {"FileLbl", {720, 390, 1215, 255}},      {"FileTxt", {2040, 360, 1455, 285}},
    {"FileLst", {120, 780, 1572, 2040}},     {"DriveLst", {1800, 780, 1695, 315}},
    {"DirLst", {1800, 1140, 1695, 2055}},    {"FileCmd", {4224, 4260, 1815, 495}},
};

} // namespace

TwipsRect setupDesign(std::string_view name) {
    for (const DesignedControl& control : kDesign)
        if (control.name == name) return control.rect;
    return {};
}

} // namespace corvex

#pragma once
// The command line of corvex-render: drawing options, and one INPUT with its OUTPUT or a batch of
// INPUTs drawn into a folder.

#include "platform/CommandLineExit.h"

#include <QStringList>
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct RenderOptions {
    int width = 1280, height = 960;
    bool omitLines = false, smallSymbols = false, filledSymbols = false, describe = false;
    int titleStep = 4, yLegendStep = 4;
    std::optional<std::array<float, 4>> range;
    std::vector<std::string> inputs;
    std::string output; // one input: its output file, empty with --describe alone
    std::string outdir; // a batch: the folder of the outputs, each named by outputFor()
    std::string format; // a batch: png, bmp, svg or pdf
    int jobs = 0;       // a batch: worker threads
    std::string watch;  // the watch service: the folder watched
    std::string pattern = "plot.dat";
    int delaySeconds = 4;
    bool batch() const { return !outdir.empty() && watch.empty(); }
};

inline constexpr int kExitDrawn = 0, kExitNoPlot = 1;

// Reads `arguments` (the program's name first): the options, or what to print and the exit status (help,
// version, or a usage error with status 2). `cores` is the default number of jobs.
std::variant<RenderOptions, corvex::EarlyExit> parseRenderOptions(const QStringList& arguments, int cores);

// A batch's output file for `input`: OUTDIR/<input's file name>.<format>.
std::string outputFor(const RenderOptions& options, const std::string& input);

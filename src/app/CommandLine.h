#pragma once
// The command line of the program corvex: what to do at start instead of showing the Setup window.

#include "platform/CommandLineExit.h"

#include <QStringList>
#include <string>
#include <variant>

namespace corvex {

// How the program starts: the Setup window (nothing given), FILE plotted in manual selection, or a
// directory watched as if chosen in Setup and "Done" pressed.
struct StartRequest {
    enum class Mode { Setup, File, Watch };
    Mode mode = Mode::Setup;
    std::string file;      // Mode::File
    std::string directory; // Mode::Watch
    std::string pattern = "plot.dat";
    int delaySeconds = 4; // 1..60
    bool clickToPlot = false;
    bool platformGiven = false; // -platform NAME: the window system is chosen on the command line
    std::string display;        // -display NAME: the X display to open instead of $DISPLAY
};

// Reads `arguments` (the program's name first): the start to make, or what to print and the exit status
// (help, version, or a usage error with status 2). Qt's -platform and -display options are accepted.
std::variant<StartRequest, EarlyExit> parseStartRequest(const QStringList& arguments);

} // namespace corvex

#include "app/CommandLine.h"

namespace corvex {

namespace {

const QString kProgram = "corvex";
const QString kUsage = "Usage: corvex [options] [FILE]\n"
                       "       corvex [options] --watch DIR [--pattern P] [--delay S] [--click]\n";
constexpr int kMinDelay = 1, kMaxDelay = 60;

} // namespace

std::variant<StartRequest, EarlyExit> parseStartRequest(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions); // Qt's -platform NAME
    parser.setApplicationDescription("Corvex plots two-dimensional measurement data. Without arguments it "
                                     "starts with the Setup window.");
    const QCommandLineOption watch("watch", "Plot the files of DIR automatically, as Setup's Done would.",
                                   "DIR");
    const QCommandLineOption pattern("pattern", "File name pattern to watch for (default plot.dat).", "P");
    const QCommandLineOption delay("delay", "Seconds between plots or checks, 1..60 (default 4).", "S");
    const QCommandLineOption click("click", "Click to Plot instead of Timed Plotting.");
    QCommandLineOption platform("platform", "Qt window system plugin.", "NAME");
    QCommandLineOption display("display", "X display to use.", "DISPLAY");
    platform.setFlags(QCommandLineOption::HiddenFromHelp);
    display.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({watch, pattern, delay, click, platform, display});
    parser.addPositionalArgument("FILE", "Plot data file to plot at start (Manual File Select).", "[FILE]");
    if (auto early = parseStandard(parser, arguments, kProgram, kUsage)) return *early;

    const auto fail = [](const QString& why) { return usageError(kProgram, kUsage, why); };
    StartRequest request;
    request.platformGiven = parser.isSet(platform);
    request.display = parser.value(display).toStdString();
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) return fail("give one FILE");
    const bool watching = parser.isSet(watch);
    if (watching && !files.isEmpty()) return fail("give FILE or --watch DIR, not both");
    for (const auto* option : {&pattern, &delay, &click})
        if (!watching && parser.isSet(*option))
            return fail("--" + option->names().first() + " needs --watch DIR");
    if (!files.isEmpty()) {
        request.mode = StartRequest::Mode::File;
        request.file = files.first().toLocal8Bit().toStdString();
    }
    if (!watching) return request;

    request.mode = StartRequest::Mode::Watch;
    request.directory = parser.value(watch).toLocal8Bit().toStdString();
    if (request.directory.empty()) return fail("--watch wants a directory");
    if (parser.isSet(pattern)) request.pattern = parser.value(pattern).toStdString();
    if (request.pattern.empty()) return fail("--pattern wants a file name pattern");
    if (parser.isSet(delay)) {
        bool whole = false;
        request.delaySeconds = parser.value(delay).toInt(&whole);
        if (!whole || request.delaySeconds < kMinDelay || request.delaySeconds > kMaxDelay)
            return fail("--delay wants whole seconds 1..60");
    }
    request.clickToPlot = parser.isSet(click);
    return request;
}

} // namespace corvex

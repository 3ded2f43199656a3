// corvex-render: draws the plot of plot data files into PNG, BMP, SVG or PDF files, exactly as the main
// window draws it, and optionally describes each plot as JSON. One file, or a batch on all cores. Runs
// without a display.

#include "BatchRunner.h"
#include "PlotRendering.h"
#include "RenderOptions.h"
#include "WatchService.h"
#include "datafile/PlotReader.h"
#include "model/Colors.h"
#include "model/FontStep.h"
#include "model/PlotState.h"
#include "platform/FileService.h"
#include "platform/QtCanvas.h"
#include "platform/RuntimeDir.h"
#include "platform/StreamMessages.h"
#include "platform/Text.h"
#include "render/PlotPainter.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>
#include <memory>
#include <sstream>
#include <unistd.h>

using namespace corvex;

namespace {

QJsonValue jsonFloat(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(v));
    return QJsonValue(std::strtod(text, nullptr));
}

QJsonObject describeAxis(const AxisSetup& axis, const std::string& legend) {
    QJsonArray labels;
    for (int j = 0; j < axis.TickCount; ++j)
        labels.append(toQString(tickLabel(axis, j)));
    return {{"min", jsonFloat(axis.AxisMin)},
            {"max", jsonFloat(axis.AxisMax)},
            {"tick_count", axis.TickCount},
            {"exp_text", toQString(axis.ExpText)},
            {"legend", toQString(legend + axis.ExpSuffix)},
            {"labels", labels}};
}

QJsonObject describe(const LoadedPlot& plot, const StreamMessages& messages, const PlotPaintReport& report) {
    QJsonArray shown;
    for (const auto& [title, text] : messages.shown())
        shown.append(QJsonObject{{"title", toQString(title)}, {"text", toQString(text)}});
    const PlotData& data = *plot.data;
    return {{"caption", toQString(plot.caption)},
            {"data_loaded", data.DataLoaded},
            {"num_pts", data.NumPts},
            {"title", toQString(data.PlotTitle)},
            {"subtitle", toQString(data.SubTitle)},
            {"range", QJsonObject{{"x_min", jsonFloat(plot.range.PlotXMin)},
                                  {"x_max", jsonFloat(plot.range.PlotXMax)},
                                  {"y_min", jsonFloat(plot.range.PlotYMin)},
                                  {"y_max", jsonFloat(plot.range.PlotYMax)}}},
            {"x_axis", describeAxis(plot.layout.x, data.XLegend)},
            {"y_axis", describeAxis(plot.layout.y, data.YLegend)},
            {"messages", shown},
            {"symbols_drawn", qint64(report.symbolsDrawn)},
            {"line_segments_drawn", qint64(report.lineSegmentsDrawn)}};
}

// `text` with `prefix` before each of its lines.
std::string prefixLines(const std::string& text, const std::string& prefix) {
    std::string out;
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out += prefix + text.substr(start, end - start) + "\n";
    }
    return out;
}

// One input with a plot state of its own, so that files can be drawn side by side, and the messages
// told on its way.
struct FileRun {
    std::ostringstream said;
    StreamMessages messages{said};
    LoadedPlot plot;
    bool opened = false;
};

// Loads INPUT; this needs no Qt application, so it can run while the application starts.
std::unique_ptr<FileRun> readInput(const std::string& input) {
    auto run = std::make_unique<FileRun>();
    run->opened = loadPlot(input, run->plot, run->messages);
    return run;
}

// Draws the loaded INPUT into OUTPUT (none: only described). In a batch, messages name the input and
// the description is one line naming the input and output.
FileOutcome drawFile(const RenderOptions& o, FileRun& run, const std::string& input,
                     const std::string& output) {
    const DisplayOptions options = displayOptions(o);
    std::ostringstream err;
    auto& [said, messages, plot, opened] = run;
    if (!opened) err << "corvex-render: cannot read " << input << "\n";
    if (plot.data->DataLoaded && o.range) {
        const auto& r = *o.range;
        plot.range = {r[0], r[1], r[2], r[3]};
    }
    layOut(plot, o, options, messages);
    RenderResult result;
    if (plot.layout.drawable) {
        result = drawInto(plot, o, options, output);
        if (!result.written) err << "corvex-render: cannot write " << output << "\n";
    }

    FileOutcome outcome{plot.layout.drawable && result.written ? kExitDrawn : kExitNoPlot,
                        {},
                        (o.batch() ? prefixLines(said.str(), input + ": ") : said.str()) + err.str()};
    if (o.describe) {
        QJsonObject json = describe(plot, messages, result.report);
        if (o.batch()) {
            json["input"] = toQString(input);
            json["output"] = toQString(output);
        }
        outcome.out = QJsonDocument(json)
                          .toJson(o.batch() ? QJsonDocument::Compact : QJsonDocument::Indented)
                          .toStdString();
        if (o.batch()) outcome.out += "\n";
    }
    return outcome;
}

bool platformGiven(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = parseRenderOptions(argumentList(argc, argv), QThread::idealThreadCount());
    if (const auto* early = std::get_if<EarlyExit>(&parsed)) return finish(*early);
    const RenderOptions& o = std::get<RenderOptions>(parsed);

    if (!platformGiven(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    providePrivateRuntimeDir();
    // One file is read on the second core while the Qt application and its fonts start up.
    std::future<std::unique_ptr<FileRun>> single;
    if (o.watch.empty() && !o.batch()) single = std::async(std::launch::async, readInput, o.inputs[0]);
    QGuiApplication app(argc, argv);
    if (single.valid()) startFontSystem();
    if (!o.watch.empty()) return runWatch(o);
    if (!o.batch())
        return runBatch(
            1, 1, [&](size_t) { return drawFile(o, *single.get(), o.inputs[0], o.output); }, false);
    return runBatch(
        o.inputs.size(), o.jobs,
        [&](size_t i) {
            return drawFile(o, *readInput(o.inputs[i]), o.inputs[i], outputFor(o, o.inputs[i]));
        },
        isatty(STDERR_FILENO) != 0);
}

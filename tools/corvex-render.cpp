// corvex-render: draws the plot of plot data files into PNG, BMP, SVG or PDF files, exactly as the main
// window draws it, and optionally describes each plot as JSON. One file, or a batch on all cores. Runs
// without a display.

#include "BatchRunner.h"
#include "RenderOptions.h"
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
#include <memory>
#include <sstream>
#include <unistd.h>

using namespace corvex;

namespace {

constexpr double kDpi = 96; // 15 twips per pixel, as on the usual screen

// Factor after `steps` font steps from the start step 4 (each a factor 1.2, as the menu commands).
float stepFactor(float start, int steps) {
    float scale = start;
    int16_t step = 4;
    while (step != steps)
        applyFontStep(scale, step, steps > step ? +1 : -1);
    return scale;
}

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

// The display options of the command line, from the start-up values.
DisplayOptions displayOptions(const RenderOptions& o) {
    DisplayOptions options;
    SetColors(options);
    options.OmitLines = o.omitLines;
    options.SmallSyms = o.smallSymbols;
    options.SymScale = o.smallSymbols ? 0.5f : 1.0f;
    options.FilledSyms = o.filledSymbols;
    options.XLgndFntStep = int16_t(o.titleStep);
    options.YLgndFntStep = int16_t(o.yLegendStep);
    options.XLgndFntScale = stepFactor(0.0014f, o.titleStep);
    options.YLgndFntScale = stepFactor(0.0026f, o.yLegendStep);
    return options;
}

// Loads INPUT as the window loads a plot, with its caption; false when it cannot be opened.
bool loadPlot(const std::string& input, PlotData& data, PlotRange& range, MessageService& messages,
              std::string& caption) {
    NullProgress progress;
    SystemFileService files;
    NoWaitClock clock;
    const std::string displayName = toFileText(QFileInfo(toQString(input)).absoluteFilePath());
    ReaderHost host{messages, progress, [&](const std::string& c) { caption = c; },
                    [](const std::string&) {}};
    return LoadPlotFile(input, displayName, files, clock, host, data, range).opened;
}

// Draws the plot onto the device of OUTPUT's format (or a scratch image) and writes the file.
struct RenderResult {
    PlotPaintReport report;
    bool written = false;
};

using PlotPaint = std::function<PlotPaintReport(Canvas&)>;

RenderResult render(const RenderOptions& o, const std::string& output, const std::string& caption,
                    const PlotPaint& paint) {
    RenderResult result;
    const QString path = toQString(output);
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == "svg") {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(QSize(o.width, o.height));
        svg.setViewBox(QRect(0, 0, o.width, o.height));
        svg.setResolution(int(kDpi));
        svg.setTitle(toQString(caption));
        {
            QtCanvas canvas(&svg, kDpi);
            result.report = paint(canvas);
        }
        result.written = QFileInfo(path).size() > 0;
    } else if (ext == "pdf") {
        QPdfWriter pdf(path);
        pdf.setResolution(int(kDpi));
        pdf.setPageSize(QPageSize(QSizeF(o.width * 72.0 / kDpi, o.height * 72.0 / kDpi), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(toQString(caption));
        {
            QtCanvas canvas(&pdf, kDpi);
            result.report = paint(canvas);
        }
        result.written = QFileInfo(path).size() > 0;
    } else {
        QImage image(o.width, o.height, QImage::Format_RGB32);
        {
            QtCanvas canvas(&image, kDpi);
            result.report = paint(canvas);
        }
        // PNG quality 80 is zlib level 1: the same pixels, encoded several times faster.
        result.written =
            output.empty() || image.save(path, ext == "bmp" ? "BMP" : "PNG", ext == "bmp" ? -1 : 80);
    }
    return result;
}

// A plot file as loaded and laid out.
struct LoadedPlot {
    std::unique_ptr<PlotData> data = std::make_unique<PlotData>(); // 2.5 MB: not on a worker's stack
    PlotRange range;
    PlotLayout layout;
    std::string caption = kVersionCaption;
};

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

// Draws INPUT into OUTPUT (none: only described) with a plot state of its own, so that files can be
// drawn side by side. In a batch, messages name the input and the description is one line naming the
// input and output.
FileOutcome drawFile(const RenderOptions& o, const std::string& input, const std::string& output) {
    const DisplayOptions options = displayOptions(o);
    std::ostringstream said, err;
    StreamMessages messages(said);
    LoadedPlot plot;
    if (!loadPlot(input, *plot.data, plot.range, messages, plot.caption))
        err << "corvex-render: cannot read " << input << "\n";
    if (plot.data->DataLoaded && o.range) {
        const auto& r = *o.range;
        plot.range = {r[0], r[1], r[2], r[3]};
    }

    RenderResult result;
    if (plot.data->DataLoaded) {
        const double twips = 1440.0 / kDpi;
        plot.layout = layOutPlot(true, plot.range, options, o.width * twips, o.height * twips);
        for (const PlotWarning& warning : plot.layout.warnings)
            messages.show(warning.text, warning.title, MessageIcon::Exclamation);
        plot.range = plot.layout.range;
    }
    if (plot.layout.drawable) {
        NullProgress progress;
        const DrawingAreaSize size{float(o.width), float(o.height)};
        result = render(o, output, plot.caption, [&](Canvas& canvas) {
            return drawPlot(plot.layout, *plot.data, options, size, canvas, progress);
        });
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
    QGuiApplication app(argc, argv);
    if (!o.batch())
        return runBatch(
            1, 1, [&](size_t) { return drawFile(o, o.inputs[0], o.output); }, false);
    return runBatch(
        o.inputs.size(), o.jobs,
        [&](size_t i) { return drawFile(o, o.inputs[i], outputFor(o, o.inputs[i])); },
        isatty(STDERR_FILENO) != 0);
}

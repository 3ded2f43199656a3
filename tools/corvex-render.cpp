// corvex-render: draws the plot of a plot data file into a PNG, BMP, SVG or PDF file, exactly as the
// main window draws it, and optionally describes the plot as JSON. Runs without a display.

#include "datafile/PlotReader.h"
#include "model/Colors.h"
#include "model/FontStep.h"
#include "model/PlotState.h"
#include "platform/FileService.h"
#include "platform/FreeFormatInput.h"
#include "platform/QtCanvas.h"
#include "render/PlotPainter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <vector>

using namespace corvex;

namespace {

constexpr int kExitDrawn = 0, kExitNoPlot = 1, kExitUsage = 2;
constexpr double kDpi = 96; // 15 twips per pixel, as on the usual screen

const char* const kUsage =
    "Usage: corvex-render [options] INPUT OUTPUT\n"
    "Draws the plot of the plot data file INPUT into OUTPUT (.png, .bmp, .svg or .pdf).\n"
    "\n"
    "Options:\n"
    "  --size WxH            drawing area in pixels (default 1280x960)\n"
    "  --omit-lines          leave out the connecting lines\n"
    "  --small-symbols       half-size symbols\n"
    "  --filled-symbols      filled symbols\n"
    "  --title-step N        title and X legend font step 0..8 (default 4)\n"
    "  --ylegend-step N      Y legend font step 0..8 (default 4)\n"
    "  --range XMIN,XMAX,YMIN,YMAX  plot this range instead of the full data range\n"
    "  --describe            print a JSON description to stdout (OUTPUT may then be left out)\n"
    "  --help                show this text\n"
    "\n"
    "Exit status: 0 plot drawn, 1 no data, input unreadable or output not written, 2 bad usage.\n";

struct Options {
    int width = 1280, height = 960;
    bool omitLines = false, smallSymbols = false, filledSymbols = false, describe = false;
    int titleStep = 4, yLegendStep = 4;
    std::optional<std::array<float, 4>> range;
    std::string input, output;
};

struct UsageError {
    std::string why;
};

bool parseInt(const std::string& text, int lo, int hi, int& value) {
    double v = 0;
    if (!parseDecimal(text, v) || v != double(int(v)) || v < lo || v > hi) return false;
    value = int(v);
    return true;
}

bool parseFloat(const std::string& text, float& value) {
    double v = 0;
    if (!parseDecimal(text, v) || v > FLT_MAX || v < -FLT_MAX) return false;
    value = float(v);
    return true;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

Options parseOptions(const std::vector<std::string>& args) {
    Options o;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
            return args[++i];
        };
        if (a == "--omit-lines") {
            o.omitLines = true;
        } else if (a == "--small-symbols") {
            o.smallSymbols = true;
        } else if (a == "--filled-symbols") {
            o.filledSymbols = true;
        } else if (a == "--describe") {
            o.describe = true;
        } else if (a == "--size") {
            const auto wh = split(value(), 'x');
            if (wh.size() != 2 || !parseInt(wh[0], 1, 16000, o.width) ||
                !parseInt(wh[1], 1, 16000, o.height) || double(o.width) * o.height > 64e6)
                throw UsageError{"--size wants WxH, each 1..16000, at most 64 million pixels"};
        } else if (a == "--title-step" || a == "--ylegend-step") {
            if (!parseInt(value(), 0, kMaxFontStep, a == "--title-step" ? o.titleStep : o.yLegendStep))
                throw UsageError{a + " wants a whole number 0..8"};
        } else if (a == "--range") {
            const auto parts = split(value(), ',');
            std::array<float, 4> r{};
            if (parts.size() != 4) throw UsageError{"--range wants XMIN,XMAX,YMIN,YMAX"};
            for (size_t k = 0; k < 4; ++k)
                if (!parseFloat(parts[k], r[k])) throw UsageError{"--range: not a number: " + parts[k]};
            if (r[0] > r[1] || r[2] > r[3]) throw UsageError{"--range wants XMIN <= XMAX and YMIN <= YMAX"};
            o.range = r;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            files.push_back(a);
        }
    }
    if (files.empty() || files.size() > 2) throw UsageError{"wants INPUT and OUTPUT"};
    if (files.size() == 1 && !o.describe) throw UsageError{"OUTPUT missing"};
    o.input = files[0];
    if (files.size() == 2) o.output = files[1];
    return o;
}

std::string extensionOf(const std::string& path) {
    return QFileInfo(toQString(path)).suffix().toLower().toStdString();
}

// Messages the window would show in a message box: printed as "Title: text", kept for the JSON.
class StderrMessages : public MessageService {
  public:
    void show(const std::string& text, const std::string& title, MessageIcon) override {
        std::string oneLine; // "\n\r" line breaks as plain line feeds
        for (size_t k = 0; k < text.size(); ++k)
            if (!(text[k] == '\r' && k > 0 && text[k - 1] == '\n')) oneLine += text[k];
        std::cerr << (title.empty() ? kProgramTitle : title) << ": " << oneLine << std::endl;
        shown.push_back({title, text});
    }
    void beep() override {}
    std::vector<std::pair<std::string, std::string>> shown;
};

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

// Draws the plot onto the device of OUTPUT's format (or a scratch image) and writes the file.
struct RenderResult {
    PlotPaintReport report;
    bool written = false;
};

using PlotPaint = std::function<PlotPaintReport(Canvas&)>;

RenderResult render(const Options& o, const std::string& caption, const PlotPaint& paint) {
    RenderResult result;
    const std::string ext = extensionOf(o.output);
    const QString path = toQString(o.output);
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
            o.output.empty() || image.save(path, ext == "bmp" ? "BMP" : "PNG", ext == "bmp" ? -1 : 80);
    }
    return result;
}

int run(const Options& o) {
    PlotData data;
    PlotRange range;
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
    const DrawingAreaSize size{float(o.width), float(o.height)};

    StderrMessages messages;
    NullProgress progress;
    SystemFileService files;
    NoWaitClock clock;
    const std::string displayName = toFileText(QFileInfo(toQString(o.input)).absoluteFilePath());
    std::string caption = kVersionCaption;
    ReaderHost host{messages, progress, [&](const std::string& c) { caption = c; },
                    [](const std::string&) {}};
    if (!LoadPlotFile(o.input, displayName, files, clock, host, data, range).opened)
        std::cerr << "corvex-render: cannot read " << o.input << std::endl;
    if (data.DataLoaded && o.range) {
        const auto& r = *o.range;
        range = {r[0], r[1], r[2], r[3]};
    }

    const double twips = 1440.0 / kDpi;
    PlotLayout layout;
    RenderResult result;
    if (data.DataLoaded) {
        layout = layOutPlot(true, range, options, o.width * twips, o.height * twips);
        for (const PlotWarning& warning : layout.warnings)
            messages.show(warning.text, warning.title, MessageIcon::Exclamation);
        range = layout.range;
    }
    if (layout.drawable) {
        result = render(o, caption, [&](Canvas& canvas) {
            return drawPlot(layout, data, options, size, canvas, progress);
        });
        if (!result.written) std::cerr << "corvex-render: cannot write " << o.output << std::endl;
    }

    if (o.describe) {
        QJsonArray shown;
        for (const auto& [title, text] : messages.shown)
            shown.append(QJsonObject{{"title", toQString(title)}, {"text", toQString(text)}});
        const QJsonObject json{{"caption", toQString(caption)},
                               {"data_loaded", data.DataLoaded},
                               {"num_pts", data.NumPts},
                               {"title", toQString(data.PlotTitle)},
                               {"subtitle", toQString(data.SubTitle)},
                               {"range", QJsonObject{{"x_min", jsonFloat(range.PlotXMin)},
                                                     {"x_max", jsonFloat(range.PlotXMax)},
                                                     {"y_min", jsonFloat(range.PlotYMin)},
                                                     {"y_max", jsonFloat(range.PlotYMax)}}},
                               {"x_axis", describeAxis(layout.x, data.XLegend)},
                               {"y_axis", describeAxis(layout.y, data.YLegend)},
                               {"messages", shown},
                               {"symbols_drawn", qint64(result.report.symbolsDrawn)},
                               {"line_segments_drawn", qint64(result.report.lineSegmentsDrawn)}};
        std::cout << QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString();
    }
    return layout.drawable && result.written ? kExitDrawn : kExitNoPlot;
}

bool platformGiven(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return true;
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    if (!platformGiven(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<std::string> args;
    const QStringList arguments = QGuiApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        args.push_back(arguments[i].toStdString());
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return kExitDrawn;
        }
    Options options;
    try {
        options = parseOptions(args);
        const std::string ext = extensionOf(options.output);
        if (!options.output.empty() && ext != "png" && ext != "bmp" && ext != "svg" && ext != "pdf")
            throw UsageError{"OUTPUT must end in .png, .bmp, .svg or .pdf"};
    } catch (const UsageError& e) {
        std::cerr << "corvex-render: " << e.why << "\n\n" << kUsage;
        return kExitUsage;
    }
    return run(options);
}

#include "RenderOptions.h"

#include "model/FontStep.h"
#include "platform/FreeFormatInput.h"

#include <QDir>
#include <QFileInfo>
#include <cfloat>
#include <set>

using namespace corvex;

namespace {

const QString kProgram = "corvex-render";
const QString kUsage =
    "Usage: corvex-render [options] INPUT OUTPUT\n"
    "       corvex-render [options] --describe INPUT [OUTPUT]\n"
    "       corvex-render [options] --outdir DIR [--format F] INPUT...\n"
    "       corvex-render [options] --watch DIR [--pattern P] [--delay S] --outdir OUT [--format F]\n";
const std::set<QString> kFormats{"png", "bmp", "svg", "pdf"};

bool parseInt(const QString& text, int lo, int hi, int& value) {
    double v = 0;
    if (!parseDecimal(text.toStdString(), v) || v != double(int(v)) || v < lo || v > hi) return false;
    value = int(v);
    return true;
}

bool parseFloat(const QString& text, float& value) {
    double v = 0;
    if (!parseDecimal(text.toStdString(), v) || v > FLT_MAX || v < -FLT_MAX) return false;
    value = float(v);
    return true;
}

QString extensionOf(const std::string& path) {
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).suffix().toLower();
}

// Checks the size, steps and range; an empty text when all are good.
QString readDrawing(const QCommandLineParser& p, RenderOptions& o) {
    if (p.isSet("size")) {
        const QStringList wh = p.value("size").split('x');
        if (wh.size() != 2 || !parseInt(wh[0], 1, 16000, o.width) || !parseInt(wh[1], 1, 16000, o.height) ||
            double(o.width) * o.height > 64e6)
            return "--size wants WxH, each 1..16000, at most 64 million pixels";
    }
    for (auto [name, step] :
         {std::pair{"title-step", &o.titleStep}, std::pair{"ylegend-step", &o.yLegendStep}})
        if (p.isSet(name) && !parseInt(p.value(name), 0, kMaxFontStep, *step))
            return QString("--") + name + " wants a whole number 0..8";
    if (p.isSet("range")) {
        const QStringList parts = p.value("range").split(',');
        std::array<float, 4> r{};
        if (parts.size() != 4) return "--range wants XMIN,XMAX,YMIN,YMAX";
        for (int k = 0; k < 4; ++k)
            if (!parseFloat(parts[k], r[size_t(k)])) return "--range: not a number: " + parts[k];
        if (r[0] > r[1] || r[2] > r[3]) return "--range wants XMIN <= XMAX and YMIN <= YMAX";
        o.range = r;
    }
    o.omitLines = p.isSet("omit-lines");
    o.smallSymbols = p.isSet("small-symbols");
    o.filledSymbols = p.isSet("filled-symbols");
    o.describe = p.isSet("describe");
    return {};
}

// Checks the folders of the watch service; an empty text when they are good.
QString readWatch(const QCommandLineParser& p, RenderOptions& o) {
    o.watch = p.value("watch").toLocal8Bit().toStdString();
    o.outdir = p.value("outdir").toLocal8Bit().toStdString();
    o.format = p.value("format").toLower().toStdString();
    if (!p.positionalArguments().isEmpty()) return "--watch takes no INPUT";
    if (o.describe || p.isSet("jobs") || o.range)
        return "--watch draws each file as it comes: no --describe, --jobs or --range";
    if (!QFileInfo(p.value("watch")).isDir()) return "no such folder: " + p.value("watch");
    if (o.outdir.empty()) return "--watch wants --outdir OUT";
    if (!QFileInfo(p.value("outdir")).isDir()) return "no such folder: " + p.value("outdir");
    if (!kFormats.count(QString::fromStdString(o.format))) return "--format wants png, bmp, svg or pdf";
    if (p.isSet("pattern")) o.pattern = p.value("pattern").toLocal8Bit().toStdString();
    if (p.isSet("delay") && !parseInt(p.value("delay"), 1, 60, o.delaySeconds))
        return "--delay wants a whole number of seconds 1..60";
    return {};
}

// Checks the files of one drawing or of a batch; an empty text when they are good.
QString readFiles(const QCommandLineParser& p, RenderOptions& o, int cores) {
    if (p.isSet("watch")) return readWatch(p, o);
    if (p.isSet("pattern") || p.isSet("delay")) return "--pattern and --delay need --watch DIR";
    for (const QString& file : p.positionalArguments())
        o.inputs.push_back(file.toLocal8Bit().toStdString());
    if (!p.isSet("outdir")) {
        if (p.isSet("format") || p.isSet("jobs")) return "--format and --jobs need --outdir DIR";
        if (o.inputs.empty() || o.inputs.size() > 2) return "wants INPUT and OUTPUT";
        if (o.inputs.size() == 1 && !o.describe) return "OUTPUT missing";
        if (o.inputs.size() == 2) {
            o.output = o.inputs.back();
            o.inputs.pop_back();
        }
        if (!o.output.empty() && !kFormats.count(extensionOf(o.output)))
            return "OUTPUT must end in .png, .bmp, .svg or .pdf";
        return {};
    }
    o.outdir = p.value("outdir").toLocal8Bit().toStdString();
    o.format = p.value("format").toLower().toStdString();
    if (o.outdir.empty()) return "--outdir wants a folder";
    if (!QFileInfo(QString::fromLocal8Bit(o.outdir.c_str())).isDir())
        return "no such folder: " + p.value("outdir");
    if (!kFormats.count(QString::fromStdString(o.format))) return "--format wants png, bmp, svg or pdf";
    if (o.inputs.empty()) return "wants at least one INPUT";
    o.jobs = cores;
    if (p.isSet("jobs") && !parseInt(p.value("jobs"), 1, 256, o.jobs))
        return "--jobs wants a whole number 1..256";
    std::set<std::string> outputs;
    for (const std::string& input : o.inputs)
        if (!outputs.insert(outputFor(o, input)).second)
            return "two inputs would both be drawn into " +
                   QString::fromLocal8Bit(outputFor(o, input).c_str());
    return {};
}

} // namespace

std::string outputFor(const RenderOptions& options, const std::string& input) {
    const QString name = QFileInfo(QString::fromLocal8Bit(input.c_str())).fileName();
    const QString dir = QString::fromLocal8Bit(options.outdir.c_str());
    return QDir(dir)
        .filePath(name + "." + QString::fromStdString(options.format))
        .toLocal8Bit()
        .toStdString();
}

std::variant<RenderOptions, EarlyExit> parseRenderOptions(const QStringList& arguments, int cores) {
    QCommandLineParser p;
    p.setApplicationDescription(
        "Draws the plot of each plot data file INPUT exactly as the main window draws "
        "it, into OUTPUT (.png, .bmp, .svg or .pdf) or into DIR.\n"
        "Exit status: 0 every plot drawn, 1 a file had no data, could not be read "
        "or its output not written, 2 bad usage.");
    p.addOptions({
        {"size", "Drawing area in pixels (default 1280x960).", "WxH"},
        {"omit-lines", "Leave out the connecting lines."},
        {"small-symbols", "Half-size symbols."},
        {"filled-symbols", "Filled symbols."},
        {"title-step", "Title and X legend font step 0..8 (default 4).", "N"},
        {"ylegend-step", "Y legend font step 0..8 (default 4).", "N"},
        {"range", "Plot this range instead of the full data range.", "XMIN,XMAX,YMIN,YMAX"},
        {"describe", "Print a JSON description of the plot to stdout (one object per line in a batch)."},
        {"outdir", "Draw every INPUT into DIR/<input's file name>.<format>, on all cores.", "DIR"},
        {"format", "Format of the batch's files: png, bmp, svg or pdf (default png).", "F", "png"},
        {"jobs", "Files drawn at the same time in a batch (default: the number of cores).", "N"},
        {"watch", "Plot each file of DIR matching the pattern as it comes, into OUT, and file it away.",
         "DIR"},
        {"pattern", "With --watch: the file name to watch for (default plot.dat).", "P"},
        {"delay", "With --watch: seconds between looks at DIR, 1..60 (default 4).", "S"},
    });
    p.addPositionalArgument("INPUT", "Plot data file.", "INPUT...");
    p.addPositionalArgument("OUTPUT", "File to draw into, without --outdir.", "[OUTPUT]");
    if (auto early = parseStandard(p, arguments, kProgram, kUsage)) return *early;
    RenderOptions o;
    QString why = readDrawing(p, o);
    if (why.isEmpty()) why = readFiles(p, o, cores);
    if (!why.isEmpty()) return usageError(kProgram, kUsage, why);
    return o;
}

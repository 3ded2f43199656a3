// corvex-bench: times the phases of plotting one file in this process: reading and parsing, the
// axis set-up, the repaint (and its point loop), and PNG encoding, on an image the size of the
// drawing area (default 1280x960, as corvex-render draws). Prints medians of several runs, and
// whether the stamped and the plain repaint gave the same pixels.
//
//   corvex-bench [--runs N] [--size WxH] [--filled] [--small] FILE

#include "datafile/PlotReader.h"
#include "model/Colors.h"
#include "model/PlotState.h"
#include "platform/CommandLineExit.h"
#include "platform/FileService.h"
#include "platform/IndexedPng.h"
#include "platform/LargePageImage.h"
#include "platform/QtCanvas.h"
#include "platform/RuntimeDir.h"
#include "platform/Text.h"
#include "render/AxisScale.h"
#include "render/PlotPainter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <variant>
#include <vector>

using namespace corvex;

namespace {

class QuietMessages : public MessageService {
  public:
    void show(const std::string&, const std::string&, MessageIcon) override {}
    void beep() override {}
};

struct Config {
    std::string file;
    int runs = 9;
    int width = 1280, height = 960;
    bool filled = false, small = false;
};

// Median of `runs` timings of `work` in milliseconds, after one untimed warm-up run.
double medianMs(int runs, const std::function<void()>& work) {
    work();
    std::vector<double> ms;
    for (int k = 0; k < runs; ++k) {
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const char* phase, double ms) {
    std::printf("%-46s %9.2f ms\n", phase, ms);
}

struct Session {
    PlotData data;
    PlotRange range;
    DisplayOptions options;
    DrawingAreaSize size;
    QuietMessages messages;
    NullProgress progress;
    ReaderHost host{messages, progress, [](const std::string&) {}, [](const std::string&) {}};
};

bool load(Session& s, const std::string& path, FileService& files, Clock& clock) {
    return LoadPlotFile(path, "bench", files, clock, s.host, s.data, s.range).opened;
}

PlotPaintReport paint(Session& s, QImage& image, bool stamped) {
    QtCanvas canvas(&image);
    canvas.setSymbolStamping(stamped);
    const double twips = 15; // 96 dpi
    const PlotLayout layout =
        layOutPlot(s.data.DataLoaded, s.range, s.options, image.width() * twips, image.height() * twips);
    return drawPlot(layout, s.data, s.options, s.size, canvas, s.progress);
}

// The configuration, or what to print and the exit status (help, version, or a usage error with status 2).
std::variant<Config, EarlyExit> parseArgs(const QStringList& arguments) {
    const QString program = "corvex-bench";
    const QString usage = "Usage: corvex-bench [options] FILE\n";
    QCommandLineParser p;
    p.setApplicationDescription("Times the phases of plotting FILE in this process.");
    p.addOptions({{"runs", "Timed runs per phase; the median is shown (default 9).", "N"},
                  {"size", "Image size in pixels (default 1280x960).", "WxH"},
                  {"filled", "Filled symbols."},
                  {"small", "Half-size symbols."}});
    p.addPositionalArgument("FILE", "Plot data file.");
    if (auto early = parseStandard(p, arguments, program, usage)) return *early;
    Config c;
    const QStringList files = p.positionalArguments();
    if (files.size() != 1) return usageError(program, usage, "wants one FILE");
    c.file = toFileText(files.first());
    bool ok = true;
    if (p.isSet("runs")) c.runs = p.value("runs").toInt(&ok);
    if (!ok || c.runs < 1) return usageError(program, usage, "--runs wants a whole number of at least 1");
    if (p.isSet("size")) {
        const QStringList wh = p.value("size").split('x');
        bool okH = false;
        if (wh.size() == 2) c.width = wh[0].toInt(&ok), c.height = wh[1].toInt(&okH);
        if (wh.size() != 2 || !ok || !okH || c.width < 1 || c.height < 1)
            return usageError(program, usage, "--size wants WxH");
    }
    c.filled = p.isSet("filled");
    c.small = p.isSet("small");
    return c;
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed = parseArgs(argumentList(argc, argv));
    if (const auto* early = std::get_if<EarlyExit>(&parsed)) return finish(*early);
    const Config& c = std::get<Config>(parsed);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    providePrivateRuntimeDir();
    QGuiApplication app(argc, argv);

    Session s;
    SetColors(s.options);
    s.size = {float(c.width), float(c.height)};
    s.options.SymScale = c.small ? 0.5f : 1.0f;
    s.options.FilledSyms = c.filled;

    SystemFileService files;
    NoWaitClock clock;
    if (!load(s, c.file, files, clock)) {
        std::fprintf(stderr, "corvex-bench: cannot read %s\n", c.file.c_str());
        return 1;
    }
    std::printf("%s: %d points, %dx%d, %s %s symbols, median of %d runs\n", c.file.c_str(), s.data.NumPts,
                c.width, c.height, c.small ? "small" : "normal", c.filled ? "filled" : "open", c.runs);

    report("open + read + parse + FindLimits", medianMs(c.runs, [&] { load(s, c.file, files, clock); }));
    report("axis set-up x 1000 (X and Y)", medianMs(c.runs, [&] {
               for (int k = 0; k < 1000; ++k) {
                   SetUpAxis(AxisName::X, s.range.PlotXMin, s.range.PlotXMax);
                   SetUpAxis(AxisName::Y, s.range.PlotYMin, s.range.PlotYMax);
               }
           }));

    QImage image = largePageImage(c.width, c.height); // as the window's and corvex-render's
    const int32_t numPts = s.data.NumPts;
    for (const bool stamped : {false, true}) {
        const char* how = stamped ? "stamped" : "plain";
        const double full = medianMs(c.runs, [&] { paint(s, image, stamped); });
        s.data.NumPts = 0; // frame, ticks and texts only
        const double empty = medianMs(c.runs, [&] { paint(s, image, stamped); });
        s.data.NumPts = numPts;
        report((std::string("repaint, ") + how).c_str(), full);
        report((std::string("  of which the point loop, ") + how).c_str(), full - empty);
    }

    // The window's way from the end of the settling wait to a drawn image (the screen shows it next).
    report("window: read + parse + limits + stamped repaint", medianMs(c.runs, [&] {
               load(s, c.file, files, clock);
               paint(s, image, true);
           }));

    // The fast path must not change a pixel.
    QImage plain(c.width, c.height, QImage::Format_RGB32);
    paint(s, plain, false);
    paint(s, image, true);
    std::printf("%-46s %12s\n", "stamped repaint pixel-identical to plain", plain == image ? "yes" : "NO");

    const auto reportPng = [](const char* how, const QByteArray& bytes, double ms) {
        report((std::string("PNG encoding, ") + how + " (" + std::to_string(bytes.size() / 1024) + " KiB)")
                   .c_str(),
               ms);
    };
    QByteArray trueColour;
    reportPng("true colour, Qt quality 80", trueColour, medianMs(c.runs, [&] {
                  QBuffer buffer(&trueColour);
                  buffer.open(QIODevice::WriteOnly);
                  QImageWriter writer(&buffer, "png");
                  writer.setQuality(80);
                  writer.write(image);
              }));
    QByteArray indexed;
    reportPng("indexed, two halves", indexed,
              medianMs(c.runs, [&] { indexed = encodeIndexedPng(image).value_or(QByteArray()); }));
    return 0;
}

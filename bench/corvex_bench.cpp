// corvex-bench: times the phases of plotting one file in this process: reading and parsing, the
// axis set-up, the repaint (and its point loop), and PNG encoding, on an image the size of the
// drawing area (default 1280x960, as corvex-render draws). Prints medians of several runs, and
// whether the stamped and the plain repaint gave the same pixels.
//
//   corvex-bench [--runs N] [--size WxH] [--filled] [--small] FILE

#include "app/PlotState.h"
#include "datafile/PlotReader.h"
#include "platform/CommandLineExit.h"
#include "platform/FileService.h"
#include "platform/QtCanvas.h"
#include "platform/RuntimeDir.h"
#include "render/AxisScale.h"
#include "render/Colors.h"
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
    PlotState state;
    PlotWindowFields fields;
    QuietMessages messages;
    NullProgress progress;
    ReaderHost host{messages, progress, [](const std::string&) {}, [](const std::string&) {}};
};

void load(Session& s, DataFileChannel& file) {
    ReadPlotData(s.state, file, "bench", s.host);
    FindLimits(s.state, s.state.XVal, s.state.YVal, s.state.NumPts);
}

PlotPaintReport paint(Session& s, QImage& image, bool stamped) {
    QtCanvas canvas(&image);
    canvas.setSymbolStamping(stamped);
    const double twips = 15; // 96 dpi
    PlotPaintContext ctx{
        s.state, s.fields, canvas, s.messages, s.progress, image.width() * twips, image.height() * twips};
    return Form_Paint(ctx);
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
    c.file = files.first().toLocal8Bit().toStdString();
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
    SetColors(s.state);
    s.fields.PixWidth = float(c.width);
    s.fields.PixHeight = float(c.height);
    s.fields.SymScale = c.small ? 0.5f : 1.0f;
    s.state.FilledSyms = c.filled;

    SystemFileService files;
    NoWaitClock clock;
    DataFileChannel file;
    OpenDataFile(s.state, file, c.file, files, clock);
    if (!file.open) {
        std::fprintf(stderr, "corvex-bench: cannot read %s\n", c.file.c_str());
        return 1;
    }
    load(s, file);
    std::printf("%s: %d points, %dx%d, %s %s symbols, median of %d runs\n", c.file.c_str(), s.state.NumPts,
                c.width, c.height, c.small ? "small" : "normal", c.filled ? "filled" : "open", c.runs);

    report("open + read + parse + FindLimits", medianMs(c.runs, [&] {
               DataFileChannel f;
               OpenDataFile(s.state, f, c.file, files, clock);
               load(s, f);
           }));
    report("axis set-up x 1000 (X and Y)", medianMs(c.runs, [&] {
               for (int k = 0; k < 1000; ++k) {
                   SetUpAxis(AxisName::X, s.state.PlotXMin, s.state.PlotXMax, s.messages);
                   SetUpAxis(AxisName::Y, s.state.PlotYMin, s.state.PlotYMax, s.messages);
               }
           }));

    QImage image(c.width, c.height, QImage::Format_RGB32);
    const int32_t numPts = s.state.NumPts;
    for (const bool stamped : {false, true}) {
        const char* how = stamped ? "stamped" : "plain";
        const double full = medianMs(c.runs, [&] { paint(s, image, stamped); });
        s.state.NumPts = 0; // frame, ticks and texts only
        const double empty = medianMs(c.runs, [&] { paint(s, image, stamped); });
        s.state.NumPts = numPts;
        report((std::string("repaint, ") + how).c_str(), full);
        report((std::string("  of which the point loop, ") + how).c_str(), full - empty);
    }

    // The fast path must not change a pixel.
    QImage plain(c.width, c.height, QImage::Format_RGB32);
    paint(s, plain, false);
    paint(s, image, true);
    std::printf("%-46s %12s\n", "stamped repaint pixel-identical to plain", plain == image ? "yes" : "NO");

    for (const int quality : {-1, 80, 90}) {
        QByteArray bytes;
        const double ms = medianMs(c.runs, [&] {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            writer.setQuality(quality);
            writer.write(image);
        });
        const std::string phase = "PNG encoding, quality " + std::to_string(quality) + " (" +
                                  std::to_string(bytes.size() / 1024) + " KiB)";
        report(phase.c_str(), ms);
    }
    return 0;
}

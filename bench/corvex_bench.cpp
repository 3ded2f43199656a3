// corvex-bench: times the phases of plotting one file in this process: reading and parsing, the
// axis set-up, the repaint (and its point loop), and PNG encoding, on an image the size of the
// drawing area (default 1280x960, as corvex-render draws). Prints medians of several runs, and
// whether the stamped and the plain repaint gave the same pixels.
//
//   corvex-bench FILE [--runs N] [--size WxH] [--filled] [--small]

#include "datafile/PlotReader.h"
#include "model/Colors.h"
#include "model/PlotState.h"
#include "platform/FileService.h"
#include "platform/QtCanvas.h"
#include "render/AxisScale.h"
#include "render/PlotPainter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
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

Config parseArgs(int argc, char** argv) {
    Config c;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            c.runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--size" && i + 1 < argc)
            std::sscanf(argv[++i], "%dx%d", &c.width, &c.height);
        else if (a == "--filled")
            c.filled = true;
        else if (a == "--small")
            c.small = true;
        else
            c.file = a;
    }
    if (c.file.empty()) {
        std::fprintf(stderr, "usage: corvex-bench FILE [--runs N] [--size WxH] [--filled] [--small]\n");
        std::exit(2);
    }
    return c;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const Config c = parseArgs(argc, argv);

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

    QImage image(c.width, c.height, QImage::Format_RGB32);
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

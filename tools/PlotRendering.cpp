#include "PlotRendering.h"

#include "datafile/PlotReader.h"
#include "model/Colors.h"
#include "model/FontStep.h"
#include "platform/FileService.h"
#include "platform/IndexedPng.h"
#include "platform/LargePageImage.h"
#include "platform/QtCanvas.h"
#include "platform/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <functional>

using namespace corvex;

namespace {

// Factor after `steps` font steps from the start step 4 (each a factor 1.2, as the menu commands).
float stepFactor(float start, int steps) {
    float scale = start;
    int16_t step = 4;
    while (step != steps)
        applyFontStep(scale, step, steps > step ? +1 : -1);
    return scale;
}

} // namespace

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

void startFontSystem() {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QtCanvas canvas(&scratch, kDpi);
    canvas.setFont(kPlotFontFamily, 12, true);
    canvas.textHeight("X");
}

bool loadPlot(const std::string& input, LoadedPlot& plot, MessageService& messages) {
    NullProgress progress;
    SystemFileService files;
    NoWaitClock clock;
    const std::string displayName = toFileText(QFileInfo(toQString(input)).absoluteFilePath());
    ReaderHost host{messages, progress, [&](const std::string& c) { plot.caption = c; },
                    [](const std::string&) {}};
    return LoadPlotFile(input, displayName, files, clock, host, *plot.data, plot.range).opened;
}

void layOut(LoadedPlot& plot, const RenderOptions& o, const DisplayOptions& options,
            MessageService& messages) {
    plot.layout = {};
    if (!plot.data->DataLoaded) return;
    const double twips = 1440.0 / kDpi;
    plot.layout = layOutPlot(true, plot.range, options, o.width * twips, o.height * twips);
    for (const PlotWarning& warning : plot.layout.warnings)
        messages.show(warning.text, warning.title, MessageIcon::Exclamation);
    plot.range = plot.layout.range;
}

namespace {

using PlotPaint = std::function<PlotPaintReport(Canvas&)>;

bool saveImage(const QImage& image, const QString& path, bool bmp) {
    if (bmp) return image.save(path, "BMP");
    if (const auto png = encodeIndexedPng(image)) {
        // Written in place, as Qt's writer does: through a link to its target, into a device as such.
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(*png) == png->size() &&
               file.flush();
    }
    // More colours than a palette holds: true colour, zlib level 1 (quality 80), the same pixels.
    return image.save(path, "PNG", 80);
}

// Draws onto the device of OUTPUT's format (or a scratch image) and writes the file.
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
        QImage image = largePageImage(o.width, o.height);
        {
            QtCanvas canvas(&image, kDpi);
            result.report = paint(canvas);
        }
        result.written = output.empty() || saveImage(image, path, ext == "bmp");
    }
    return result;
}

} // namespace

RenderResult drawInto(const LoadedPlot& plot, const RenderOptions& o, const DisplayOptions& options,
                      const std::string& output) {
    NullProgress progress;
    const DrawingAreaSize size{float(o.width), float(o.height)};
    return render(o, output, plot.caption, [&](Canvas& canvas) {
        return drawPlot(plot.layout, *plot.data, options, size, canvas, progress);
    });
}

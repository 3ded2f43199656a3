#include "render/PlotPainter.h"

#include "model/PlotFrame.h"
#include "model/ProgressSteps.h"
#include "platform/NumberText.h"
#include "render/Symbols.h"

#include <algorithm>

namespace corvex {

namespace {

constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kWhite = rgb(255, 255, 255);

void drawFrameAndTicks(Canvas& canvas, const AxisSetup& x, const AxisSetup& y) {
    const FillStyle saved = canvas.fillStyle();
    canvas.setFillStyle(FillStyle::Solid);
    canvas.filledBox(0, 0, 100, 100, kWhite);
    canvas.setFillStyle(saved);
    canvas.box(0, 0, 100, 100, kBlack);
    // Interior ticks only: the frame's corners stand for the axis ends.
    for (int i = 1; i <= x.TickCount - 2; ++i)
        canvas.line(tickPosition(x, i), 0, tickPosition(x, i), 2, kBlack);
    for (int i = 1; i <= y.TickCount - 2; ++i)
        canvas.line(0, tickPosition(y, i), 2, tickPosition(y, i), kBlack);
}

// The drawing of one plot: what it draws from, and where.
struct PlotDrawing {
    const PlotLayout& layout;
    const PlotData& data;
    const DisplayOptions& options;
    const DrawingAreaSize& size;
    Canvas& canvas;
    ProgressView& progress;
};

// The point loop: symbols for data sets, black connecting lines for move and draw codes.
void drawPoints(const PlotDrawing& d, PlotPaintReport& report) {
    const PlotData& st = d.data;
    const DrawnAxes& axes = d.layout.axes;
    Canvas& canvas = d.canvas;
    const float xMin = axes.XAxisMin, xMax = axes.XAxisMax, yMin = axes.YAxisMin, yMax = axes.YAxisMax;
    const SymbolFrame frame = plotSymbolFrame(d.size.PixWidth, d.size.PixHeight);
    const float r = float(0.65 * double(d.options.SymScale));
    const int32_t step = *toInt32(st.NumPts / 10.0 + 1);
    int shown = 0;
    // A line starts only at a point inside the X axis; until then draw codes just look for a start
    // (so a draw code before any move code begins its own line rather than joining the last tick).
    bool penDown = false;
    auto lineY = [&](float yv, float py) { return yv < yMin ? 0.0f : yv > yMax ? 100.0f : py; };

    for (int32_t i = 1; i <= st.NumPts; ++i) {
        const int value = progressAt(i, step, shown);
        if (value > 0) d.progress.setValue(shown = value);
        const float xv = st.XVal[size_t(i)], yv = st.YVal[size_t(i)];
        const int16_t s = st.SetNo[size_t(i)];
        const float px = dataToPlotX(axes, xv);
        const float py = dataToPlotY(axes, yv);
        if (s > 0) {
            if (xv <= xMin || xv >= xMax || yv <= yMin || yv >= yMax) continue; // on a limit is outside
            drawSetSymbol(canvas, frame, d.options.PlotColor, s, px, py, r);
            ++report.symbolsDrawn;
        } else if ((s == MoveCode || s == DrawCode) && !d.options.OmitLines) {
            if (s == MoveCode) penDown = false;
            if (!penDown) {
                if (xv < xMin || xv > xMax) continue;
                penDown = true;
                canvas.setCurrentPosition(px, lineY(yv, py));
            } else if (xv <= xMax) { // right of the axis: skipped, the position stays
                canvas.lineTo(px, lineY(yv, py), kBlack);
                ++report.lineSegmentsDrawn;
            }
        }
    }
}

void printAt(Canvas& canvas, double left, double top, const std::string& text) {
    canvas.setCurrentPosition(left, top);
    canvas.print(text);
}

void printCentred(Canvas& canvas, double centreX, double top, const std::string& text) {
    printAt(canvas, centreX - canvas.textWidth(text) / 2, top, text);
}

void drawTexts(const PlotDrawing& d) {
    Canvas& canvas = d.canvas;
    const PlotData& st = d.data;
    const PlotFontSizes& sizes = d.layout.fonts;
    const AxisSetup &x = d.layout.x, &y = d.layout.y;
    canvas.setFontSize(sizes.TitleSize);
    const std::string xLegend = st.XLegend + x.ExpSuffix;
    printCentred(canvas, 50, -12.5 + canvas.textHeight("X"), xLegend); // bottom edge at -12.5
    printCentred(canvas, 50, 118, st.PlotTitle);
    printCentred(canvas, 50, 110, st.SubTitle);

    canvas.setFontSize(sizes.TickSize);
    for (int j = 0; j < x.TickCount; ++j)
        printCentred(canvas, tickPosition(x, j), -1, tickLabel(x, j));

    // Y legend: reads upward, centred on the frame's vertical middle.
    canvas.setUpwardFont(kPlotFontFamily, sizes.YLegendHeight, true);
    const std::string yLegend = st.YLegend + y.ExpSuffix;
    const double length = canvas.textPixWidth(yLegend) * PlotFrame::kSpanY / d.size.PixHeight;
    printAt(canvas, -18, 50 - length / 2, yLegend);

    canvas.setFont(kPlotFontFamily, sizes.TickSize, true);
    const double blank = canvas.textWidth(" ");
    const double raise = 2.0 / 3.0 * canvas.textHeight("Y");
    for (int j = 0; j < y.TickCount; ++j) {
        const std::string label = tickLabel(y, j);
        printAt(canvas, -canvas.textWidth(label) - blank, tickPosition(y, j) + raise, label);
    }
}

} // namespace

PlotPaintReport drawPlot(const PlotLayout& layout, const PlotData& data, const DisplayOptions& options,
                         const DrawingAreaSize& size, Canvas& canvas, ProgressView& progress) {
    const PlotDrawing d{layout, data, options, size, canvas, progress};
    PlotPaintReport report;
    progress.setValue(0);
    progress.setLabel("Creating Plot");
    progress.showAndFocus();
    canvas.setFont(kPlotFontFamily, layout.fonts.TickSize, true);
    canvas.setUserScale(PlotFrame::kLeft, PlotFrame::kTop, PlotFrame::kRight, PlotFrame::kBottom);
    canvas.clear();
    canvas.setLineWidth(2);
    drawFrameAndTicks(canvas, layout.x, layout.y);

    canvas.setLineWidth(1);
    const Rgb fore = canvas.foreColor(), fill = canvas.fillColor();
    const FillStyle style = canvas.fillStyle();
    if (options.FilledSyms) canvas.setFillStyle(FillStyle::Solid);
    drawPoints(d, report);
    canvas.setFillStyle(style);
    canvas.setFillColor(fill);
    canvas.setForeColor(fore);

    drawTexts(d);
    progress.setValue(0);
    progress.hide();
    return report;
}

} // namespace corvex

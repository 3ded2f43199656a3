#include "render/PlotPainter.h"

#include "datafile/PlotReader.h"
#include "platform/NumberText.h"
#include "render/Colors.h"
#include "render/Symbols.h"

#include <algorithm>

namespace corvex {

namespace {

constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kWhite = rgb(255, 255, 255);

// The plot coordinate system: the drawing area's edges in plot units; the frame spans 0..100.
constexpr double kLeft = -25, kTop = 120, kRight = 110, kBottom = -25;

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

// The point loop: symbols for data sets, black connecting lines for move and draw codes.
void drawPoints(PlotPaintContext& ctx, PlotPaintReport& report) {
    const PlotState& st = ctx.state;
    const PlotWindowFields& f = ctx.fields;
    Canvas& canvas = ctx.canvas;
    const float xMin = f.XAxisMin, xMax = f.XAxisMax, yMin = f.YAxisMin, yMax = f.YAxisMax;
    const SymbolFrame frame = plotSymbolFrame(f.PixWidth, f.PixHeight);
    const float r = float(0.65 * double(f.SymScale));
    const int32_t step = *toInt32(st.NumPts / 10.0 + 1);
    int shown = 0;
    // A line starts only at a point inside the X axis; until then draw codes just look for a start
    // (so a draw code before any move code begins its own line rather than joining the last tick).
    bool penDown = false;
    auto lineY = [&](float yv, float py) { return yv < yMin ? 0.0f : yv > yMax ? 100.0f : py; };

    for (int32_t i = 1; i <= st.NumPts; ++i) {
        const int value = progressAt(i, step, shown);
        if (value >= 0) ctx.progress.setValue(shown = value);
        const float xv = st.XVal[size_t(i)], yv = st.YVal[size_t(i)];
        const int16_t s = st.SetNo[size_t(i)];
        const float px = float((double(xv) - xMin) * f.XScale);
        const float py = float((double(yv) - yMin) * f.YScale);
        if (s > 0) {
            if (xv <= xMin || xv >= xMax || yv <= yMin || yv >= yMax) continue; // on a limit is outside
            drawSetSymbol(canvas, frame, st, s, px, py, r);
            ++report.symbolsDrawn;
        } else if ((s == MoveCode || s == DrawCode) && !f.OmitLines) {
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

void drawTexts(PlotPaintContext& ctx, const PlotFontSizes& sizes, const AxisSetup& x, const AxisSetup& y) {
    Canvas& canvas = ctx.canvas;
    const PlotState& st = ctx.state;
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
    const double length = canvas.textPixWidth(yLegend) * 145.0 / ctx.fields.PixHeight;
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

PlotFontSizes plotFontSizes(const PlotWindowFields& fields, double outerWidthTwips, double outerHeightTwips) {
    const float winMeasure = float(outerHeightTwips > outerWidthTwips ? outerHeightTwips : outerWidthTwips);
    auto points = [](double v) { return int16_t(std::clamp(roundHalfEven(v), 0.0, 32767.0)); };
    return {points(double(fields.XLgndFntScale) * winMeasure), points(0.0012 * winMeasure),
            int32_t(std::clamp(roundHalfEven(double(fields.YLgndFntScale) * winMeasure), 0.0, 1e6))};
}

PlotPaintReport Form_Paint(PlotPaintContext& ctx) {
    PlotPaintReport report;
    Canvas& canvas = ctx.canvas;
    PlotState& st = ctx.state;
    PlotWindowFields& f = ctx.fields;

    ctx.progress.setValue(0);
    ctx.progress.setLabel("Creating Plot");
    const PlotFontSizes sizes = plotFontSizes(f, ctx.outerWidthTwips, ctx.outerHeightTwips);
    canvas.setFont(kPlotFontFamily, sizes.TickSize, true);
    if (!st.DataLoaded) {
        ctx.messages.show("There Are No Data To Plot Yet!\n\r       Load a Data File 1st.", "Load Data",
                          MessageIcon::Exclamation);
        return report;
    }
    ctx.progress.showAndFocus();

    report.x = SetUpAxis(AxisName::X, st.PlotXMin, st.PlotXMax, ctx.messages);
    report.y = SetUpAxis(AxisName::Y, st.PlotYMin, st.PlotYMax, ctx.messages);
    if (!report.x.Drawable || !report.y.Drawable) { // the message is shown; nothing is drawn
        ctx.progress.hide();
        return report;
    }
    f.XAxisMin = report.x.AxisMin;
    f.XAxisMax = report.x.AxisMax;
    f.YAxisMin = report.y.AxisMin;
    f.YAxisMax = report.y.AxisMax;

    canvas.setUserScale(kLeft, kTop, kRight, kBottom);
    canvas.clear();
    canvas.setLineWidth(2);
    f.XScale = axisScale(report.x);
    f.YScale = axisScale(report.y);
    drawFrameAndTicks(canvas, report.x, report.y);

    canvas.setLineWidth(1);
    const Rgb fore = canvas.foreColor(), fill = canvas.fillColor();
    const FillStyle style = canvas.fillStyle();
    if (st.FilledSyms) canvas.setFillStyle(FillStyle::Solid);
    drawPoints(ctx, report);
    canvas.setFillStyle(style);
    canvas.setFillColor(fill);
    canvas.setForeColor(fore);

    drawTexts(ctx, sizes, report.x, report.y);
    ctx.progress.setValue(0);
    ctx.progress.hide();
    report.drawn = true;
    return report;
}

} // namespace corvex

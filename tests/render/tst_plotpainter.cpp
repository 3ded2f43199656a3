// The symbols and the whole repaint onto an image, by the geometry and colour rules.

#include "model/Colors.h"
#include "model/PlotFrame.h"
#include "platform/QtCanvas.h"
#include "render/PlotPainter.h"
#include "render/Symbols.h"
#include "support/Recorders.h"
#include "support/TestPoints.h"

#include <QImage>
#include <QTest>
#include <cmath>

using namespace corvex;
using namespace corvex::testing;

namespace {

// A drawing area of 1350 x 1450 pixels: 10 pixels per plot unit, so plot (x, y) is pixel
// (10 (x + 25), 10 (120 - y)) and the frame runs from pixel (250, 200) to (1250, 1200).
const QColor kWhite(255, 255, 255), kBlack(0, 0, 0), kRed(255, 0, 0), kBlue(0, 0, 255), kBack(1, 2, 3);

struct Plot {
    PlotData data;
    PlotRange range{0, 3, 0, 3}; // axes 0..4 on both sides: one data unit is 25 plot units
    DisplayOptions options;
    DrawingAreaSize size{1350, 1450};
    MessageRecorder messages;
    ProgressRecorder progress;
    QImage image{1350, 1450, QImage::Format_RGB32};
    PlotPaintReport report;
    static QPoint pixelOf(double x, double y) { return {int(10 * (x + 25)), int(10 * (120 - y))}; }

    Plot() {
        SetColors(options);
        image.fill(kBack);
    }
    // Lays out and draws as the window does: the warnings shown first, then the drawing.
    void paint() {
        QtCanvas canvas(&image);
        canvas.setBackColor(rgb(1, 2, 3));
        const PlotLayout layout =
            layOutPlot(data.DataLoaded, range, options, image.width() * 15.0, image.height() * 15.0);
        for (const PlotWarning& warning : layout.warnings)
            messages.show(warning.text, warning.title, MessageIcon::Exclamation);
        if (layout.drawable) report = drawPlot(layout, data, options, size, canvas, progress);
    }
    QColor at(double x, double y) const { return image.pixelColor(pixelOf(x, y)); }
    // Pixels of `colour` within `half` pixels of plot (x, y).
    int count(double x, double y, int half, const QColor& colour) const {
        int n = 0;
        for (int dy = -half; dy <= half; ++dy)
            for (int dx = -half; dx <= half; ++dx)
                n += image.pixelColor(pixelOf(x, y) + QPoint(dx, dy)) == colour;
        return n;
    }
};

} // namespace

class TstPlotPainter : public QObject {
    Q_OBJECT
  private slots:
    // Twenty sets per shape; set numbers above 100 keep the last shape.
    void shapeBySet() {
        using S = SymbolShape;
        const std::pair<int, S> cases[] = {{1, S::Circle},   {20, S::Circle},       {21, S::Square},
                                           {40, S::Square},  {41, S::UpTriangle},   {61, S::Diamond},
                                           {80, S::Diamond}, {81, S::DownTriangle}, {101, S::DownTriangle}};
        for (const auto& [set, shape] : cases)
            QCOMPARE(int(symbolShape(int16_t(set))), int(shape));
    }
    // Sets 1 to 20 run through the colour table's entries 1 .. 19, then 0, as designed (red + 256 green
    // + 65536 blue); set 21 starts again with entry 1.
    void everyColourOfTheTable() {
        const int table[21][3] = {
            {0, 63, 159},  {0, 0, 0},     {255, 0, 0},     {0, 255, 0},   {0, 0, 255},     {127, 127, 0},
            {127, 0, 95},  {255, 127, 0}, {127, 127, 127}, {63, 0, 159},  {95, 0, 0},      {0, 95, 0},
            {0, 223, 223}, {223, 223, 0}, {223, 0, 223},   {127, 127, 0}, {255, 127, 127}, {128, 128, 192},
            {255, 0, 127}, {0, 255, 128}, {0, 63, 159}};
        const Plot p;
        const auto entry = [&](int k) { return uint(table[k][0] + 256 * table[k][1] + 65536 * table[k][2]); };
        for (int set = 1; set <= 40; ++set)
            QCOMPARE(uint(symbolColor(p.options.PlotColor, int16_t(set))), entry(set % 20));
        for (int k = 0; k < 21; ++k) // entry 20 is the table's last, equal to entry 0
            QCOMPARE(uint(p.options.PlotColor[size_t(k)]), entry(k));
    }
    // 640 x 387, r = 0.65 at plot (50, 50): centre (75 x 640 / 135, 70 x 387 / 145) = (355.56, 186.83) ->
    // (356, 187); a = 3.08; the diamond's half-height c = 0.65 x 387 / 100 = 2.52, just past a half.
    void diamondOn640x387() {
        const auto& v = symbolPolygon(plotSymbolFrame(640, 387), 50, 50, 0.65f, 2).vertices;
        QCOMPARE((QList<int>{v[0].x, v[0].y, v[1].x, v[1].y, v[2].x, v[2].y, v[3].x, v[3].y}),
                 (QList<int>{353, 187, 356, 184, 359, 187, 356, 190}));
    }
    // One symbol at plot (50, 50), r = 0.65, on a white image: the drawn pixels reach exactly to the
    // symbol's corner pixels (left, right, up, down from the centre pixel) and mirror about the
    // centre wherever the shape does (1: left-right, 2: also up-down).
    // 640 x 480: centre (356, 232); a = 3.08 -> 3, b = 2.15, 1.3 b = 2.80 -> 3, 0.65 b = 1.40 -> 1,
    // diamond c = 3.12 -> 3, circle radius 3.08 -> 3; square corners x 352.5 .. 358.6, y 228.9 .. 234.6.
    // 1280 x 960: centre (711, 463); a = 6.16 -> 6, b = 4.30, 1.3 b = 5.59 -> 6, 0.65 b = 2.80 -> 3,
    // c = 6.24 -> 6, circle radius 6.16 -> 6; square corners x 705.0 .. 717.3, y 457.7 .. 469.2.
    void symbolPixelsReachTheirCorners() {
        const QSize small(640, 480), large(1280, 960);
        // Set 1 circle, 21 square, 41 up-triangle, 61 diamond, 81 down-triangle; reach: left, up, right, down
        const std::tuple<QSize, int, QMargins, int> cases[] = {
            {small, 1, {3, 3, 3, 3}, 2},  {small, 21, {4, 3, 3, 3}, 0}, {small, 41, {3, 3, 3, 1}, 1},
            {small, 61, {3, 3, 3, 3}, 2}, {small, 81, {3, 1, 3, 3}, 1}, {large, 1, {6, 6, 6, 6}, 2},
            {large, 21, {6, 5, 6, 6}, 0}, {large, 41, {6, 6, 6, 3}, 1}, {large, 61, {6, 6, 6, 6}, 2},
            {large, 81, {6, 3, 6, 6}, 1}};
        for (const auto& [size, set, reach, mirror] : cases)
            for (const bool filled : {false, true}) {
                const QPoint centre(size == small ? QPoint(356, 232) : QPoint(711, 463));
                QImage image(size, QImage::Format_RGB32);
                image.fill(kWhite);
                {
                    QtCanvas canvas(&image);
                    canvas.setUserScale(-25, 120, 110, -25);
                    canvas.setFillStyle(filled ? FillStyle::Solid : FillStyle::Transparent);
                    drawSetSymbol(canvas, plotSymbolFrame(float(size.width()), float(size.height())),
                                  Plot().options.PlotColor, int16_t(set), 50, 50, 0.65f);
                }
                QRect drawn;
                for (int y = centre.y() - 12; y <= centre.y() + 12; ++y)
                    for (int x = centre.x() - 12; x <= centre.x() + 12; ++x)
                        if (image.pixelColor(x, y) != kWhite) drawn |= QRect(x, y, 1, 1);
                QCOMPARE(drawn, QRect(centre, centre).marginsAdded(reach));
                for (int dy = -12; dy <= 12; ++dy)
                    for (int dx = 1; dx <= 12; ++dx) {
                        const QPoint p = centre + QPoint(dx, dy);
                        if (mirror >= 1) QCOMPARE(image.pixel(centre + QPoint(-dx, dy)), image.pixel(p));
                        if (mirror >= 2) QCOMPARE(image.pixel(centre + QPoint(dx, -dy)), image.pixel(p));
                    }
            }
    }
    void frameLegendAndFlatRanges() {
        Plot p;
        p.data.YLegend = "Signal strength";
        p.range = loadPoints(p.data, {{5, 2, 0}});
        p.paint();
        // Flat ranges warn, X first, and are drawn on substitute axes; the right margin keeps the background.
        QCOMPARE(p.messages.messages.size(), size_t(2));
        QCOMPARE(p.messages.messages[0].text + p.messages.messages[1].text,
                 (std::string{"DATA ERROR:  All X values are identical."
                              "DATA ERROR:  All Y values are identical."}));
        QCOMPARE((QList<QColor>{p.at(50, 50), p.at(1, 99), p.at(105, 50)}),
                 (QList<QColor>{kWhite, kWhite, kBack}));
        // The 2-pixel outline, centred on the frame's pixel rectangle (250, 200)-(1250, 1200), covers the
        // pixel before each edge line and the line: columns 249, 250, 1249, 1250; rows 199, 200, 1199, 1200.
        auto blackRun = [&](QPoint from, QPoint step) {
            QList<int> hits;
            for (int k = 0; k < 12; ++k)
                if (p.image.pixelColor(from + k * step) == kBlack) hits << k;
            return hits;
        };
        QCOMPARE((QList<QList<int>>{blackRun({244, 650}, {1, 0}), blackRun({1244, 650}, {1, 0}),
                                    blackRun({700, 194}, {0, 1}), blackRun({700, 1194}, {0, 1})}),
                 QList<QList<int>>(4, {5, 6}));
        // The Y legend lies between x = -18 and the tick labels, centred on y = 50 (pixel 700).
        QRect legend;
        for (int y = 200; y < 1200; ++y)
            for (int x = 60; x < 140; ++x)
                if (p.image.pixelColor(x, y) == kBlack) legend |= QRect(x, y, 1, 1);
        // Letter tops face left at x = -18 (pixel 70).
        QVERIFY(legend.height() > 3 * legend.width() && qAbs(legend.center().y() - 700) < 25 &&
                legend.left() >= 68);
    }
    void symbolsAtTheirCentres() {
        for (const bool filled : {false, true}) {
            Plot p;
            p.options.FilledSyms = filled;
            // X axis -4..0 (plot range -3..0): plot x is 25 (x + 4).
            p.range = {-3, 0, 0, 3};
            loadPoints(p.data, {{-2, 2, 2},   // red circle at plot (50, 50)
                                {-3, 1, 22},  // red square at plot (25, 25)
                                {-1, 1, 44},  // blue up-triangle at plot (75, 25)
                                {-4, 2, 2},   // x on the axis minimum -4: not drawn
                                {-2, 4, 2},   // y on the axis maximum 4: not drawn
                                {-2, 0, 2}}); // nor on the minimum 0
            p.paint();
            QCOMPARE(p.report.symbolsDrawn, int64_t(3));
            QCOMPARE(p.count(0, 50, 10, kRed) + p.count(50, 100, 10, kRed), 0);
            // Radius 0.65 units = 6.5 pixels; 25 + 0.65 is the square's right side.
            QVERIFY(p.count(50, 50, 8, kRed) > (filled ? 100 : 20));
            QCOMPARE(p.count(50, 50, 20, kRed), p.count(50, 50, 8, kRed)); // nothing further out
            const QColor inside = filled ? kRed : kWhite;
            QCOMPARE((QList<QColor>{p.at(50, 50), p.at(25, 25), p.at(25 + 0.65, 25), p.at(75, 25)}),
                     (QList<QColor>{inside, inside, kRed, filled ? kBlue : kWhite}));
        }
    }
    void linesClippedSkippedAndStarted() {
        Plot p;
        loadPoints(p.data,
                   {{1, 1, DrawCode},     // before any move code: starts the line at plot (25, 25)
                    {3, 10, DrawCode},    // above the axis: joined at y = 100, plot (75, 100)
                    {5, 1, DrawCode},     // right of the axis (plot (125, 25)): skipped, the position stays
                    {1, -5, DrawCode},    // below the axis: joined at y = 0, plot (25, 0)
                    {4, 3, DrawCode},     // on the axis maximum: joined, plot (100, 75)
                    {0, 3.5, MoveCode},   // starts on the axis minimum, plot (0, 87.5) ...
                    {1, 3.5, DrawCode},   // ... to plot (25, 87.5)
                    {4, 0.5, MoveCode},   // starts on the axis maximum, plot (100, 12.5) ...
                    {3, 0.5, DrawCode}}); // ... to plot (75, 12.5)
        p.paint();
        QCOMPARE(p.report.lineSegmentsDrawn, int64_t(5));
        QCOMPARE((QList<QColor>{p.at(12.5, 87.5), p.at(87.5, 12.5)}), (QList<QColor>{kBlack, kBlack}));
        // The middles of (25, 0)-(100, 75), (25, 25)-(75, 100) and (75, 100)-(25, 0); the last tick mark
        // ends at plot (2, 75), and no line may join it to (25, 25).
        QCOMPARE((QList<QColor>{p.at(62.5, 37.5), p.at(50, 62.5), p.at(50, 50), p.at(13.5, 50)}),
                 (QList<QColor>{kBlack, kBlack, kBlack, kWhite}));
        // Nothing on the way to or from the skipped point.
        QCOMPARE(p.count(105, 55, 4, kBlack) + p.count(105, 20, 4, kBlack), 0);
    }
    // A scale without extent on either axis is ignored; a line from far outside still reaches the edge.
    void canvasKeepsAUsableScale() {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(kWhite);
        {
            QtCanvas canvas(&image);
            canvas.setUserScale(0, 0, 100, 100);
            canvas.setUserScale(50, 0, 50, 100);
            canvas.setUserScale(0, 50, 100, 50);
            canvas.filledBox(10, 10, 20, 20, rgb(0, 0, 0));
            canvas.line(60.5, -1e12, 60.5, 50, rgb(255, 0, 0)); // from far above the top edge
            canvas.line(10, 99.5, 1e12, 99.5, rgb(255, 0, 0));  // along the bottom row, far past the right
            canvas.setFillStyle(FillStyle::Solid);
            canvas.setFillColor(rgb(0, 0, 255));
            canvas.circle(50, 50, 49, rgb(0, 0, 255)); // too large to be stamped: drawn as it is
        }
        QCOMPARE((QList<QColor>{image.pixelColor(50, 3), image.pixelColor(96, 50), image.pixelColor(15, 15),
                                image.pixelColor(60, 0), image.pixelColor(99, 99)}),
                 (QList<QColor>{kBlue, kBlue, kBlack, kRed, kRed}));
    }
    // Stamps go onto 32-bit images only; on a 24-bit one the painter draws the same pixels.
    void symbolsOnA24BitImage() {
        QImage stamped(40, 40, QImage::Format_RGB32), painted(40, 40, QImage::Format_RGB888);
        for (QImage* image : {&stamped, &painted}) {
            image->fill(kWhite);
            QtCanvas(image).circle(20, 20, 6, rgb(255, 0, 0));
        }
        QCOMPARE(painted.convertToFormat(QImage::Format_RGB32), stamped);
    }
    // Plot units back to data: nothing where either axis has no usable scale.
    void plotUnitsToData() {
        const DrawnAxes both{2, 4, 10, 20, 0, 0}, noX{0, 4, 10, 20, 0, 0}, noY{2, 0, 10, 20, 0, 0},
            infiniteX{INFINITY, 4, 10, 20, 0, 0};
        const auto xy = plotToData(both, 50, 40);
        QVERIFY(xy && xy->x == 35 && xy->y == 30); // 50 / 2 + 10, 40 / 4 + 20
        QVERIFY(!plotToData(noX, 50, 40) && !plotToData(noY, 50, 40) && !plotToData(infiniteX, 50, 40));
        // The window spans plot -25..110 across and 120..-25 down: on 1350 x 1450 pixels, 10 a plot unit.
        const PixelPosition plot = pixelsToPlot(250, 200, {1350, 1450}),
                            pixel = plotToPixels(100, 0, {1350, 1450});
        QVERIFY(plot.x == 0 && plot.y == 100 && pixel.x == 1250 && pixel.y == 1200);
    }
    // 102 x 37 + 50 = 3824 points: the bar moves every 383 (3824 / 10 + 1) points, up to 90 %. 15 points:
    // every 2 (15 / 10 + 1 = 2.5, to even), up to 70 %.
    void drawingProgressMovesTenTimes() {
        Plot p;
        std::vector<TestPoint> points; // all 100 sets (and two beyond), each a wavy row of points, and a line
        for (int16_t s = 1; s <= 102; ++s)
            for (int k = 0; k < 37; ++k)
                points.push_back(
                    {float(0.137 + 2.713 * k + 0.011 * s), float(s + 0.731 * std::sin(0.9 * k + s)), s});
        points.push_back({1, 1, MoveCode});
        for (int k = 1; k < 50; ++k)
            points.push_back({float(2.0 * k), float(50 + 40 * std::sin(0.2 * k)), DrawCode});
        p.range = loadPoints(p.data, points);
        p.paint();
        QCOMPARE(p.progress.values, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0}));
        QCOMPARE(p.progress.label, std::string("Creating Plot"));
        QVERIFY(!p.progress.visible);
        Plot few;
        few.range = loadPoints(few.data, std::vector<TestPoint>(points.begin(), points.begin() + 15));
        few.paint();
        QCOMPARE(few.progress.values, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 0}));
    }
};

QTEST_MAIN(TstPlotPainter)
#include "tst_plotpainter.moc"

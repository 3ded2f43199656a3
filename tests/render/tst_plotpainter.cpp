#include "datafile/PlotReader.h"
#include "platform/QtCanvas.h"
#include "render/Colors.h"
#include "render/PlotPainter.h"
#include "support/Recorders.h"

#include <QImage>
#include <QRect>
#include <QTest>

using namespace corvex;
using namespace corvex::testing;

namespace {

// A drawing area of 1350 x 1450 pixels: 10 pixels per plot unit, so plot (x, y) is pixel
// (10 (x + 25), 10 (120 - y)) and the frame runs from pixel (250, 200) to (1250, 1200).
constexpr int kWidth = 1350, kHeight = 1450;
const QColor kWhiteColor(255, 255, 255), kBlackColor(0, 0, 0), kRed(255, 0, 0), kBack(1, 2, 3);

QPoint pixelOf(double x, double y) {
    return {int(10 * (x + 25)), int(10 * (120 - y))};
}

struct Plot {
    PlotState state;
    PlotWindowFields fields;
    MessageRecorder messages;
    ProgressRecorder progress;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    PlotPaintReport report;
    FillStyle fillStyleAfter = FillStyle::Solid;

    Plot() {
        SetColors(state);
        fields.PixWidth = kWidth;
        fields.PixHeight = kHeight;
        image.fill(kBack);
    }
    void add(float x, float y, int16_t set) {
        ++state.NumPts;
        state.XVal[size_t(state.NumPts)] = x;
        state.YVal[size_t(state.NumPts)] = y;
        state.SetNo[size_t(state.NumPts)] = set;
        state.DataLoaded = true;
    }
    // The plot range of all points, as after a read.
    void fitRange() { FindLimits(state, state.XVal, state.YVal, state.NumPts); }
    // Axes 0..4 on both sides (plot range 0..3): one data unit is 25 plot units.
    void useRangeZeroToThree() {
        state.PlotXMin = 0, state.PlotXMax = 3, state.PlotYMin = 0, state.PlotYMax = 3;
    }
    void paint() {
        QtCanvas canvas(&image);
        canvas.setBackColor(rgb(1, 2, 3));
        PlotPaintContext context{state, fields, canvas, messages, progress, kWidth * 15.0, kHeight * 15.0};
        report = Form_Paint(context);
        fillStyleAfter = canvas.fillStyle();
    }
    QColor at(double x, double y) const { return image.pixelColor(pixelOf(x, y)); }
    int count(const QRect& area, const QColor& colour) const {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }
    // Bounding box of the pixels in `area` that are neither background nor white.
    QRect ink(const QRect& area) const {
        QRect box;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c != kBack && c != kWhiteColor) box |= QRect(x, y, 1, 1);
            }
        return box;
    }
};

} // namespace

class TstPlotPainter : public QObject {
    Q_OBJECT
  private slots:
    void fontSizesFromTheOuterWindow_data();
    void fontSizesFromTheOuterWindow();
    void noDataShowsLoadDataAndDrawsNothing();
    void frameAndWhitePlotArea();
    void ticksAreInteriorOnly();
    void symbolsAtTheirCentres_data();
    void symbolsAtTheirCentres();
    void pointOnAnAxisLimitIsNotDrawn();
    void lineClippedToTheFrameAndSkippedRightOfTheAxis();
    void lineStartingLeftOfTheAxisBeginsInside();
    void drawCodeBeforeAnyMoveStartsItsOwnLine();
    void lineJoinsAPrecedingCircle();
    void omitLinesDrawsNoLines();
    void filledSymbolsLeaveTheFillStyleAsItWas();
    void yLegendReadsUpwardCentredOnTheFrame();
    void titleAndLabelsAreDrawn();
    void flatRangesWarnXFirstAndStillDraw();
    void progressShowsCreatingPlotInTenSteps();
    void axesAreLeftInTheWindowFields();
};

void TstPlotPainter::fontSizesFromTheOuterWindow_data() {
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<int>("title");
    QTest::addColumn<int>("tick");
    QTest::addColumn<int>("yLegend");
    // 9600 x 7200 twips: 13.44 -> 13, 11.52 -> 12, 24.96 -> 25.
    QTest::newRow("9600 x 7200") << 9600.0 << 7200.0 << 13 << 12 << 25;
    QTest::newRow("taller than wide uses the height") << 7200.0 << 9600.0 << 13 << 12 << 25;
    // 0.0012 x 8750 = 10.5 -> 10 (halves to even).
    QTest::newRow("tick size half rounds to even") << 8750.0 << 100.0 << 12 << 10 << 23;
}

void TstPlotPainter::fontSizesFromTheOuterWindow() {
    QFETCH(double, w);
    QFETCH(double, h);
    PlotWindowFields fields;
    const PlotFontSizes sizes = plotFontSizes(fields, w, h);
    QTEST(int(sizes.TitleSize), "title");
    QTEST(int(sizes.TickSize), "tick");
    QTEST(int(sizes.YLegendHeight), "yLegend");
}

void TstPlotPainter::noDataShowsLoadDataAndDrawsNothing() {
    Plot p;
    p.paint();
    QCOMPARE(p.messages.messages.size(), size_t(1));
    QCOMPARE(p.messages.messages[0].text,
             std::string("There Are No Data To Plot Yet!\n\r       Load a Data File 1st."));
    QCOMPARE(p.messages.messages[0].title, std::string("Load Data"));
    QVERIFY(p.messages.messages[0].icon == MessageIcon::Exclamation);
    QVERIFY(!p.report.drawn);
    QCOMPARE(p.count(p.image.rect(), kBack), kWidth * kHeight); // untouched
    QCOMPARE(p.progress.label, std::string("Creating Plot"));
    QVERIFY(!p.progress.visible);
}

void TstPlotPainter::frameAndWhitePlotArea() {
    Plot p;
    p.add(0, 0, 0);
    p.add(3, 3, 0);
    p.fitRange();
    p.paint();
    QVERIFY(p.report.drawn);
    QCOMPARE(p.at(50, 50), kWhiteColor);
    QCOMPARE(p.at(1, 99), kWhiteColor);
    // The 2-pixel outline is centred on the frame's pixel rectangle (250, 200)-(1250, 1200): it covers
    // the pixel before each edge line and the edge line itself.
    auto blackRun = [&](QPoint from, QPoint step) {
        QList<int> hits;
        for (int k = 0; k < 12; ++k) {
            const QPoint q = from + k * step;
            if (p.image.pixelColor(q) == kBlackColor) hits << k;
        }
        return hits;
    };
    QCOMPARE(blackRun({244, 650}, {1, 0}), (QList<int>{5, 6}));  // pixels 249, 250
    QCOMPARE(blackRun({1244, 650}, {1, 0}), (QList<int>{5, 6})); // pixels 1249, 1250
    QCOMPARE(blackRun({700, 194}, {0, 1}), (QList<int>{5, 6}));  // rows 199, 200
    QCOMPARE(blackRun({700, 1194}, {0, 1}), (QList<int>{5, 6})); // rows 1199, 1200
    QCOMPARE(p.at(105, 50), kBack); // the right margin keeps the window's background
}

void TstPlotPainter::ticksAreInteriorOnly() {
    Plot p;
    p.add(0, 0, 0);
    p.add(3, 3, 0);
    p.fitRange();
    p.paint(); // axes 0..4: ticks at 25, 50, 75, 2 units long
    QCOMPARE(p.at(25, 1), kBlackColor);
    QCOMPARE(p.at(25, 3), kWhiteColor); // the tick ends at 2 units
    QCOMPARE(p.at(1, 50), kBlackColor);
    QCOMPARE(p.at(12.5, 1), kWhiteColor); // no tick between ticks
}

void TstPlotPainter::symbolsAtTheirCentres_data() {
    QTest::addColumn<bool>("filled");
    QTest::newRow("open") << false;
    QTest::newRow("filled") << true;
}

void TstPlotPainter::symbolsAtTheirCentres() {
    QFETCH(bool, filled);
    Plot p;
    p.state.FilledSyms = filled;
    p.add(2, 2, 2);  // red circle at plot (50, 50)
    p.add(1, 1, 22); // red square at plot (25, 25)
    p.add(3, 1, 44); // blue up-triangle at plot (75, 25)
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.report.symbolsDrawn, int64_t(3));
    // Radius 0.65 units = 6.5 pixels.
    QCOMPARE(p.at(50, 50), filled ? kRed : kWhiteColor);
    QVERIFY(p.count(QRect(pixelOf(50, 50) - QPoint(8, 8), QSize(17, 17)), kRed) > (filled ? 100 : 20));
    QCOMPARE(p.count(QRect(pixelOf(50, 50) - QPoint(20, 20), QSize(41, 41)), kRed),
             p.count(QRect(pixelOf(50, 50) - QPoint(8, 8), QSize(17, 17)), kRed)); // nothing further out
    QCOMPARE(p.at(25, 25), filled ? kRed : kWhiteColor);
    QCOMPARE(p.at(25 + 0.65, 25), kRed); // the square's right side
    QCOMPARE(p.at(75, 25), filled ? QColor(0, 0, 255) : kWhiteColor);
    QVERIFY(p.count(QRect(pixelOf(75, 25) - QPoint(8, 10), QSize(17, 21)), QColor(0, 0, 255)) > 10);
}

void TstPlotPainter::pointOnAnAxisLimitIsNotDrawn() {
    Plot p;
    p.add(0, 2, 2); // x on the axis minimum 0
    p.add(2, 4, 2); // y on the axis maximum 4
    p.add(2, 2, 0); // set 0: never drawn
    p.add(2, 2, -5);
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.report.symbolsDrawn, int64_t(0));
    QCOMPARE(p.count(p.image.rect(), kRed), 0);
}

void TstPlotPainter::lineClippedToTheFrameAndSkippedRightOfTheAxis() {
    Plot p;
    p.add(1, 1, MoveCode);  // plot (25, 25)
    p.add(3, 10, DrawCode); // above the axis: joined at y = 100, plot (75, 100)
    p.add(5, 1, DrawCode);  // right of the axis: skipped, the position stays at (75, 100)
    p.add(1, -5, DrawCode); // below the axis: joined at y = 0, plot (25, 0)
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.report.lineSegmentsDrawn, int64_t(2));
    QCOMPARE(p.at(50, 62.5), kBlackColor);                       // middle of (25, 25)-(75, 100)
    QCOMPARE(p.at(50, 50), kBlackColor);                         // middle of (75, 100)-(25, 0)
    QCOMPARE(p.count(QRect(1262, 0, 88, 1180), kBlackColor), 0); // nothing right of the frame
}

void TstPlotPainter::lineStartingLeftOfTheAxisBeginsInside() {
    Plot p;
    p.add(-2, 2, MoveCode); // left of the axis: no valid start
    p.add(1, 2, DrawCode);  // the line starts here, plot (25, 50)
    p.add(3, 2, DrawCode);  // to plot (75, 50)
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.report.lineSegmentsDrawn, int64_t(1));
    QCOMPARE(p.at(50, 50), kBlackColor);
    QCOMPARE(p.at(12, 50), kWhiteColor); // no segment from outside
}

void TstPlotPainter::drawCodeBeforeAnyMoveStartsItsOwnLine() {
    Plot p;
    p.add(1, 1, DrawCode); // before any move code: starts the line at plot (25, 25)
    p.add(3, 3, DrawCode); // to plot (75, 75)
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.report.lineSegmentsDrawn, int64_t(1));
    QCOMPARE(p.at(50, 50), kBlackColor);
    // The last tick mark ends at plot (2, 75); no line may join it to (25, 25).
    QCOMPARE(p.at(13.5, 50), kWhiteColor);
}

void TstPlotPainter::lineJoinsAPrecedingCircle() {
    Plot p;
    p.add(1, 1, MoveCode); // pen down at plot (25, 25)
    p.add(1, 3, 2);        // circle at plot (25, 75): the position moves to its centre
    p.add(3, 3, DrawCode); // joined from the circle's centre to plot (75, 75)
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.at(50, 75), kBlackColor);
    QCOMPARE(p.at(25, 50), kWhiteColor); // not from the move point
}

void TstPlotPainter::omitLinesDrawsNoLines() {
    Plot p;
    p.fields.OmitLines = true;
    p.add(1, 1, MoveCode);
    p.add(3, 3, DrawCode);
    p.add(2, 1, 2);
    p.useRangeZeroToThree();
    p.paint();
    QCOMPARE(p.report.lineSegmentsDrawn, int64_t(0));
    QCOMPARE(p.report.symbolsDrawn, int64_t(1));
    QCOMPARE(p.at(50, 50), kWhiteColor);
}

void TstPlotPainter::filledSymbolsLeaveTheFillStyleAsItWas() {
    Plot p;
    p.state.FilledSyms = true;
    p.add(2, 2, 2);
    p.useRangeZeroToThree();
    p.paint();
    QVERIFY(p.fillStyleAfter == FillStyle::Transparent);
    p.paint(); // the next repaint's plot area is white again apart from the symbol
    QCOMPARE(p.at(10, 90), kWhiteColor);
}

void TstPlotPainter::yLegendReadsUpwardCentredOnTheFrame() {
    Plot p;
    p.state.YLegend = "Signal strength";
    p.add(0, 0, 0);
    p.add(3, 3, 0);
    p.fitRange();
    p.paint();
    // The legend lies between x = -18 and the tick labels, centred on y = 50 (pixel 700).
    const QRect legend = p.ink(QRect(60, 200, 80, 1000));
    QVERIFY(!legend.isEmpty());
    QVERIFY2(legend.height() > 3 * legend.width(),
             qPrintable(QString("%1 x %2").arg(legend.width()).arg(legend.height())));
    QVERIFY(qAbs(legend.center().y() - 700) < 25);
    QVERIFY(legend.left() >= 68); // letter tops face left at x = -18 (pixel 70)
}

void TstPlotPainter::titleAndLabelsAreDrawn() {
    Plot p;
    p.state.PlotTitle = "Title";
    p.state.XLegend = "Time";
    p.add(0, 0, 0);
    p.add(100, 100, 0); // axes 0..120 with factor 10^+02: X legend "Time  (10^+02)"
    p.fitRange();
    p.paint();
    const QRect title = p.ink(QRect(0, 0, kWidth, 80));
    QVERIFY(qAbs(title.center().x() - 750) < 10); // centred on x = 50
    QVERIFY(title.top() >= 20);                   // top edge at y = 118
    const QRect xLabels = p.ink(QRect(0, 1205, kWidth, 70));
    QVERIFY(xLabels.left() < 250 && xLabels.right() > 1250); // first and last label centred on the ends
    const QRect xLegend = p.ink(QRect(0, 1280, kWidth, 170));
    QVERIFY(qAbs(xLegend.center().x() - 750) < 10);
    QVERIFY(xLegend.bottom() <= 1325); // bottom edge at y = -12.5
}

void TstPlotPainter::flatRangesWarnXFirstAndStillDraw() {
    Plot p;
    p.add(5, 2, 1);
    p.state.PlotXMin = p.state.PlotXMax = 5;
    p.state.PlotYMin = p.state.PlotYMax = 2;
    p.paint();
    QCOMPARE(p.messages.messages.size(), size_t(2));
    QCOMPARE(p.messages.messages[0].text, std::string("DATA ERROR:  All X values are identical."));
    QCOMPARE(p.messages.messages[1].text, std::string("DATA ERROR:  All Y values are identical."));
    QCOMPARE(p.report.x.AxisMax, 16.0f);
    QCOMPARE(int(p.report.x.TickCount), 9);
    QCOMPARE(p.report.y.AxisMax, 7.0f);
    QCOMPARE(int(p.report.y.TickCount), 8);
    QCOMPARE(p.report.symbolsDrawn, int64_t(1));
}

void TstPlotPainter::progressShowsCreatingPlotInTenSteps() {
    Plot p;
    for (int i = 0; i < 1000; ++i)
        p.add(float(i), float(i), 0);
    p.state.PlotXMin = 0, p.state.PlotXMax = 999, p.state.PlotYMin = 0, p.state.PlotYMax = 999;
    p.paint();
    // Step 1000 / 10 + 1 = 101: 10, 20, ... 90 at points 101, 202, ... 909; never 100.
    QCOMPARE(p.progress.values, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 0}));
    QCOMPARE(p.progress.label, std::string("Creating Plot"));
    QVERIFY(!p.progress.visible);
    QCOMPARE(p.progress.yields, 0); // the repaint does not yield
}

void TstPlotPainter::axesAreLeftInTheWindowFields() {
    Plot p;
    p.add(0, 0, 0);
    p.add(3, 100, 0);
    p.fitRange();
    p.paint();
    QCOMPARE(p.fields.XAxisMin, 0.0f);
    QCOMPARE(p.fields.XAxisMax, 4.0f);
    QCOMPARE(p.fields.YAxisMax, 120.0f);
    QCOMPARE(p.fields.XScale, 25.0f);
    QCOMPARE(p.fields.YScale, float(100.0 / 120.0));
}

QTEST_MAIN(TstPlotPainter)
#include "tst_plotpainter.moc"

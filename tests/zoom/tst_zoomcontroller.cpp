#include "support/Recorders.h"
#include "support/TestPoints.h"
#include "zoom/ZoomBox.h"
#include "zoom/ZoomController.h"

#include <QTest>

using namespace corvex;
using namespace corvex::testing;

namespace {

class HostRecorder : public ZoomHost {
  public:
    void drawBand(float, float, float, float, Rgb colour) override { bands.push_back(colour); }
    void clearBand() override { ++bandClears; }
    void setReadout(const std::string& text) override { readouts.push_back(text); }
    void setZoomoutEnabled(bool enabled) override { zoomoutStates.push_back(enabled); }
    void repaintPlot() override { ++repaints; }
    MessageService& messages() override { return recorder; }
    std::vector<Rgb> bands;
    std::vector<std::string> readouts;
    std::vector<bool> zoomoutStates;
    int bandClears = 0, repaints = 0;
    MessageRecorder recorder;
};

QString quad(float a, float b, float c, float d) {
    return QString::asprintf("%.9g %.9g %.9g %.9g", a, b, c, d);
}

const std::vector<TestPoint> kFive{{10, 1}, {30, 3}, {50, 5}, {70, 7}, {90, 9}};

struct Rig {
    Rig() = default;
    explicit Rig(const std::vector<TestPoint>& points) { range = loadPoints(data, points); }
    // Button down at the first corner, a move half-way, a move to the second corner, button up.
    void drag(float x1, float y1, float x2, float y2) {
        zoom.Form_MouseDown(x1, y1);
        zoom.Form_MouseMove((x1 + x2) / 2, (y1 + y2) / 2);
        zoom.Form_MouseMove(x2, y2);
        zoom.Form_MouseUp();
    }
    QString shownRange() const {
        return quad(range.PlotXMin, range.PlotXMax, range.PlotYMin, range.PlotYMax);
    }
    QString corners() const {
        return quad(zoom.drag().BoxX1, zoom.drag().BoxY1, zoom.drag().BoxX2, zoom.drag().BoxY2);
    }
    PlotData data;
    PlotRange range;
    // Axes X 0..100 and Y 0..10 drawn at plot 0..100: plot (px, py) stands for data (px, py / 10).
    DrawnAxes axes{1, 10, 0, 0, 100, 10};
    DisplayOptions options;
    HostRecorder host;
    ZoomController zoom{data, range, axes, options, host};
};

} // namespace

class TstZoomController : public QObject {
    Q_OBJECT
  private slots:
    // A drag in plot units: the range after it, and the refusal shown instead of a zoom (none: the zoom is
    // made and "&ZoomOut" enabled).
    void boxOutcome() {
        const std::vector<TestPoint> onEdges{{20, 2}, {60, 7}, {90, 9}}, past{{20, 2}, {60.5, 7}, {90, 9}};
        const std::vector<TestPoint> equal{{40, 4}, {40, 4}, {90, 9}}, sets{{40, 4}, {45, 4.5, 2}, {90, 9}};
        const char *single = "You CANNOT Zoom Around a Single Point!",
                   *none = "There Were No Data Within the Zoom-In Box!";
        // 1 % of the X span (100) is 1, of the Y span (10) 0.1; the window spans plot -25..110, -25..120.
        const struct {
            const std::vector<TestPoint>& points;
            float from[2], to[2], range[4];
            const char* refusal;
        } cases[] = {
            {kFive, {-25, -25}, {110, 120}, {1, 99, 0.1f, 9.9f}, nullptr}, // edges past the axes: 1% inside
            {kFive, {110, 120}, {-25, -25}, {1, 99, 0.1f, 9.9f}, nullptr}, // dragged the other way
            {kFive, {0, 0}, {100, 100}, {0, 100, 0, 10}, nullptr},  // on the axis ends: kept (strict tests)
            {onEdges, {20, 20}, {60, 70}, {20, 60, 2, 7}, nullptr}, // points exactly on the edges count
            {past, {20, 20}, {60, 70}, {20, 90, 2, 9}, single},     // the second point just past the edge
            {kFive, {35, 35}, {45, 45}, {10, 90, 1, 9}, none},      // no point inside
            {equal, {30, 30}, {50, 50}, {30, 50, 3, 5}, nullptr},   // the box, not the equal points' extent
            {sets, {30, 30}, {50, 50}, {30, 50, 3, 5}, nullptr},    // one point each of two sets is enough
        };
        for (const auto& c : cases) {
            const QByteArray row = "row " + QByteArray::number(&c - cases);
            Rig rig(c.points);
            rig.drag(c.from[0], c.from[1], c.to[0], c.to[1]);
            QVERIFY2(rig.shownRange() == quad(c.range[0], c.range[1], c.range[2], c.range[3]),
                     qPrintable(row + ": " + rig.shownRange()));
            const auto& shown = rig.host.recorder.messages;
            QVERIFY2(shown.size() == (c.refusal ? 1u : 0u), row);
            QVERIFY2(!c.refusal || (shown[0].text == c.refusal && shown[0].title == "Error in Zooming" &&
                                    shown[0].icon == MessageIcon::Exclamation),
                     row);
            QVERIFY2(rig.host.zoomoutStates == std::vector<bool>(c.refusal ? 0 : 1, true), row);
            // The outline follows in bright red, stays dark red after the release; the repaint takes it away.
            QVERIFY2(rig.host.bands == (std::vector<Rgb>{rgb(255, 0, 0), rgb(255, 0, 0), rgb(128, 0, 0)}),
                     row);
            QVERIFY2(rig.corners() == quad(0, 0, 0, 0) && rig.host.repaints == 1, row);
        }
    }

    // No zoom from a click without movement, with no data loaded (mouse ignored), or before the first plot
    // (axis ends and scales still zero: no conversion, no readout).
    void mouseWithoutAZoom() {
        Rig click(kFive), empty, unplotted(kFive);
        click.zoom.Form_MouseDown(50, 50);
        click.zoom.Form_MouseUp();
        empty.options.ShowCoords = unplotted.options.ShowCoords = true;
        empty.drag(20, 20, 60, 70);
        unplotted.axes = DrawnAxes{};
        unplotted.drag(20, 20, 60, 70);
        for (Rig* rig : {&click, &empty, &unplotted})
            QVERIFY(!rig->zoom.drag().Dragging && rig->host.readouts.empty() &&
                    rig->host.recorder.messages.empty() && rig->host.repaints == 0);
        QVERIFY(click.host.bands.empty() && empty.host.bands.empty() && empty.corners() == quad(0, 0, 0, 0));
        for (Rig* rig : {&click, &unplotted})
            QCOMPARE(rig->shownRange(), quad(10, 90, 1, 9));
    }

    void readoutFollowsPointer() {
        Rig rig(kFive);
        rig.options.ShowCoords = true;
        rig.zoom.Form_MouseMove(12.5f, -2.5f);
        rig.zoom.Form_MouseMove(0, 0);
        const std::vector<std::string> expected{" X= 1.2500E+01, Y= -2.500E-01",
                                                " X= 0.0000E+00, Y= 0.000E+00"};
        QCOMPARE(rig.host.readouts, expected);
        rig.options.ShowCoords = false; // switching the option off leaves the last text standing
        rig.zoom.Form_MouseMove(30, 30);
        QCOMPARE(rig.host.readouts, expected);
    }

    // A read during a drag that finds no points ends it: one clear, no released outline, no zoom, and the
    // outline no longer follows. A release after an ignored press (no data) leaves the corners of an earlier
    // box flat in data unzoomed (from 1e10, plot 20 and 60 are the same float).
    void dragsEndedWithoutAZoom() {
        Rig rig(kFive);
        rig.zoom.Form_MouseDown(20, 20);
        rig.zoom.Form_MouseMove(60, 70);
        rig.data.DataLoaded = false;
        rig.zoom.Form_MouseUp();
        rig.zoom.Form_MouseMove(80, 80);
        QVERIFY(!rig.zoom.drag().Dragging && rig.host.bandClears == 1 && rig.host.bands.size() == 1 &&
                rig.host.repaints == 0);
        rig.data.DataLoaded = true;
        rig.axes.XAxisMin = 1e10f;
        rig.drag(20, 20, 60, 70);
        QCOMPARE(rig.corners(), quad(20, 20, 60, 70));
        rig.axes.XAxisMin = 0;
        rig.data.DataLoaded = false;
        rig.zoom.Form_MouseDown(30, 30);
        rig.data.DataLoaded = true;
        const size_t bands = rig.host.bands.size();
        rig.zoom.Form_MouseUp();
        QVERIFY(rig.shownRange() == quad(10, 90, 1, 9) && rig.host.bands.size() == bands &&
                rig.host.repaints == 0);
    }

    // Scans of 1..NumPts (zoom count, ZoomOut's limits) must never leave the point arrays.
    void pointCountKeptWithinTheArrays() {
        PlotData low, high;
        low.NumPts = -5;
        high.NumPts = kMaxPoints + 1;
        QCOMPARE(std::pair(storedPointCount(low), storedPointCount(high)), std::pair(0, kMaxPoints));
    }
};

QTEST_APPLESS_MAIN(TstZoomController)
#include "tst_zoomcontroller.moc"

#include "datafile/PlotReader.h"
#include "support/Recorders.h"
#include "zoom/ZoomBox.h"
#include "zoom/ZoomController.h"

#include <QPointF>
#include <QTest>

using namespace corvex;
using namespace corvex::testing;

namespace {

// Records what the controller asks of the main window.
class HostRecorder : public ZoomHost {
  public:
    void drawBand(float, float, float, float, Rgb colour) override { bands.push_back(colour); }
    void clearBand() override { ++bandClears; }
    void setReadout(const std::string& text) override { readouts.push_back(text); }
    void setZoomoutEnabled(bool enabled) override { zoomoutStates.push_back(enabled); }
    void repaintPlot() override { ++repaints; }
    MessageService& messages() override { return recorder; }

    std::vector<Rgb> bands;
    int bandClears = 0;
    std::vector<std::string> readouts;
    std::vector<bool> zoomoutStates;
    int repaints = 0;
    MessageRecorder recorder;
};

QString quad(float a, float b, float c, float d) {
    return QString::asprintf("%.9g %.9g %.9g %.9g", a, b, c, d);
}

const QList<QPointF> kFive{{10, 1}, {30, 3}, {50, 5}, {70, 7}, {90, 9}};

struct Rig {
    // Axes X 0..100 and Y 0..10 drawn at plot 0..100: plot (px, py) stands for data (px, py / 10).

    // Points 1..n as the reader stores them, with the full range as FindLimits leaves it.
    void load(const QList<QPointF>& xy, const QList<int>& sets = {}) {
        data.NumPts = int32_t(xy.size());
        for (qsizetype i = 0; i < xy.size(); ++i) {
            data.XVal[i + 1] = float(xy[i].x());
            data.YVal[i + 1] = float(xy[i].y());
            data.SetNo[i + 1] = int16_t(i < sets.size() ? sets[i] : 1);
        }
        range = FindLimits(data.XVal, data.YVal, data.NumPts);
        data.DataLoaded = true;
    }
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
        const ZoomDrag& d = zoom.drag();
        return quad(d.BoxX1, d.BoxY1, d.BoxX2, d.BoxY2);
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
    void boxOutcome_data();
    void boxOutcome();
    void clickWithoutMovementDoesNothing();
    void noDataLoadedIgnoresMouse();
    void zeroScalesBeforeFirstPlotSkipConversion();
    void readoutFollowsPointer();
    void releaseWithoutDragDoesNotZoomOldBox();
    void dataGoneDuringDragEndsIt();
    void pointCountKeptWithinTheArrays();
};

void TstZoomController::boxOutcome_data() {
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<int>>("sets");
    QTest::addColumn<QList<float>>("drag"); // from x, y to x, y in plot units
    QTest::addColumn<bool>("zooms");
    QTest::addColumn<QString>("range");
    // One per cent of the X span (100) is 1, of the Y span (10) is 0.1; the window reaches from plot
    // -25 to 110 across and -25 to 120 up.
    QTest::newRow("edges past the axes come 1% inside")
        << kFive << QList<int>{} << QList<float>{-25, -25, 110, 120} << true << quad(1, 99, 0.1f, 9.9f);
    QTest::newRow("edges exactly on the axis ends stay (strict tests)")
        << kFive << QList<int>{} << QList<float>{0, 0, 100, 100} << true << quad(0, 100, 0, 10);
    QTest::newRow("points exactly on the edges count")
        << QList<QPointF>{{20, 2}, {60, 7}, {90, 9}} << QList<int>{} << QList<float>{20, 20, 60, 70} << true
        << quad(20, 60, 2, 7);
    QTest::newRow("second point just past the edge")
        << QList<QPointF>{{20, 2}, {60.5, 7}, {90, 9}} << QList<int>{} << QList<float>{20, 20, 60, 70}
        << false << quad(20, 90, 2, 9);
    // The new range is the box, not the (empty) extent of the two equal points.
    QTest::newRow("two equal points zoom to the box")
        << QList<QPointF>{{40, 4}, {40, 4}, {90, 9}} << QList<int>{} << QList<float>{30, 30, 50, 50} << true
        << quad(30, 50, 3, 5);
    QTest::newRow("one point each of two data sets is enough")
        << QList<QPointF>{{40, 4}, {45, 4.5}, {90, 9}} << QList<int>{1, 2, 1} << QList<float>{30, 30, 50, 50}
        << true << quad(30, 50, 3, 5);
}

void TstZoomController::boxOutcome() {
    QFETCH(QList<QPointF>, points);
    QFETCH(QList<int>, sets);
    QFETCH(QList<float>, drag);
    QFETCH(bool, zooms);
    QFETCH(QString, range);
    Rig rig;
    rig.load(points, sets);
    rig.drag(drag[0], drag[1], drag[2], drag[3]);
    QCOMPARE(rig.shownRange(), range);
    QCOMPARE(rig.host.recorder.messages.size(), size_t(zooms ? 0 : 1));
    QCOMPARE(rig.host.zoomoutStates, zooms ? std::vector<bool>{true} : std::vector<bool>{});
    // The outline follows in bright red, stays dark red after the release; the repaint takes it away.
    QCOMPARE(rig.host.bands, (std::vector<Rgb>{kDraggedBandColour, kDraggedBandColour, kReleasedBandColour}));
    QCOMPARE(rig.corners(), quad(0, 0, 0, 0));
    QCOMPARE(rig.host.repaints, 1);
}

void TstZoomController::clickWithoutMovementDoesNothing() {
    Rig rig;
    rig.load(kFive);
    rig.zoom.Form_MouseDown(50, 50);
    rig.zoom.Form_MouseUp();
    QVERIFY(rig.host.bands.empty());
    QVERIFY(rig.host.recorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(rig.shownRange(), quad(10, 90, 1, 9));
    QVERIFY(!rig.zoom.drag().Dragging);
}

void TstZoomController::noDataLoadedIgnoresMouse() {
    Rig rig;
    rig.options.ShowCoords = true;
    rig.drag(20, 20, 60, 70);
    QVERIFY(!rig.zoom.drag().Dragging);
    QVERIFY(rig.host.bands.empty());
    QVERIFY(rig.host.readouts.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(rig.corners(), quad(0, 0, 0, 0));
}

void TstZoomController::zeroScalesBeforeFirstPlotSkipConversion() {
    Rig rig;
    rig.load(kFive);
    rig.axes = DrawnAxes{}; // loaded, but no plot drawn: axis ends and scales still zero
    rig.options.ShowCoords = true;
    rig.drag(20, 20, 60, 70);
    QVERIFY(rig.host.readouts.empty());
    QVERIFY(rig.host.recorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(rig.shownRange(), quad(10, 90, 1, 9));
}

void TstZoomController::readoutFollowsPointer() {
    Rig rig;
    rig.load(kFive);
    rig.options.ShowCoords = true;
    rig.zoom.Form_MouseMove(12.5f, -2.5f);
    rig.zoom.Form_MouseMove(0, 0);
    const std::vector<std::string> expected{" X= 1.2500E+01, Y= -2.500E-01", " X= 0.0000E+00, Y= 0.000E+00"};
    QCOMPARE(rig.host.readouts, expected);
    rig.options.ShowCoords = false; // switching the option off leaves the last text standing
    rig.zoom.Form_MouseMove(30, 30);
    QCOMPARE(rig.host.readouts, expected);
}

void TstZoomController::releaseWithoutDragDoesNotZoomOldBox() {
    Rig rig;
    rig.load(kFive);
    // Corners left standing by an earlier box that was flat in data values: on an X axis from 1e10,
    // plot 20 and 60 both stand for the float 1e10 (floats there lie 1024 apart).
    rig.axes.XAxisMin = 1e10f;
    rig.drag(20, 20, 60, 70);
    QCOMPARE(rig.corners(), quad(20, 20, 60, 70));
    rig.axes.XAxisMin = 0;
    rig.data.DataLoaded = false;
    rig.zoom.Form_MouseDown(30, 30); // no data: ignored
    rig.data.DataLoaded = true;
    const size_t bands = rig.host.bands.size();
    rig.zoom.Form_MouseUp();
    QCOMPARE(rig.shownRange(), quad(10, 90, 1, 9));
    QCOMPARE(rig.host.bands.size(), bands);
    QCOMPARE(rig.host.repaints, 0);
}

void TstZoomController::dataGoneDuringDragEndsIt() {
    Rig rig;
    rig.load(kFive);
    rig.zoom.Form_MouseDown(20, 20);
    rig.zoom.Form_MouseMove(60, 70);
    rig.data.DataLoaded = false; // a read during the drag found no points
    rig.zoom.Form_MouseUp();
    QVERIFY(!rig.zoom.drag().Dragging);
    QCOMPARE(rig.host.bandClears, 1);
    QCOMPARE(rig.host.bands.size(), size_t(1)); // no released outline
    QCOMPARE(rig.host.repaints, 0);
    rig.zoom.Form_MouseMove(80, 80);
    QCOMPARE(rig.host.bands.size(), size_t(1)); // the outline no longer follows the pointer
}

// Scans of 1..NumPts (zoom count, ZoomOut's limits) must never leave the point arrays.
void TstZoomController::pointCountKeptWithinTheArrays() {
    PlotData data;
    data.NumPts = -5;
    QCOMPARE(storedPointCount(data), 0);
    data.NumPts = kMaxPoints + 1;
    QCOMPARE(storedPointCount(data), kMaxPoints);
}

QTEST_APPLESS_MAIN(TstZoomController)
#include "tst_zoomcontroller.moc"

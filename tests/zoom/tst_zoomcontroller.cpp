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
    void repaint() override { ++repaints; }
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
    Rig() { fields.XAxisMax = 100, fields.YAxisMax = 10, fields.XScale = 1, fields.YScale = 10; }

    // Points 1..n as the reader stores them, with the full range as FindLimits leaves it.
    void load(const QList<QPointF>& xy, const QList<int>& sets = {}) {
        state.NumPts = int32_t(xy.size());
        for (qsizetype i = 0; i < xy.size(); ++i) {
            state.XVal[i + 1] = float(xy[i].x());
            state.YVal[i + 1] = float(xy[i].y());
            state.SetNo[i + 1] = int16_t(i < sets.size() ? sets[i] : 1);
        }
        FindLimits(state, state.XVal, state.YVal, state.NumPts);
        state.DataLoaded = true;
    }
    // Button down at the first corner, a move half-way, a move to the second corner, button up.
    void drag(float x1, float y1, float x2, float y2) {
        zoom.Form_MouseDown(x1, y1);
        zoom.Form_MouseMove((x1 + x2) / 2, (y1 + y2) / 2);
        zoom.Form_MouseMove(x2, y2);
        zoom.Form_MouseUp();
    }
    QString range() const { return quad(state.PlotXMin, state.PlotXMax, state.PlotYMin, state.PlotYMax); }
    QString corners() const { return quad(fields.BoxX1, fields.BoxY1, fields.BoxX2, fields.BoxY2); }

    PlotState state;
    PlotWindowFields fields;
    HostRecorder host;
    ZoomController zoom{state, fields, host};
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
    QCOMPARE(rig.range(), range);
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
    QCOMPARE(rig.range(), quad(10, 90, 1, 9));
    QVERIFY(!rig.fields.Dragging);
}

void TstZoomController::noDataLoadedIgnoresMouse() {
    Rig rig;
    rig.fields.ShowCoords = true;
    rig.drag(20, 20, 60, 70);
    QVERIFY(!rig.fields.Dragging);
    QVERIFY(rig.host.bands.empty());
    QVERIFY(rig.host.readouts.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(rig.corners(), quad(0, 0, 0, 0));
}

void TstZoomController::zeroScalesBeforeFirstPlotSkipConversion() {
    Rig rig;
    rig.load(kFive);
    rig.fields = PlotWindowFields{}; // loaded, but no plot drawn: axis fields and scales still zero
    rig.fields.ShowCoords = true;
    rig.drag(20, 20, 60, 70);
    QVERIFY(rig.host.readouts.empty());
    QVERIFY(rig.host.recorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(rig.range(), quad(10, 90, 1, 9));
}

void TstZoomController::readoutFollowsPointer() {
    Rig rig;
    rig.load(kFive);
    rig.fields.ShowCoords = true;
    rig.zoom.Form_MouseMove(12.5f, -2.5f);
    rig.zoom.Form_MouseMove(0, 0);
    const std::vector<std::string> expected{" X= 1.2500E+01, Y= -2.500E-01", " X= 0.0000E+00, Y= 0.000E+00"};
    QCOMPARE(rig.host.readouts, expected);
    rig.fields.ShowCoords = false; // switching the option off leaves the last text standing
    rig.zoom.Form_MouseMove(30, 30);
    QCOMPARE(rig.host.readouts, expected);
}

void TstZoomController::releaseWithoutDragDoesNotZoomOldBox() {
    Rig rig;
    rig.zoom.Form_MouseDown(20, 20); // no data yet: ignored
    rig.load(kFive);
    // Corners left standing by an earlier box that was flat in data values.
    rig.fields.BoxX1 = 20, rig.fields.BoxY1 = 20, rig.fields.BoxX2 = 60, rig.fields.BoxY2 = 70;
    rig.zoom.Form_MouseUp();
    QCOMPARE(rig.range(), quad(10, 90, 1, 9));
    QVERIFY(rig.host.bands.empty());
    QCOMPARE(rig.host.repaints, 0);
}

void TstZoomController::dataGoneDuringDragEndsIt() {
    Rig rig;
    rig.load(kFive);
    rig.zoom.Form_MouseDown(20, 20);
    rig.zoom.Form_MouseMove(60, 70);
    rig.state.DataLoaded = false; // a read during the drag found no points
    rig.zoom.Form_MouseUp();
    QVERIFY(!rig.fields.Dragging);
    QCOMPARE(rig.host.bandClears, 1);
    QCOMPARE(rig.host.bands.size(), size_t(1)); // no released outline
    QCOMPARE(rig.host.repaints, 0);
    rig.zoom.Form_MouseMove(80, 80);
    QCOMPARE(rig.host.bands.size(), size_t(1)); // the outline no longer follows the pointer
}

// Scans of 1..NumPts (zoom count, ZoomOut's limits) must never leave the point arrays.
void TstZoomController::pointCountKeptWithinTheArrays() {
    PlotState state;
    state.NumPts = -5;
    QCOMPARE(storedPointCount(state), 0);
    state.NumPts = kMaxPoints + 1;
    QCOMPARE(storedPointCount(state), kMaxPoints);
}

QTEST_APPLESS_MAIN(TstZoomController)
#include "tst_zoomcontroller.moc"

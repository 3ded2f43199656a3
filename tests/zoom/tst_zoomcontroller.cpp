#include "render/AxisScale.h"
#include "zoom/ZoomTestKit.h"

#include <QPointF>
#include <QTest>

using namespace corvex;
using namespace corvex::testing;

namespace {

// Axes X 0..100 and Y 0..10: plot (px, py) stands for data (px, py / 10).
void standardAxes(ZoomRig& rig) {
    rig.setAxes(0, 100, 0, 10);
}

const std::vector<Point> kFivePoints{{10, 1, 1}, {30, 3, 2}, {50, 5, 3}, {70, 7, 4}, {90, 9, 5}};

std::vector<Point> toPoints(const QList<QPointF>& xy, const QList<int>& sets) {
    std::vector<Point> points;
    for (qsizetype i = 0; i < xy.size(); ++i)
        points.push_back({float(xy[i].x()), float(xy[i].y()), int16_t(i < sets.size() ? sets[i] : 1)});
    return points;
}

} // namespace

class TstZoomController : public QObject {
    Q_OBJECT
  private slots:
    void dragDirectionDoesNotMatter_data();
    void dragDirectionDoesNotMatter();
    void marginIsCutBackInsideAxes_data();
    void marginIsCutBackInsideAxes();
    void boxOutcome_data();
    void boxOutcome();
    void nestedZoomsThenZoomoutRestoresFullRange();
    void noZoomWithoutArea_data();
    void noZoomWithoutArea();
    void bandFollowsPointerAndStaysTintedAfterRelease();
    void noDataLoadedIgnoresMouse();
    void zeroScalesBeforeFirstPlotSkipConversion();
    void boxFlatInDataValuesChangesNothing();
    void readoutFollowsPointer();
    void releaseWithoutDragDoesNotZoomOldBox();
    void dataGoneDuringDragEndsIt();
    void zoomoutWithoutDataOnlyDisables();
};

void TstZoomController::dragDirectionDoesNotMatter_data() {
    QTest::addColumn<QList<float>>("drag"); // from x, y to x, y in plot units
    // All four drags span plot 20..60 by 20..70, i.e. data 20..60 by 2..7.
    QTest::newRow("upper left to lower right") << QList<float>{20, 70, 60, 20};
    QTest::newRow("lower right to upper left") << QList<float>{60, 20, 20, 70};
    QTest::newRow("lower left to upper right") << QList<float>{20, 20, 60, 70};
    QTest::newRow("upper right to lower left") << QList<float>{60, 70, 20, 20};
}

void TstZoomController::dragDirectionDoesNotMatter() {
    QFETCH(QList<float>, drag);
    ZoomRig rig;
    rig.load(kFivePoints);
    standardAxes(rig);
    rig.drag(drag[0], drag[1], drag[2], drag[3]);
    QCOMPARE(plotRange(rig.state), quad(20, 60, 2, 7));
    QVERIFY(rig.host.messageRecorder.messages.empty());
    QCOMPARE(rig.host.zoomoutStates, std::vector<bool>{true});
    QCOMPARE(rig.host.repaints, 1);
    QCOMPARE(corners(rig.fields), quad(0, 0, 0, 0));
}

void TstZoomController::marginIsCutBackInsideAxes_data() {
    QTest::addColumn<QList<float>>("drag");
    QTest::addColumn<QString>("range");
    // One per cent of the X span (100) is 1, of the Y span (10) is 0.1; the window reaches from
    // plot -25 to 110 across and -25 to 120 up.
    QTest::newRow("into the left margin") << QList<float>{-20, 20, 60, 70} << quad(1, 60, 2, 7);
    QTest::newRow("into the right margin") << QList<float>{20, 20, 105, 70} << quad(20, 99, 2, 7);
    QTest::newRow("into the bottom margin") << QList<float>{20, -20, 60, 70} << quad(20, 60, 0.1f, 7);
    QTest::newRow("into the top margin") << QList<float>{20, 20, 60, 115} << quad(20, 60, 2, 9.9f);
    QTest::newRow("whole window") << QList<float>{-25, -25, 110, 120} << quad(1, 99, 0.1f, 9.9f);
    QTest::newRow("exactly the frame stays the frame") << QList<float>{0, 0, 100, 100} << quad(0, 100, 0, 10);
}

void TstZoomController::marginIsCutBackInsideAxes() {
    QFETCH(QList<float>, drag);
    QFETCH(QString, range);
    ZoomRig rig;
    rig.load(kFivePoints);
    standardAxes(rig);
    rig.drag(drag[0], drag[1], drag[2], drag[3]);
    QCOMPARE(plotRange(rig.state), range);
}

void TstZoomController::boxOutcome_data() {
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<int>>("sets");
    QTest::addColumn<QList<float>>("drag");
    QTest::addColumn<QString>("message"); // empty: the zoom succeeds
    QTest::addColumn<QString>("range");
    const QList<QPointF> five{{10, 1}, {30, 3}, {50, 5}, {70, 7}, {90, 9}};
    const QString fiveRange = quad(10, 90, 1, 9);
    // Pulled in to data 1 < x < -5: inverted, so nothing can be inside.
    QTest::newRow("box wholly in the left margin")
        << five << QList<int>{} << QList<float>{-20, 10, -5, 90} << kNoDataInBox << fiveRange;
    QTest::newRow("empty box inside the frame")
        << five << QList<int>{} << QList<float>{15, 15, 25, 25} << kNoDataInBox << fiveRange;
    QTest::newRow("box around a single point")
        << five << QList<int>{} << QList<float>{45, 45, 55, 55} << kSinglePointInBox << fiveRange;
    QTest::newRow("second point just past the edge")
        << QList<QPointF>{{20, 2}, {60.5, 7}, {90, 9}} << QList<int>{} << QList<float>{20, 20, 60, 70}
        << kSinglePointInBox << quad(20, 90, 2, 9);
    QTest::newRow("points exactly on the edges count")
        << QList<QPointF>{{20, 2}, {60, 7}, {90, 9}} << QList<int>{} << QList<float>{20, 20, 60, 70} << ""
        << quad(20, 60, 2, 7);
    // The new range is the box, not the (empty) extent of the two equal points.
    QTest::newRow("two equal points zoom to the box's own range")
        << QList<QPointF>{{40, 4}, {40, 4}, {90, 9}} << QList<int>{} << QList<float>{30, 30, 50, 50} << ""
        << quad(30, 50, 3, 5);
    QTest::newRow("one point each of two data sets is enough")
        << QList<QPointF>{{40, 4}, {45, 4.5}, {90, 9}} << QList<int>{1, 2, 1} << QList<float>{30, 30, 50, 50}
        << "" << quad(30, 50, 3, 5);
    QTest::newRow("line corners count like points")
        << QList<QPointF>{{40, 4}, {45, 4.5}, {90, 9}} << QList<int>{MoveCode, DrawCode, 1}
        << QList<float>{30, 30, 50, 50} << "" << quad(30, 50, 3, 5);
}

void TstZoomController::boxOutcome() {
    QFETCH(QList<QPointF>, points);
    QFETCH(QList<int>, sets);
    QFETCH(QList<float>, drag);
    QFETCH(QString, message);
    QFETCH(QString, range);
    ZoomRig rig;
    rig.load(toPoints(points, sets));
    standardAxes(rig);
    rig.drag(drag[0], drag[1], drag[2], drag[3]);

    const auto& shown = rig.host.messageRecorder.messages;
    if (message.isEmpty()) {
        QVERIFY(shown.empty());
        QCOMPARE(rig.host.zoomoutStates, std::vector<bool>{true});
    } else {
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(shown[0].text), message);
        QCOMPARE(QString::fromStdString(shown[0].title), QString("Error in Zooming"));
        QVERIFY(shown[0].icon == MessageIcon::Exclamation);
        QVERIFY(rig.host.zoomoutStates.empty()); // a refusal leaves "&ZoomOut" alone
    }
    QCOMPARE(plotRange(rig.state), range);
    // Success and refusal alike clear the corners and repaint, which takes the outline away.
    QCOMPARE(corners(rig.fields), quad(0, 0, 0, 0));
    QCOMPARE(rig.host.repaints, 1);
}

void TstZoomController::nestedZoomsThenZoomoutRestoresFullRange() {
    ZoomRig rig;
    std::vector<Point> diagonal;
    for (int i = 0; i <= 100; ++i)
        diagonal.push_back({float(i), float(i), int16_t(1 + i % 3)});
    rig.load(diagonal);
    // Each repaint sets up tidy axes from the plot range, as the paint handler does.
    rig.host.onRepaint = [&rig] {
        MessageService& messages = rig.host.messages();
        const AxisSetup x = SetUpAxis(AxisName::X, rig.state.PlotXMin, rig.state.PlotXMax, messages);
        const AxisSetup y = SetUpAxis(AxisName::Y, rig.state.PlotYMin, rig.state.PlotYMax, messages);
        rig.setAxes(x.AxisMin, x.AxisMax, y.AxisMin, y.AxisMax);
    };
    rig.host.repaint();

    // Each drag takes plot 30..70 of the axes just drawn, read against those axes:
    // axes 0..120 -> 36..84; axes 30..90 -> 48..72; axes 44..76 -> 53.6..66.4.
    const QString expected[] = {quad(36, 84, 36, 84), quad(48, 72, 48, 72), quad(53.6f, 66.4f, 53.6f, 66.4f)};
    for (const QString& range : expected) {
        rig.drag(30, 30, 70, 70);
        QCOMPARE(plotRange(rig.state), range);
    }
    QVERIFY(rig.host.messageRecorder.messages.empty());

    rig.zoom.Zoomout_Click();
    QCOMPARE(plotRange(rig.state), quad(0, 100, 0, 100)); // no history: straight back to all data
    QCOMPARE(rig.host.zoomoutStates, (std::vector<bool>{true, true, true, false}));
    QCOMPARE(rig.host.repaints, 1 + 3 + 1);
    QCOMPARE(quad(rig.fields.XAxisMin, rig.fields.XAxisMax, rig.fields.YAxisMin, rig.fields.YAxisMax),
             quad(0, 120, 0, 120));
}

void TstZoomController::noZoomWithoutArea_data() {
    QTest::addColumn<QList<QPointF>>("moves"); // pointer positions after the button went down at (50, 50)
    QTest::addColumn<int>("draggedBands");
    QTest::addColumn<int>("releasedBands");
    QTest::newRow("click without movement shows nothing") << QList<QPointF>{} << 0 << 0;
    QTest::newRow("drag back to the anchor") << QList<QPointF>{{60, 60}, {50, 50}} << 2 << 1;
    QTest::newRow("flat drag without height") << QList<QPointF>{{70, 50}} << 1 << 1;
    QTest::newRow("upright drag without width") << QList<QPointF>{{50, 80}} << 1 << 1;
}

void TstZoomController::noZoomWithoutArea() {
    QFETCH(QList<QPointF>, moves);
    QFETCH(int, draggedBands);
    QFETCH(int, releasedBands);
    ZoomRig rig;
    rig.load(kFivePoints);
    standardAxes(rig);
    rig.zoom.Form_MouseDown(50, 50);
    for (const QPointF& p : moves)
        rig.zoom.Form_MouseMove(float(p.x()), float(p.y()));
    rig.zoom.Form_MouseUp();

    int dragged = 0, released = 0;
    for (const BandCall& b : rig.host.bands)
        (b.colour == kDraggedBandColour ? dragged : released)++;
    QCOMPARE(dragged, draggedBands);
    QCOMPARE(released, releasedBands);
    QVERIFY(rig.host.messageRecorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QVERIFY(rig.host.zoomoutStates.empty());
    QCOMPARE(plotRange(rig.state), quad(10, 90, 1, 9));
    QVERIFY(!rig.fields.Dragging);
    QVERIFY(rig.fields.FirstMove);
}

void TstZoomController::bandFollowsPointerAndStaysTintedAfterRelease() {
    ZoomRig rig;
    rig.load(kFivePoints);
    standardAxes(rig);
    rig.zoom.Form_MouseDown(20, 20);
    QVERIFY(rig.fields.Dragging);
    QVERIFY(rig.fields.FirstMove);
    rig.zoom.Form_MouseMove(30, 30);
    rig.zoom.Form_MouseMove(40, 50);
    QVERIFY(!rig.fields.FirstMove);
    QCOMPARE(corners(rig.fields), quad(20, 20, 40, 50));
    rig.zoom.Form_MouseUp();
    // Anchor fixed, free corner at the pointer, then the last box once more in the darker red.
    const std::vector<BandCall>& b = rig.host.bands;
    QCOMPARE(b.size(), size_t(3));
    QCOMPARE(quad(b[0].x1, b[0].y1, b[0].x2, b[0].y2), quad(20, 20, 30, 30));
    QCOMPARE(quad(b[1].x1, b[1].y1, b[1].x2, b[1].y2), quad(20, 20, 40, 50));
    QCOMPARE(quad(b[2].x1, b[2].y1, b[2].x2, b[2].y2), quad(20, 20, 40, 50));
    QCOMPARE(b[0].colour, Rgb(255));
    QCOMPARE(b[1].colour, Rgb(255));
    QCOMPARE(b[2].colour, Rgb(128));
    QCOMPARE(rig.host.bandClears, 0);
}

void TstZoomController::noDataLoadedIgnoresMouse() {
    ZoomRig rig;
    standardAxes(rig);
    rig.fields.ShowCoords = true;
    rig.drag(20, 20, 60, 70);
    QVERIFY(!rig.fields.Dragging);
    QVERIFY(rig.host.bands.empty());
    QVERIFY(rig.host.readouts.empty());
    QVERIFY(rig.host.messageRecorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(corners(rig.fields), quad(0, 0, 0, 0));
}

void TstZoomController::zeroScalesBeforeFirstPlotSkipConversion() {
    ZoomRig rig;
    rig.load(kFivePoints); // loaded, but no plot drawn: axis fields and scales still zero
    rig.fields.ShowCoords = true;
    rig.drag(20, 20, 60, 70);
    QVERIFY(rig.host.readouts.empty());
    QVERIFY(rig.host.messageRecorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QCOMPARE(plotRange(rig.state), quad(10, 90, 1, 9));
    QCOMPARE(corners(rig.fields), quad(20, 20, 60, 70)); // kept, as for a box flat in data values
}

void TstZoomController::boxFlatInDataValuesChangesNothing() {
    ZoomRig rig;
    rig.load({{100000008, 1}, {100000008, 2}});
    rig.fields.XAxisMin = 1e8f;
    rig.fields.XAxisMax = 1e8f + 100;
    rig.fields.XScale = 1;
    rig.fields.YAxisMax = 10;
    rig.fields.YScale = 10;
    // Plot x 10 and 11 both become the 4-byte float 100000008: the box has no width in data values.
    rig.drag(10, 20, 11, 70);
    QVERIFY(rig.host.messageRecorder.messages.empty());
    QCOMPARE(rig.host.repaints, 0);
    QVERIFY(rig.host.zoomoutStates.empty());
    QCOMPARE(corners(rig.fields), quad(10, 20, 11, 70));
    QCOMPARE(rig.host.bands.back().colour, kReleasedBandColour); // stays until the next repaint
}

void TstZoomController::readoutFollowsPointer() {
    ZoomRig rig;
    rig.load(kFivePoints);
    standardAxes(rig);
    rig.fields.ShowCoords = true;
    rig.zoom.Form_MouseMove(12.5f, -2.5f);
    rig.zoom.Form_MouseMove(0, 0);
    rig.zoom.Form_MouseDown(20, 20);
    rig.zoom.Form_MouseMove(100, 100); // readout while dragging too
    rig.zoom.Form_MouseUp();
    const std::vector<std::string> expected{" X= 1.2500E+01, Y= -2.500E-01", " X= 0.0000E+00, Y= 0.000E+00",
                                            " X= 1.0000E+02, Y= 1.000E+01"};
    QCOMPARE(rig.host.readouts, expected);
    // Switching the option off leaves the last text standing.
    rig.fields.ShowCoords = false;
    rig.zoom.Form_MouseMove(30, 30);
    QCOMPARE(rig.host.readouts.size(), expected.size());
}

void TstZoomController::releaseWithoutDragDoesNotZoomOldBox() {
    ZoomRig rig;
    rig.zoom.Form_MouseDown(20, 20); // no data yet: ignored
    rig.load(kFivePoints);
    standardAxes(rig);
    // Corners left standing by an earlier box that was flat in data values.
    rig.fields.BoxX1 = 20, rig.fields.BoxY1 = 20, rig.fields.BoxX2 = 60, rig.fields.BoxY2 = 70;
    rig.zoom.Form_MouseUp();
    QCOMPARE(plotRange(rig.state), quad(10, 90, 1, 9));
    QVERIFY(rig.host.bands.empty());
    QCOMPARE(rig.host.repaints, 0);
}

void TstZoomController::dataGoneDuringDragEndsIt() {
    ZoomRig rig;
    rig.load(kFivePoints);
    standardAxes(rig);
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

void TstZoomController::zoomoutWithoutDataOnlyDisables() {
    ZoomRig rig;
    rig.zoom.Zoomout_Click();
    QCOMPARE(rig.host.zoomoutStates, std::vector<bool>{false});
    QCOMPARE(rig.host.repaints, 0); // a repaint without data would only show the no-data message
}

QTEST_APPLESS_MAIN(TstZoomController)
#include "tst_zoomcontroller.moc"

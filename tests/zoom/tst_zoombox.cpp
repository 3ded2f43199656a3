#include "zoom/ZoomBox.h"
#include "zoom/ZoomTestKit.h"

#include <QPointF>
#include <QTest>

using namespace corvex;
using namespace corvex::testing;

class TstZoomBox : public QObject {
    Q_OBJECT
  private slots:
    void orderAndPullInside_data();
    void orderAndPullInside();
    void countPointsInside_data();
    void countPointsInside();
    void storedPointCount_data();
    void storedPointCount();
};

void TstZoomBox::orderAndPullInside_data() {
    QTest::addColumn<float>("axisXMin");
    QTest::addColumn<float>("axisXMax");
    QTest::addColumn<QList<float>>("box");      // x1, y1, x2, y2 in data values
    QTest::addColumn<QList<float>>("expected"); // after ordering and pulling in
    // Y axis 0..10 throughout: one per cent of its span is 0.1.
    QTest::newRow("box inside the axes stays")
        << 0.f << 100.f << QList<float>{10, 2, 50, 6} << QList<float>{10, 2, 50, 6};
    QTest::newRow("corners given high-to-low are ordered")
        << 0.f << 100.f << QList<float>{50, 6, 10, 2} << QList<float>{10, 2, 50, 6};
    QTest::newRow("left and bottom past the axes come 1% inside")
        << 0.f << 100.f << QList<float>{-10, -1, 50, 6} << QList<float>{1, 0.1f, 50, 6};
    QTest::newRow("right and top past the axes come 1% inside")
        << 0.f << 100.f << QList<float>{50, 6, 105, 11} << QList<float>{50, 6, 99, 9.9f};
    QTest::newRow("edges exactly on the axis ends stay (strict tests)")
        << 0.f << 100.f << QList<float>{0, 0, 100, 10} << QList<float>{0, 0, 100, 10};
    // 1% of 120 is 1.2.
    QTest::newRow("axis across zero")
        << -60.f << 60.f << QList<float>{-70, 2, 70, 6} << QList<float>{-58.8f, 2, 58.8f, 6};
    // Pulling in happens after ordering, so a box left of the axis ends up inverted and holds nothing.
    QTest::newRow("box wholly left of the axis comes back inverted")
        << 0.f << 100.f << QList<float>{-20, 2, -5, 6} << QList<float>{1, 2, -5, 6};
}

void TstZoomBox::orderAndPullInside() {
    QFETCH(float, axisXMin);
    QFETCH(float, axisXMax);
    QFETCH(QList<float>, box);
    QFETCH(QList<float>, expected);
    ZoomRig rig;
    rig.setAxes(axisXMin, axisXMax, 0, 10);
    const DataRect r = corvex::orderAndPullInside({box[0], box[1], box[2], box[3]}, rig.fields);
    QCOMPARE(quad(r.x1, r.y1, r.x2, r.y2), quad(expected[0], expected[1], expected[2], expected[3]));
}

void TstZoomBox::countPointsInside_data() {
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<int>("numPts");
    QTest::addColumn<int>("enough");
    QTest::addColumn<int>("expected");
    // The box is 2..4 in X and in Y.
    const QList<QPointF> onEdges{{2, 3}, {4, 3}, {3, 2}, {3, 4}};
    QTest::newRow("points on all four edges count") << onEdges << 4 << 10 << 4;
    QTest::newRow("scan stops once enough are found") << onEdges << 4 << 2 << 2;
    QTest::newRow("points past NumPts are not read") << onEdges << 1 << 10 << 1;
    QTest::newRow("points just outside do not count")
        << QList<QPointF>{{1.99, 3}, {4.01, 3}, {3, 1.99}, {3, 4.01}} << 4 << 10 << 0;
    QTest::newRow("X inside but Y outside does not count") << QList<QPointF>{{3, 5}} << 1 << 10 << 0;
    QTest::newRow("no points") << QList<QPointF>{} << 0 << 2 << 0;
}

void TstZoomBox::countPointsInside() {
    QFETCH(QList<QPointF>, points);
    QFETCH(int, numPts);
    QFETCH(int, enough);
    QFETCH(int, expected);
    ZoomRig rig;
    std::vector<Point> pts;
    for (const QPointF& p : points)
        pts.push_back({float(p.x()), float(p.y())});
    rig.load(pts);
    rig.state.NumPts = numPts;
    QCOMPARE(corvex::countPointsInside(rig.state, {2, 2, 4, 4}, enough), expected);
}

void TstZoomBox::storedPointCount_data() {
    QTest::addColumn<int>("numPts");
    QTest::addColumn<int>("expected");
    QTest::newRow("negative count scans nothing") << -5 << 0;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("ordinary count") << 7 << 7;
    QTest::newRow("full capacity") << int(kMaxPoints) << int(kMaxPoints);
    QTest::newRow("beyond capacity is cut to it") << int(kMaxPoints) + 1 << int(kMaxPoints);
}

void TstZoomBox::storedPointCount() {
    QFETCH(int, numPts);
    QFETCH(int, expected);
    PlotState state;
    state.NumPts = numPts;
    QCOMPARE(corvex::storedPointCount(state), expected);
}

QTEST_APPLESS_MAIN(TstZoomBox)
#include "tst_zoombox.moc"

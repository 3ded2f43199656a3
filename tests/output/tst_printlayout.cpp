// Page geometry of the printed plot: orientation by shape, fit with the aspect ratio kept, 80 per cent,
// centred.

#include "output/PrintLayout.h"

#include <QTest>

using namespace corvex;

class TstPrintLayout : public QObject {
    Q_OBJECT
  private slots:
    void orientation_data();
    void orientation();
    void placement_data();
    void placement();
    void margins_data();
    void margins();
};

void TstPrintLayout::orientation_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("wide window prints landscape") << 640.0 << 480.0 << true;
    QTest::newRow("one pixel wider is already landscape") << 401.0 << 400.0 << true;
    QTest::newRow("square window prints portrait") << 400.0 << 400.0 << false;
    QTest::newRow("tall window prints portrait") << 300.0 << 500.0 << false;
    QTest::newRow("empty picture counts as square") << 0.0 << 0.0 << false;
}

void TstPrintLayout::orientation() {
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, landscape);
    QCOMPARE(OrientationFor(width, height) == PageOrientation::Landscape, landscape);
}

void TstPrintLayout::placement_data() {
    QTest::addColumn<double>("pictureWidth");
    QTest::addColumn<double>("pictureHeight");
    QTest::addColumn<double>("areaWidth");
    QTest::addColumn<double>("areaHeight");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    // Ratio 4:3 on a square area: the picture is the wider, so it fills the width (1000 x 750), then 80 %.
    QTest::newRow("wider than the area fills the width")
        << 400.0 << 300.0 << 1000.0 << 1000.0 << 100.0 << 200.0 << 800.0 << 600.0;
    // Ratio 1:2 on 800 x 1100: fills the height (550 x 1100), then 80 % = 440 x 880, centred.
    QTest::newRow("taller than the area fills the height")
        << 300.0 << 600.0 << 800.0 << 1100.0 << 180.0 << 110.0 << 440.0 << 880.0;
    // Same ratio as the area: 80 % of both sides and exactly 10 % margin on every side.
    QTest::newRow("matching ratio leaves equal margins")
        << 400.0 << 300.0 << 1200.0 << 900.0 << 120.0 << 90.0 << 960.0 << 720.0;
    // A square on a portrait A4 printable area (points): the width decides, 476 x 476.
    QTest::newRow("square on portrait A4")
        << 300.0 << 300.0 << 595.0 << 842.0 << 59.5 << 183.0 << 476.0 << 476.0;
    // Only the ratio of the picture counts, not its size: a tiny picture is enlarged to fit.
    QTest::newRow("small picture is enlarged")
        << 4.0 << 3.0 << 1200.0 << 900.0 << 120.0 << 90.0 << 960.0 << 720.0;
    // Without extent there is nothing to draw: no size, at the centre, and no division by zero.
    QTest::newRow("empty picture draws nothing")
        << 0.0 << 0.0 << 1000.0 << 800.0 << 500.0 << 400.0 << 0.0 << 0.0;
    QTest::newRow("picture without height")
        << 100.0 << 0.0 << 1000.0 << 800.0 << 500.0 << 400.0 << 0.0 << 0.0;
    QTest::newRow("area without height") << 100.0 << 100.0 << 1000.0 << 0.0 << 500.0 << 0.0 << 0.0 << 0.0;
}

void TstPrintLayout::placement() {
    QFETCH(double, pictureWidth);
    QFETCH(double, pictureHeight);
    QFETCH(double, areaWidth);
    QFETCH(double, areaHeight);
    QFETCH(double, left);
    QFETCH(double, top);
    QFETCH(double, width);
    QFETCH(double, height);
    const PicturePlacement place = PlacePicture(pictureWidth, pictureHeight, areaWidth, areaHeight);
    QCOMPARE(place.left, static_cast<float>(left));
    QCOMPARE(place.top, static_cast<float>(top));
    QCOMPARE(place.width, width);
    QCOMPARE(place.height, height);
}

void TstPrintLayout::margins_data() {
    QTest::addColumn<double>("pictureWidth");
    QTest::addColumn<double>("pictureHeight");
    QTest::addColumn<double>("areaWidth");
    QTest::addColumn<double>("areaHeight");
    QTest::newRow("wide plot on landscape A4 at 1200 dpi") << 1023.0 << 641.0 << 13628.0 << 9448.0;
    QTest::newRow("tall plot on portrait letter") << 377.0 << 911.0 << 612.0 << 792.0;
    QTest::newRow("one-pixel-high strip") << 1920.0 << 1.0 << 595.0 << 842.0;
    QTest::newRow("one-pixel-wide strip") << 1.0 << 1080.0 << 842.0 << 595.0;
}

// Whatever the shapes: ratio kept, one side at exactly 80 %, centred, and at least 10 % margin every side.
void TstPrintLayout::margins() {
    QFETCH(double, pictureWidth);
    QFETCH(double, pictureHeight);
    QFETCH(double, areaWidth);
    QFETCH(double, areaHeight);
    const PicturePlacement place = PlacePicture(pictureWidth, pictureHeight, areaWidth, areaHeight);
    const double tolerance = 1e-4 * (areaWidth + areaHeight); // left and top are 4-byte floats
    QVERIFY(qAbs(place.width / place.height - pictureWidth / pictureHeight) <
            1e-9 * pictureWidth / pictureHeight);
    QVERIFY(qFuzzyCompare(place.width, 0.8 * areaWidth) || qFuzzyCompare(place.height, 0.8 * areaHeight));
    const double right = areaWidth - place.left - place.width;
    const double bottom = areaHeight - place.top - place.height;
    QVERIFY(qAbs(place.left - right) < tolerance);
    QVERIFY(qAbs(place.top - bottom) < tolerance);
    QVERIFY(place.left >= 0.1 * areaWidth - tolerance);
    QVERIFY(place.top >= 0.1 * areaHeight - tolerance);
}

QTEST_APPLESS_MAIN(TstPrintLayout)
#include "tst_printlayout.moc"

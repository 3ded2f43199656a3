#include "zoom/CoordinateReadout.h"
#include "zoom/PlotToData.h"

#include <QTest>

using namespace corvex;

class TstPlotToData : public QObject {
    Q_OBJECT
  private slots:
    void conversion_data();
    void conversion();
    void readoutText_data();
    void readoutText();
    void readoutShownOnlyWhenOnAndLoaded_data();
    void readoutShownOnlyWhenOnAndLoaded();
};

void TstPlotToData::conversion_data() {
    QTest::addColumn<float>("xAxisMin");
    QTest::addColumn<float>("xScale");
    QTest::addColumn<float>("yAxisMin");
    QTest::addColumn<float>("yScale");
    QTest::addColumn<float>("px");
    QTest::addColumn<float>("py");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("plot origin is the axis minimum")
        << 5.f << 2.f << -3.f << 4.f << 0.f << 0.f << true << 5.f << -3.f;
    QTest::newRow("frame end 100 is the axis maximum")
        << 5.f << 2.f << -3.f << 4.f << 100.f << 100.f << true << 55.f << 22.f;
    QTest::newRow("left and bottom margins lie below the axes")
        << 0.f << 1.f << 0.f << 10.f << -25.f << -25.f << true << -25.f << -2.5f;
    // 1e8 + 11 lies between the 4-byte floats 100000008 and 100000016; the nearer one is kept.
    QTest::newRow("sum rounded to a 4-byte float")
        << 1e8f << 1.f << 0.f << 1.f << 11.f << 0.f << true << 100000008.f << 0.f;
    QTest::newRow("zero X scale: nothing drawn yet")
        << 0.f << 0.f << 0.f << 1.f << 10.f << 10.f << false << 0.f << 0.f;
    QTest::newRow("zero Y scale: nothing drawn yet")
        << 0.f << 1.f << 0.f << 0.f << 10.f << 10.f << false << 0.f << 0.f;
    // 100 / 1e-38 is far beyond the largest 4-byte float: refused instead of becoming infinity.
    QTest::newRow("result too large for a 4-byte float")
        << 0.f << 1e-38f << 0.f << 1.f << 100.f << 0.f << false << 0.f << 0.f;
}

void TstPlotToData::conversion() {
    QFETCH(float, xAxisMin);
    QFETCH(float, xScale);
    QFETCH(float, yAxisMin);
    QFETCH(float, yScale);
    QFETCH(float, px);
    QFETCH(float, py);
    QFETCH(bool, converts);
    QFETCH(float, x);
    QFETCH(float, y);
    PlotWindowFields fields;
    fields.XAxisMin = xAxisMin;
    fields.XScale = xScale;
    fields.YAxisMin = yAxisMin;
    fields.YScale = yScale;
    const auto point = plotToData(fields, px, py);
    QCOMPARE(point.has_value(), converts);
    if (!point) return;
    QVERIFY2(point->x == x, qPrintable(QString::asprintf("x %.9g, expected %.9g", point->x, x)));
    QVERIFY2(point->y == y, qPrintable(QString::asprintf("y %.9g, expected %.9g", point->y, y)));
}

void TstPlotToData::readoutText_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<QString>("expected");
    QTest::newRow("X four decimals, Y three") << 12.5f << -0.25f << " X= 1.2500E+01, Y= -2.500E-01";
    QTest::newRow("zero in both formats") << 0.f << 0.f << " X= 0.0000E+00, Y= 0.000E+00";
    QTest::newRow("mantissas rounded, exponents two digits")
        << 123456.f << 0.001f << " X= 1.2346E+05, Y= 1.000E-03";
    QTest::newRow("negative X") << -7.f << 70000.f << " X= -7.0000E+00, Y= 7.000E+04";
}

void TstPlotToData::readoutText() {
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(corvex::readoutText(x, y)), expected);
}

void TstPlotToData::readoutShownOnlyWhenOnAndLoaded_data() {
    QTest::addColumn<bool>("showCoords");
    QTest::addColumn<bool>("dataLoaded");
    QTest::addColumn<float>("scale");
    QTest::addColumn<QString>("expected"); // empty: no readout
    // Axes 0..100 on both sides: plot units are data values.
    QTest::newRow("on and loaded") << true << true << 1.f << " X= 1.2500E+01, Y= -2.500E-01";
    QTest::newRow("option off") << false << true << 1.f << "";
    QTest::newRow("no data") << true << false << 1.f << "";
    QTest::newRow("zero scales before the first plot") << true << true << 0.f << "";
}

void TstPlotToData::readoutShownOnlyWhenOnAndLoaded() {
    QFETCH(bool, showCoords);
    QFETCH(bool, dataLoaded);
    QFETCH(float, scale);
    QFETCH(QString, expected);
    PlotState state;
    state.DataLoaded = dataLoaded;
    PlotWindowFields fields;
    fields.ShowCoords = showCoords;
    fields.XScale = fields.YScale = scale;
    const auto text = coordinateReadout(state, fields, 12.5f, -0.25f);
    QCOMPARE(text ? QString::fromStdString(*text) : QString(), expected);
}

QTEST_APPLESS_MAIN(TstPlotToData)
#include "tst_plottodata.moc"

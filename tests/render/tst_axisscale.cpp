#include "render/AxisScale.h"
#include "support/Recorders.h"

#include <QTest>
#include <cmath>

using namespace corvex;
using namespace corvex::testing;

class TstAxisScale : public QObject {
    Q_OBJECT
  private slots:
    void axisLimits_data();
    void axisLimits();
    void limitsKeepTheirPromises_data();
    void limitsKeepTheirPromises();
    void unusableRangeComesBackUnchanged();
    void exponent_data();
    void exponent();
    void setUp_data();
    void setUp();
    void flatRange_data();
    void flatRange();
    void flatZeroWarnsAtEveryRepaint();
    void flatFiveWarnsOnce();
};

void TstAxisScale::axisLimits_data() {
    QTest::addColumn<float>("lo");
    QTest::addColumn<float>("hi");
    QTest::addColumn<float>("expectLo");
    QTest::addColumn<float>("expectHi");
    QTest::addColumn<int>("expectIntervals");
    // The example rows of the axis rules.
    QTest::newRow("1.05..9.5: margin would reach 0, stays at 1") << 1.05f << 9.5f << 1.0f << 10.0f << 9;
    QTest::newRow("2.1..7.3: a fifth below 2.1 needs 1") << 2.1f << 7.3f << 1.0f << 8.0f << 7;
    QTest::newRow("0..3: starts at 0, top one past 3") << 0.0f << 3.0f << 0.0f << 4.0f << 4;
    QTest::newRow("-3..0: only the final raise reaches 0") << -3.0f << 0.0f << -4.0f << 0.0f << 4;
    QTest::newRow("0..29: step 1 doubled twice") << 0.0f << 29.0f << 0.0f << 32.0f << 8;
    QTest::newRow("0..30: d exactly 10 takes the lower power") << 0.0f << 30.0f << 0.0f << 32.0f << 8;
    QTest::newRow("0..30.0001: d above 10 gives step 10") << 0.0f << 30.0001f << 0.0f << 40.0f << 4;
    QTest::newRow("0..100: step 10 doubled to 20") << 0.0f << 100.0f << 0.0f << 120.0f << 6;
    QTest::newRow("0..5000") << 0.0f << 5000.0f << 0.0f << 6000.0f << 6;
    QTest::newRow("0.001..0.0063: lo is one step, kept") << 0.001f << 0.0063f << 0.001f << 0.007f << 6;
    QTest::newRow("-50..50 across zero") << -50.0f << 50.0f << -60.0f << 60.0f << 6;
    QTest::newRow("-9.33..-0.32: raise adds an eleventh tick") << -9.33f << -0.32f << -10.0f << 0.0f << 10;
    // Substitutes of flat ranges (all values 5: 5/3..15; all values -6: -18..-2).
    QTest::newRow("5/3..15") << float(5.0 / 3) << 15.0f << 0.0f << 16.0f << 8;
    QTest::newRow("-18..-2: top may not pass -1 to 0") << -18.0f << -2.0f << -20.0f << -2.0f << 9;
    // Across zero: step 0.1 doubled twice to 0.4; -0.8 is a fifth below -0.7 already.
    QTest::newRow("-0.7..2.2") << -0.7f << 2.2f << -0.8f << 2.4f << 8;
    // A top on a multiple moves one step further (100 -> 120 at step 20).
    QTest::newRow("10..100") << 10.0f << 100.0f << 0.0f << 120.0f << 6;
}

void TstAxisScale::axisLimits() {
    QFETCH(float, lo);
    QFETCH(float, hi);
    QFETCH(float, expectLo);
    QFETCH(float, expectHi);
    QFETCH(int, expectIntervals);
    float axisLo = -1, axisHi = -1;
    int32_t intervals = -1;
    AxisLimits(lo, hi, axisLo, axisHi, intervals);
    QCOMPARE(axisLo, expectLo);
    QCOMPARE(axisHi, expectHi);
    QCOMPARE(intervals, expectIntervals);
}

void TstAxisScale::limitsKeepTheirPromises_data() {
    QTest::addColumn<float>("lo");
    QTest::addColumn<float>("hi");
    QTest::addColumn<bool>("tidyStep"); // false where the 4-byte axis ends cannot hold the step exactly
    QTest::newRow("tiny 1e-7..4e-7") << 1e-7f << 4e-7f << true;
    QTest::newRow("tiny across zero") << -3e-9f << 5e-9f << true;
    QTest::newRow("huge 1e30..4e30") << 1e30f << 4e30f << true;
    QTest::newRow("huge negative") << -7e35f << -2e35f << true;
    QTest::newRow("narrow at 1: a few float steps wide") << 1.0f << 1.0000002f << false;
    QTest::newRow("narrow at 1e20") << 1e20f << 1.0000005e20f << false;
    QTest::newRow("denormal") << 0.0f << 1e-44f << false;
}

// For any range: the axis encloses the data, has 1..10 intervals, and its step is 1, 2, 4 or 8
// times a power of ten.
void TstAxisScale::limitsKeepTheirPromises() {
    QFETCH(float, lo);
    QFETCH(float, hi);
    QFETCH(bool, tidyStep);
    float axisLo = 0, axisHi = 0;
    int32_t intervals = 0;
    AxisLimits(lo, hi, axisLo, axisHi, intervals);
    QVERIFY(axisLo <= lo);
    QVERIFY(axisHi >= hi);
    QVERIFY(intervals >= 1 && intervals <= 10);
    if (!tidyStep) return;
    const double step = (double(axisHi) - axisLo) / intervals;
    bool tidy = false;
    for (double m : {1.0, 2.0, 4.0, 8.0, 16.0, 32.0, 64.0}) {
        const double power = std::log10(step / m);
        tidy = tidy || std::abs(power - std::round(power)) < 1e-5;
    }
    QVERIFY2(tidy, qPrintable(QString::number(step)));
}

void TstAxisScale::unusableRangeComesBackUnchanged() {
    float axisLo = 0, axisHi = 0;
    int32_t intervals = 0;
    AxisLimits(1.0f, INFINITY, axisLo, axisHi, intervals); // must not loop for ever
    QCOMPARE(intervals, 1);
    AxisLimits(5.0f, 2.0f, axisLo, axisHi, intervals);
    QCOMPARE(axisLo, 5.0f);
    QCOMPARE(axisHi, 2.0f);
}

void TstAxisScale::exponent_data() {
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");
    QTest::addColumn<QString>("text");
    QTest::newRow("0..1200: zero passed over") << 0.0f << 1200.0f << "+03";
    QTest::newRow("-60..60: equal magnitudes take a, +01 becomes +00") << -60.0f << 60.0f << "+00";
    QTest::newRow("-1..0: -1.00E+00") << -1.0f << 0.0f << "+00";
    QTest::newRow("0.001..0.007") << 0.001f << 0.007f << "-03";
    QTest::newRow("smaller magnitude wins") << 5000.0f << 0.02f << "-02";
    QTest::newRow("-01 becomes +00") << 0.1f << 0.5f << "+00";
    QTest::newRow("9.996 rounds up to +1.00E+01, then +00") << 9.996f << 20.0f << "+00";
    QTest::newRow("99.96 rounds up to +02") << 99.96f << 200.0f << "+02";
    QTest::newRow("huge") << 1e30f << 5e30f << "+30";
}

void TstAxisScale::exponent() {
    QFETCH(float, a);
    QFETCH(float, b);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(AxisExponent(a, b)), text);
}

void TstAxisScale::setUp_data() {
    QTest::addColumn<float>("lo");
    QTest::addColumn<float>("hi");
    QTest::addColumn<int>("name"); // 0 X, 1 Y
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("1.05..9.5") << 1.05f << 9.5f << 0 << 10 << ""
                               << QStringList{"1.000", "2.000", "3.000", "4.000", "5.000",
                                              "6.000", "7.000", "8.000", "9.000", "10.000"};
    QTest::newRow("-3..0") << -3.0f << 0.0f << 0 << 5 << ""
                           << QStringList{"-4.000", "-3.000", "-2.000", "-1.000", "0.000"};
    QTest::newRow("0..29") << 0.0f << 29.0f << 0 << 9 << ""
                           << QStringList{"0.000",  "4.000",  "8.000",  "12.000", "16.000",
                                          "20.000", "24.000", "28.000", "32.000"};
    // 0..120 at +02: two blanks before the factor on X, one on Y.
    QTest::newRow("0..100 on X") << 0.0f << 100.0f << 0 << 7 << "  (10^+02)"
                                 << QStringList{"0.000", "0.200", "0.400", "0.600",
                                                "0.800", "1.000", "1.200"};
    QTest::newRow("0..100 on Y") << 0.0f << 100.0f << 1 << 7 << " (10^+02)"
                                 << QStringList{"0.000", "0.200", "0.400", "0.600",
                                                "0.800", "1.000", "1.200"};
    QTest::newRow("0..5000") << 0.0f << 5000.0f << 0 << 7 << "  (10^+03)"
                             << QStringList{"0.000", "1.000", "2.000", "3.000", "4.000", "5.000", "6.000"};
    QTest::newRow("0.001..0.0063") << 0.001f << 0.0063f << 1 << 7 << " (10^-03)"
                                   << QStringList{"1.000", "2.000", "3.000", "4.000",
                                                  "5.000", "6.000", "7.000"};
    QTest::newRow("-50..50: no factor")
        << -50.0f << 50.0f << 0 << 7 << ""
        << QStringList{"-60.000", "-40.000", "-20.000", "0.000", "20.000", "40.000", "60.000"};
    QTest::newRow("-9.33..-0.32: eleven ticks")
        << -9.33f << -0.32f << 1 << 11 << ""
        << QStringList{"-10.000", "-9.000", "-8.000", "-7.000", "-6.000", "-5.000",
                       "-4.000",  "-3.000", "-2.000", "-1.000", "0.000"};
}

void TstAxisScale::setUp() {
    QFETCH(float, lo);
    QFETCH(float, hi);
    QFETCH(int, name);
    QFETCH(int, ticks);
    QFETCH(QString, suffix);
    QFETCH(QStringList, labels);
    MessageRecorder messages;
    float plotMin = lo, plotMax = hi;
    const AxisSetup axis = SetUpAxis(name == 0 ? AxisName::X : AxisName::Y, plotMin, plotMax, messages);
    QCOMPARE(int(axis.TickCount), ticks);
    QCOMPARE(QString::fromStdString(axis.ExpSuffix), suffix);
    QStringList got;
    for (int j = 0; j < axis.TickCount; ++j)
        got << QString::fromStdString(tickLabel(axis, j));
    QCOMPARE(got, labels);
    QVERIFY(messages.messages.empty());
    QCOMPARE(plotMin, lo); // a proper range is never written back
    QCOMPARE(plotMax, hi);
    QCOMPARE(axisScale(axis), float(100.0 / (double(axis.AxisMax) - axis.AxisMin)));
    QCOMPARE(tickPosition(axis, axis.TickCount - 1), 100.0);
}

void TstAxisScale::flatRange_data() {
    QTest::addColumn<float>("v");
    QTest::addColumn<int>("name");
    QTest::addColumn<float>("newMin");
    QTest::addColumn<float>("newMax");
    QTest::addColumn<float>("axisMin");
    QTest::addColumn<float>("axisMax");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("text");
    QTest::newRow("all X 0: -3..3, range untouched")
        << 0.0f << 0 << 0.0f << 0.0f << -3.0f << 3.0f << 7 << "DATA ERROR:  All X values are identical.";
    QTest::newRow("all X 5: 5/3..15 written back, axis 0..16 step 2")
        << 5.0f << 0 << float(5.0 / 3) << 15.0f << 0.0f << 16.0f << 9
        << "DATA ERROR:  All X values are identical.";
    QTest::newRow("all Y -6: -18..-2, axis -20..-2") << -6.0f << 1 << -18.0f << -2.0f << -20.0f << -2.0f << 10
                                                     << "DATA ERROR:  All Y values are identical.";
    QTest::newRow("all Y 2: 2/3..6, axis 0..7") << 2.0f << 1 << float(2.0 / 3) << 6.0f << 0.0f << 7.0f << 8
                                                << "DATA ERROR:  All Y values are identical.";
}

void TstAxisScale::flatRange() {
    QFETCH(float, v);
    QFETCH(int, name);
    QFETCH(float, newMin);
    QFETCH(float, newMax);
    QFETCH(float, axisMin);
    QFETCH(float, axisMax);
    QFETCH(int, ticks);
    QFETCH(QString, text);
    MessageRecorder messages;
    float plotMin = v, plotMax = v;
    const AxisSetup axis = SetUpAxis(name == 0 ? AxisName::X : AxisName::Y, plotMin, plotMax, messages);
    QCOMPARE(plotMin, newMin);
    QCOMPARE(plotMax, newMax);
    QCOMPARE(axis.AxisMin, axisMin);
    QCOMPARE(axis.AxisMax, axisMax);
    QCOMPARE(int(axis.TickCount), ticks);
    QCOMPARE(messages.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(messages.messages[0].text), text);
    QCOMPARE(messages.messages[0].title, std::string("Data Error"));
    QVERIFY(messages.messages[0].icon == MessageIcon::Exclamation);
}

void TstAxisScale::flatZeroWarnsAtEveryRepaint() {
    MessageRecorder messages;
    float plotMin = 0, plotMax = 0;
    SetUpAxis(AxisName::X, plotMin, plotMax, messages);
    const AxisSetup again = SetUpAxis(AxisName::X, plotMin, plotMax, messages);
    QCOMPARE(messages.messages.size(), size_t(2));
    QCOMPARE(tickLabel(again, 0), std::string("-3.000"));
    QCOMPARE(tickLabel(again, 6), std::string("3.000"));
}

void TstAxisScale::flatFiveWarnsOnce() {
    MessageRecorder messages;
    float plotMin = 5, plotMax = 5;
    const AxisSetup first = SetUpAxis(AxisName::X, plotMin, plotMax, messages);
    const AxisSetup second = SetUpAxis(AxisName::X, plotMin, plotMax, messages);
    QCOMPARE(messages.messages.size(), size_t(1)); // the written-back range is a proper one
    QCOMPARE(second.AxisMin, first.AxisMin);
    QCOMPARE(second.AxisMax, first.AxisMax);
}

QTEST_APPLESS_MAIN(TstAxisScale)
#include "tst_axisscale.moc"

#include "render/AxisScale.h"
#include "support/Recorders.h"

#include <QTest>
#include <cmath>

using namespace corvex;
using namespace corvex::testing;

class TstAxisScale : public QObject {
    Q_OBJECT
  private slots:
    void axis_data() {
        QTest::addColumn<float>("lo");
        QTest::addColumn<float>("hi");
        QTest::addColumn<float>("axisMin");
        QTest::addColumn<float>("axisMax");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("exp");
        // The example rows of the axis rules.
        QTest::newRow("1.05..9.5: margin would reach 0") << 1.05f << 9.5f << 1.0f << 10.0f << 10 << "+00";
        QTest::newRow("2.1..7.3: a fifth below 2.1 needs 1") << 2.1f << 7.3f << 1.0f << 8.0f << 8 << "+00";
        QTest::newRow("0..3: top one past 3") << 0.0f << 3.0f << 0.0f << 4.0f << 5 << "+00";
        QTest::newRow("-3..0: the final raise reaches 0") << -3.0f << 0.0f << -4.0f << 0.0f << 5 << "+00";
        QTest::newRow("0..29: step 1 doubled twice") << 0.0f << 29.0f << 0.0f << 32.0f << 9 << "+00";
        QTest::newRow("0..30: d = 10 takes the lower power") << 0.0f << 30.0f << 0.0f << 32.0f << 9 << "+00";
        QTest::newRow("0..30.0001: step 10") << 0.0f << 30.0001f << 0.0f << 40.0f << 5 << "+00";
        QTest::newRow("0..100: step 10 doubled to 20") << 0.0f << 100.0f << 0.0f << 120.0f << 7 << "+02";
        QTest::newRow("0..5000") << 0.0f << 5000.0f << 0.0f << 6000.0f << 7 << "+03";
        QTest::newRow("0.001..0.0063: lo kept") << 0.001f << 0.0063f << 0.001f << 0.007f << 7 << "-03";
        // Equal magnitudes take the low end: -6.00E+01, and +01 becomes +00.
        QTest::newRow("-50..50") << -50.0f << 50.0f << -60.0f << 60.0f << 7 << "+00";
        QTest::newRow("-9.33..-0.32: an eleventh tick") << -9.33f << -0.32f << -10.0f << 0.0f << 11 << "+00";
        QTest::newRow("tiny 1e-7..4e-7") << 1e-7f << 4e-7f << 1e-7f << 5e-7f << 5 << "-07";
        QTest::newRow("huge 1e30..4e30: step 4e29") << 1e30f << 4e30f << 8e29f << 4.4e30f << 10 << "+29";
    }
    void axis() {
        QFETCH(float, lo);
        QFETCH(float, hi);
        MessageRecorder messages;
        float plotMin = lo, plotMax = hi;
        const AxisSetup axis = SetUpAxis(AxisName::Y, plotMin, plotMax, messages);
        QTEST(axis.AxisMin, "axisMin");
        QTEST(axis.AxisMax, "axisMax");
        QTEST(int(axis.TickCount), "ticks");
        QTEST(QString::fromStdString(axis.ExpText), "exp");
        QVERIFY(messages.messages.empty());
        QCOMPARE(QPointF(plotMin, plotMax), QPointF(lo, hi)); // a proper range is never written back
    }
    void exponentAndSuffix() {
        QCOMPARE(AxisExponent(9.996f, 20), "+00");  // rounds up to +1.00E+01, then +01 becomes +00
        QCOMPARE(AxisExponent(99.96f, 200), "+02"); // rounds up to +1.00E+02
        QCOMPARE(AxisExponent(5000, 0.02f), "-02"); // the smaller magnitude wins
        MessageRecorder messages;
        float lo = 0, hi = 100;
        QCOMPARE(SetUpAxis(AxisName::X, lo, hi, messages).ExpSuffix, "  (10^+02)"); // two blanks on X
        const AxisSetup y = SetUpAxis(AxisName::Y, lo, hi, messages);
        QCOMPARE(y.ExpSuffix, " (10^+02)"); // one on Y
        QCOMPARE(tickLabel(y, 6), "1.200"); // 120 divided by 10^2
    }
    void unusableRangeComesBackUnchanged() {
        float axisLo = 0, axisHi = 0;
        int32_t intervals = 0;
        AxisLimits(1.0f, INFINITY, axisLo, axisHi, intervals); // must not loop for ever
        QCOMPARE(intervals, 1);
    }
    void flatRanges() {
        MessageRecorder messages;
        float zero[2] = {0, 0}, five[2] = {5, 5}, six[2] = {-6, -6};
        SetUpAxis(AxisName::X, zero[0], zero[1], messages);
        const AxisSetup x0 = SetUpAxis(AxisName::X, zero[0], zero[1], messages);
        QCOMPARE(messages.messages.size(), size_t(2)); // 0 stays flat: a message at every repaint
        QCOMPARE(messages.messages[0].text, "DATA ERROR:  All X values are identical.");
        QCOMPARE(messages.messages[0].title, "Data Error");
        QCOMPARE(tickLabel(x0, 0) + " " + tickLabel(x0, 6), "-3.000 3.000");
        SetUpAxis(AxisName::X, five[0], five[1], messages);
        const AxisSetup x5 = SetUpAxis(AxisName::X, five[0], five[1], messages);
        QCOMPARE(messages.messages.size(), size_t(3)); // the written-back range is a proper one
        QCOMPARE(QPointF(five[0], five[1]), QPointF(float(5.0 / 3), 15));
        QCOMPARE(QPointF(x5.AxisMin, x5.AxisMax), QPointF(0, 16));
        const AxisSetup y6 = SetUpAxis(AxisName::Y, six[0], six[1], messages);
        QCOMPARE(messages.messages[3].text, "DATA ERROR:  All Y values are identical.");
        QCOMPARE(QPointF(six[0], six[1]), QPointF(-18, -2));
        QCOMPARE(QPointF(y6.AxisMin, y6.AxisMax), QPointF(-20, -2)); // the top may not pass -1 to 0
    }
};

QTEST_APPLESS_MAIN(TstAxisScale)
#include "tst_axisscale.moc"

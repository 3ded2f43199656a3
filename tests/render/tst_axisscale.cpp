#include "render/AxisScale.h"

#include <QTest>
#include <cfloat>
#include <cmath>

using namespace corvex;

class TstAxisScale : public QObject {
    Q_OBJECT
  private slots:
    void axis() {
        // The data range lo..hi, the axis limits, the tick count, the exponent text, why.
        const std::tuple<float, float, float, float, int, const char*, const char*> cases[] = {
            {1.05f, 9.5f, 1, 10, 10, "+00", "the margin would reach 0"},
            {2.18f, 7.3f, 1, 8, 8, "+00", "a fifth below 2.18 needs 1"},
            {2.2f, 7.3f, 2, 8, 7, "+00", "a fifth below 2.2 is 2 itself"},
            {0, 3, 0, 4, 5, "+00", "the top one past 3"},
            {-3, 0, -4, 0, 5, "+00", "the final raise reaches 0"},
            {-5, 1, -6, 2, 9, "+00", "a top on the first multiple goes a step up"},
            {-1, 5, -2, 6, 9, "+00", "a bottom on the first multiple below 0 goes a step down"},
            {-8, -2, -9, -1, 9, "+00", "a top on the second multiple below 0 goes a step up"},
            {0, 29, 0, 32, 9, "+00", "step 1 doubled twice"},
            {0, 30, 0, 32, 9, "+00", "d = 10 takes the lower power"},
            {0, 30.0001f, 0, 40, 5, "+00", "step 10"},
            {0, 100, 0, 120, 7, "+02", "step 10 doubled to 20"},
            {0, 5000, 0, 6000, 7, "+03", ""},
            {0.001f, 0.0063f, 0.001f, 0.007f, 7, "-03", "lo kept"},
            {-50, 50, -60, 60, 7, "+00", "equal magnitudes take the low end, -6.00E+01; +01 becomes +00"},
            {-9.33f, -0.32f, -10, 0, 11, "+00", "an eleventh tick"},
            {1e-7f, 4e-7f, 1e-7f, 5e-7f, 5, "-07", "tiny"},
            {1e30f, 4e30f, 8e29f, 4.4e30f, 10, "+29", "huge, step 4e29"},
            // The next multiple above the top point equals it once rounded to a float: the axis ends one
            // float further up, so the point stays inside and the labels stay the same.
            {0.1f, 0.7f, 0.1f, std::nextafter(0.7f, 1.0f), 7, "+00", "7 x 0.1 rounds onto 0.7"},
            {0, 0.005f, 0, std::nextafter(0.005f, 1.0f), 6, "-03", "5 x 0.001 rounds onto 0.005"},
            {0, 0.24f, 0, std::nextafter(0.24f, 1.0f), 7, "+00", "6 x 0.04 rounds onto 0.24"},
            {0, 2.8f, 0, std::nextafter(2.8f, 3.0f), 8, "+00", "7 x 0.4 rounds onto 2.8"},
            {99999992, 1e8f, 99999992, std::nextafter(1e8f, 2e8f), 10, "+08", "1e8 + 1 rounds onto 1e8"},
            // Multiples beyond the float range are held at the largest float; the ticks between stay
            // evenly spread, so every label is a finite number.
            {-3.4e38f, 3.4e38f, -FLT_MAX, FLT_MAX, 9, "+38", "-4e38 and 4e38 held at the float ends"},
            {1e38f, 3.4e38f, 8e37f, FLT_MAX, 8, "+37", "step 4e37, 9 x 4e37 held at the top end"},
            {-3.4e38f, -1e38f, -FLT_MAX, -8e37f, 8, "+37", "step 4e37, -9 x 4e37 held at the bottom end"},
            {1e-37f, 1e-36f, 0, 1.2e-36f, 7, "-36", "tiny, step 2e-37, the margin reaches 0"},
        };
        for (const auto& [lo, hi, axisMin, axisMax, ticks, exp, why] : cases) {
            const AxisSetup axis = SetUpAxis(AxisName::Y, lo, hi);
            QVERIFY2(axis.AxisMin == axisMin && axis.AxisMax == axisMax && axis.TickCount == ticks &&
                         axis.ExpText == exp,
                     qPrintable(QString::asprintf("%g..%g: %s gave %g..%g, %d ticks, %s", lo, hi, why,
                                                  axis.AxisMin, axis.AxisMax, axis.TickCount,
                                                  axis.ExpText.c_str())));
            QVERIFY(axis.Warnings.empty() && axis.Drawable);
            QCOMPARE(QPointF(axis.PlotMin, axis.PlotMax), QPointF(lo, hi)); // a proper range is never widened
            for (int j = 0; j < axis.TickCount; ++j) { // a label is a number, never "nan" or "inf"
                const QString label = QString::fromStdString(tickLabel(axis, j)).toLower();
                QVERIFY2(!label.contains("nan") && !label.contains("inf"), qPrintable(label));
            }
        }
    }
    // Every round maximum n x 10^e (n = 1..99, e = -14..13) lies below the axis top: the top is the
    // next multiple of the step above it, and a point on the limit would not be drawn.
    void everyRoundMaximumLiesBelowTheTop() {
        QStringList onTheTop;
        for (int e = -14; e <= 13; ++e)
            for (int n = 1; n <= 99; ++n) {
                const float hi = float(n * std::pow(10.0, e));
                float axisLo = 0, axisHi = 0;
                int32_t intervals = 0;
                AxisLimits(0, hi, axisLo, axisHi, intervals);
                if (!(axisHi > hi)) onTheTop << QString("%1e%2").arg(n).arg(e);
            }
        QVERIFY2(onTheTop.isEmpty(), qPrintable(onTheTop.join(' ')));
    }
    // 100 / (max - min) must be a finite 4-byte scale: ranges narrower than about 3e-37 have none (the
    // denormals 1.4e-45..1.4e-44: tst_corvex_render unplottableFileExitsOne).
    void rangeTooNarrowForAScale() {
        // 1e-37..1.1e-37: axis 9.8e-38..1.12e-37, scale about 7e39; all Y equal to the smallest denormal.
        for (const auto& [lo, hi] : {std::pair(1e-37f, 1.1e-37f), std::pair(1.4e-45f, 1.4e-45f)}) {
            const AxisSetup axis = SetUpAxis(AxisName::Y, lo, hi);
            QVERIFY(!axis.Drawable && !axis.Warnings.empty());
            QCOMPARE(axis.Warnings.back(), "DATA ERROR:  The Y range is too narrow to draw an axis.");
        }
    }
    void exponentAndSuffix() {
        QCOMPARE(AxisExponent(9.996f, 20), "+00");  // rounds up to +1.00E+01, then +01 becomes +00
        QCOMPARE(AxisExponent(99.96f, 200), "+02"); // rounds up to +1.00E+02
        QCOMPARE(AxisExponent(5000, 0.02f), "-02"); // the smaller magnitude wins
        const AxisSetup y = SetUpAxis(AxisName::Y, 0, 100);
        QCOMPARE(y.ExpSuffix, " (10^+02)"); // one blank on Y; two on X: tst_corvex_render describesTheSample
        QCOMPARE(tickLabel(y, 6), "1.200"); // 120 divided by 10^2
    }
    void unusableRangeComesBackUnchanged() {
        float axisLo = 0, axisHi = 0;
        int32_t intervals = 0;
        AxisLimits(1.0f, INFINITY, axisLo, axisHi, intervals); // must not loop for ever
        QCOMPARE(intervals, 1);
    }
    void flatRanges() {
        using Warnings = std::vector<std::string>;
        // 0 stays flat: it warns at every repaint and is drawn on -3..3.
        const AxisSetup x0 = SetUpAxis(AxisName::X, 0, 0);
        QCOMPARE(x0.Warnings, Warnings{"DATA ERROR:  All X values are identical."});
        QCOMPARE(QPointF(x0.PlotMin, x0.PlotMax), QPointF(0, 0));
        QCOMPARE(tickLabel(x0, 0) + " " + tickLabel(x0, 6), "-3.000 3.000");
        // 5 is widened to 5/3..15; kept so, the next repaint scales a proper range without a warning.
        const AxisSetup x5 = SetUpAxis(AxisName::X, 5, 5);
        QCOMPARE(QPointF(x5.PlotMin, x5.PlotMax), QPointF(float(5.0 / 3), 15));
        QCOMPARE(QPointF(x5.AxisMin, x5.AxisMax), QPointF(0, 16));
        QVERIFY(SetUpAxis(AxisName::X, x5.PlotMin, x5.PlotMax).Warnings.empty());
        const AxisSetup y6 = SetUpAxis(AxisName::Y, -6, -6);
        QCOMPARE(y6.Warnings, Warnings{"DATA ERROR:  All Y values are identical."});
        QCOMPARE(QPointF(y6.PlotMin, y6.PlotMax), QPointF(-18, -2));
        QCOMPARE(QPointF(y6.AxisMin, y6.AxisMax), QPointF(-20, -2)); // the top may not pass -1 to 0
        // 3v lies beyond the float range: the widened top is held at the largest float.
        const AxisSetup huge = SetUpAxis(AxisName::Y, 3e38f, 3e38f);
        QCOMPARE(QPointF(huge.PlotMin, huge.PlotMax), QPointF(1e38f, FLT_MAX));
    }
};

QTEST_APPLESS_MAIN(TstAxisScale)
#include "tst_axisscale.moc"

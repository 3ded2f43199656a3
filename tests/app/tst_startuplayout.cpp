#include "app/ProgressWindow.h"
#include "model/FontStep.h"
#include "model/StartUpLayout.h"

#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <cmath>

using namespace corvex;

class TstStartUpLayout : public QObject {
    Q_OBJECT
  private slots:
    // "Reading Data" above the bar, 0 and 100 at its ends, the whole window in the screen's bottom right
    // corner.
    void progressWindowInTheBottomRightCorner() {
        ProgressWindow w;
        w.show();
        w.placeInCorner(); // with its frame known
        QCOMPARE(w.windowTitle(), "% Complete");
        QCOMPARE(w.size(), QSize(300, 80));
        QCOMPARE(w.frameGeometry().bottomRight(), w.screen()->geometry().bottomRight());
        const auto at = [&](const char* name) { return w.findChild<QWidget*>(name)->geometry(); };
        const auto text = [&](const char* name) { return w.findChild<QLabel*>(name)->text(); };
        const QRect bar = at("ProgressBar1");
        QCOMPARE(text("Label3") + text("Label1") + text("Label2"), "Reading Data0100");
        QVERIFY(at("Label1").right() < bar.left() && bar.right() < at("Label2").left()); // at the bar's ends
        auto* progress = w.findChild<QProgressBar*>("ProgressBar1");
        QCOMPARE(QPoint(progress->minimum(), progress->maximum()), QPoint(0, 100));
        QVERIFY(!progress->isTextVisible()); // the labels 0 and 100 say it; the bar shows no percentage
        w.setValue(40);
        w.setLabel("Creating Plot");
        QCOMPARE(progress->value(), 40);
        QCOMPARE(text("Label3"), "Creating Plot");
    }

    // A 1024 x 768 screen at 15 twips a pixel: 15360 x 11520 twips.
    void windowIsTwoThirdsTowardsTheBottomRight() {
        const StartUpPlacement p = startUpPlacement({15360, 11520, 15, 15});
        QCOMPARE(p.width, 9984.0);         // 0.65 x 15360
        QCOMPARE(p.height, 7488.0);        // 0.65 x 11520
        QCOMPARE(p.left, 15360 - 10483.2); // 1.05 x 9984 from the right edge
        QCOMPARE(p.top, 11520 - 7862.4);   // 1.05 x 7488 from the bottom edge
        QCOMPARE(p.readoutPoints, 12.0f);
        // The readout font: 9.75 points on screens up to 640 pixels across, 12 points beyond.
        QCOMPARE(startUpPlacement({640 * 15, 480 * 15, 15, 15}).readoutPoints, 9.75f);
        QCOMPARE(startUpPlacement({641 * 15, 480 * 15, 15, 15}).readoutPoints, 12.0f);
    }

    void fontStepsStayWithinZeroToEight() {
        float scale = 0.0014f;
        int16_t step = 4;
        FontStepLimits limits{};
        for (int i = 0; i < 4; ++i)
            limits = applyFontStep(scale, step, -1);
        // Four decreases reach step 0: "Decrease" greys out, "Increase" stays.
        QCOMPARE(step, int16_t(0));
        QVERIFY(!limits.decreaseEnabled && limits.increaseEnabled);
        QVERIFY(std::fabs(scale - 0.0014 / std::pow(1.2, 4)) < 1e-9);
        limits = applyFontStep(scale, step, +1);
        QVERIFY(limits.decreaseEnabled);
        for (int i = 0; i < 7; ++i)
            limits = applyFontStep(scale, step, +1);
        QCOMPARE(step, kMaxFontStep);
        QVERIFY(!limits.increaseEnabled && limits.decreaseEnabled);
        QVERIFY(std::fabs(scale - 0.0014 * std::pow(1.2, 4)) < 1e-8);
    }
};

QTEST_MAIN(TstStartUpLayout)
#include "tst_startuplayout.moc"

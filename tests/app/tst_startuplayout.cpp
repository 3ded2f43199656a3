#include "app/FontStep.h"
#include "app/StartUpLayout.h"

#include <QTest>
#include <cmath>

using namespace corvex;

class TstStartUpLayout : public QObject {
    Q_OBJECT
  private slots:
    void readoutFontBy640PixelRule_data();
    void readoutFontBy640PixelRule();
    void windowIsPlacedTowardsBottomRight();
    void fontStepsStayWithinZeroToEight();
};

void TstStartUpLayout::readoutFontBy640PixelRule_data() {
    QTest::addColumn<double>("screenPixels");
    QTest::addColumn<float>("points");
    QTest::newRow("exactly 640 pixels keeps 9.75 points") << 640.0 << 9.75f;
    QTest::newRow("641 pixels gets 12 points") << 641.0 << 12.0f;
    QTest::newRow("a usual screen gets 12 points") << 1280.0 << 12.0f;
}

void TstStartUpLayout::readoutFontBy640PixelRule() {
    QFETCH(double, screenPixels);
    QFETCH(float, points);
    const double tpp = 15; // 96 dpi
    QCOMPARE(startUpPlacement({screenPixels * tpp, 480 * tpp, tpp, tpp}).readoutPoints, points);
}

void TstStartUpLayout::windowIsPlacedTowardsBottomRight() {
    // 1280 x 1024 pixels at 15 twips per pixel: the window is 0.65 of that, its right edge
    // 0.05 of its width from the screen's right edge.
    const StartUpPlacement p = startUpPlacement({19200, 15360, 15, 15});
    QCOMPARE(p.width, 12480.0);
    QCOMPARE(p.height, 9984.0);
    QCOMPARE(p.left, 19200 - 1.05 * 12480);
    QCOMPARE(p.top, 15360 - 1.05 * 9984);
}

void TstStartUpLayout::fontStepsStayWithinZeroToEight() {
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

QTEST_APPLESS_MAIN(TstStartUpLayout)
#include "tst_startuplayout.moc"

#include "support/WindowRig.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <fstream>

using namespace corvex;
using namespace corvex::testing;

namespace {

// Four points on a diagonal from (1, 1) to (4, 4), drawn.
void loadDiagonal(WindowRig& rig) {
    rig.load({1, 2, 3, 4}, {1, 2, 3, 4});
    rig.window->Form_Resize();
}

// All X values 0: every repaint shows the flat-range message.
void loadFlatX(WindowRig& rig) {
    rig.load({0, 0}, {1, 2});
}

} // namespace

class TstPlotWindow : public QObject {
    Q_OBJECT
  private slots:
    void workingCopyRemovedAtStartAndClose();
    void startUpOpensSetupWithMainWindowDisabled();
    void resizeBeforeDataChangesNothing();
    void symbolSizeToggleCaptions();
    void fontIncreaseShortcutStopsAtStepEight();
    void dragDirectionDoesNotMatter();
    void nestedZoomsThenZoomOut();
    void legendOpensOnceAndFollowsFilledOption();
    void redrawDuringMessageBoxRunsAfterwards();
    void displayOptionDoesNotRepaint();
    void nonAsciiFileNameInTheCaption();
};

void TstPlotWindow::workingCopyRemovedAtStartAndClose() {
    // The working copy lives in the start-up directory; one is left there from an earlier run.
    WindowRig rig(true, SettleClock::Stepped, [] { std::ofstream(kWorkingCopyName) << "left over"; });
    const QString workingCopy = rig.dir.filePath(kWorkingCopyName);
    QVERIFY(!QFile::exists(workingCopy));
    std::ofstream(workingCopy.toStdString()) << "set aside";
    rig.window->close();
    QVERIFY(!QFile::exists(workingCopy));
}

void TstPlotWindow::startUpOpensSetupWithMainWindowDisabled() {
    WindowRig rig(false);
    QVERIFY(rig.setup()->isVisible());
    QCOMPARE(rig.setup()->windowTitle(), QString("Setup"));
    QVERIFY(!rig.window->isEnabled());
    QVERIFY(!rig.plotTimer()->isActive());
    rig.setup()->FileCmd_Click();
    QVERIFY(rig.window->isEnabled());
    QVERIFY(!rig.setup()->isVisible());
    rig.action("SetupPlt")->trigger(); // "&Setup" disables the main window again
    QVERIFY(!rig.window->isEnabled());
    QVERIFY(rig.setup()->isVisible());
}

void TstPlotWindow::resizeBeforeDataChangesNothing() {
    WindowRig rig;
    rig.window->resize(rig.window->width() + 40, rig.window->height() + 30);
    QApplication::processEvents();
    QVERIFY(rig.plotArea()->persistentImage().isNull()); // nothing drawn
    QVERIFY(rig.messages.messages.empty());
}

void TstPlotWindow::symbolSizeToggleCaptions() {
    WindowRig rig;
    QAction* size = rig.action("LargePoints");
    QCOMPARE(size->text(), QString("Plot Small Points"));
    size->trigger();
    QCOMPARE(size->text(), QString("Large Symbols")); // names the size the next click selects
    QCOMPARE(rig.model.options.SymScale, 0.5f);
    size->trigger();
    QCOMPARE(size->text(), QString("Small Symbols"));
    QCOMPARE(rig.model.options.SymScale, 1.0f);
}

void TstPlotWindow::fontIncreaseShortcutStopsAtStepEight() {
    WindowRig rig;
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(rig.model.options.XLgndFntStep, int16_t(8));
    QVERIFY(!rig.action("XLgndFntInc")->isEnabled());
    const float scale = rig.model.options.XLgndFntScale;
    QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ControlModifier); // greyed out: does nothing
    QCOMPARE(rig.model.options.XLgndFntStep, int16_t(8));
    QCOMPARE(rig.model.options.XLgndFntScale, scale);
    QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(rig.model.options.XLgndFntStep, int16_t(7));
    QVERIFY(rig.action("XLgndFntInc")->isEnabled());
}

namespace {

// The data value the coordinate readout shows with the pointer at `pixel`.
QPointF readoutAt(WindowRig& rig, QPoint pixel) {
    QTest::mouseMove(rig.plotArea(), pixel);
    const QString text = rig.readout()->XYLabel->text(); // " X= 1.2500E+01, Y= -2.500E-01"
    return {text.section(',', 0, 0).mid(4).toDouble(), text.section(',', 1, 1).mid(4).toDouble()};
}

// Drags with the mouse over the drawing area between two points given in data units, placed through
// the axes as the window shows them (read off the coordinate readout at two pixels).
void dragData(WindowRig& rig, QPointF from, QPointF to) {
    PlotArea* area = rig.plotArea();
    if (!rig.action("ShowEm")->isChecked()) rig.action("ShowEm")->trigger();
    const QPoint p0(100, 100), p1(300, 300);
    const QPointF d0 = readoutAt(rig, p0), d1 = readoutAt(rig, p1);
    auto pixel = [&](QPointF d) {
        return QPoint(int(p0.x() + (d.x() - d0.x()) * (p1.x() - p0.x()) / (d1.x() - d0.x())),
                      int(p0.y() + (d.y() - d0.y()) * (p1.y() - p0.y()) / (d1.y() - d0.y())));
    };
    QTest::mousePress(area, Qt::LeftButton, {}, pixel(from));
    QTest::mouseMove(area, pixel((from + to) / 2));
    QTest::mouseMove(area, pixel(to));
    QTest::mouseRelease(area, Qt::LeftButton, {}, pixel(to));
}

} // namespace

void TstPlotWindow::dragDirectionDoesNotMatter() {
    float ranges[2][4];
    for (int reverse = 0; reverse < 2; ++reverse) {
        WindowRig rig;
        loadDiagonal(rig);
        // Around (2, 2) and (3, 3): lower right to upper left, then upper left to lower right.
        const QPointF lowerRight(3.4, 1.6), upperLeft(1.6, 3.4);
        dragData(rig, reverse ? upperLeft : lowerRight, reverse ? lowerRight : upperLeft);
        QVERIFY(rig.messages.messages.empty());
        QVERIFY(rig.action("Zoomout")->isEnabled());
        const float got[4] = {rig.model.range.PlotXMin, rig.model.range.PlotXMax, rig.model.range.PlotYMin,
                              rig.model.range.PlotYMax};
        std::copy(got, got + 4, ranges[reverse]);
    }
    for (int k = 0; k < 4; ++k)
        QCOMPARE(ranges[0][k], ranges[1][k]);
    QVERIFY(ranges[0][0] > 1.0f && ranges[0][1] < 4.0f); // the box, not the full range
}

void TstPlotWindow::nestedZoomsThenZoomOut() {
    WindowRig rig;
    loadDiagonal(rig);
    dragData(rig, {1.5, 1.5}, {3.5, 3.5});
    dragData(rig, {1.9, 1.9}, {3.1, 3.1});
    const float width = rig.model.range.PlotXMax - rig.model.range.PlotXMin;
    dragData(rig, {1.95, 1.95}, {3.05, 3.05});
    QVERIFY(rig.model.range.PlotXMax - rig.model.range.PlotXMin < width); // each zoom narrows the view
    QVERIFY(rig.messages.messages.empty());
    QVERIFY(rig.readout()->XYLabel->text().startsWith(" X= "));
    rig.action("Zoomout")->trigger();
    QCOMPARE(rig.model.range.PlotXMin, 1.0f);
    QCOMPARE(rig.model.range.PlotXMax, 4.0f);
    QCOMPARE(rig.model.range.PlotYMax, 4.0f);
    QVERIFY(!rig.action("Zoomout")->isEnabled());
}

void TstPlotWindow::legendOpensOnceAndFollowsFilledOption() {
    WindowRig rig;
    rig.action("ShowIt")->trigger();
    QVERIFY(rig.legend());
    QVERIFY(!rig.action("ShowIt")->isEnabled()); // greyed exactly while the legend is open
    const QImage open = rig.legend()->image();
    rig.action("UseFilled")->trigger(); // the legend follows the filled option at once
    QVERIFY(rig.legend()->image() != open);
    rig.action("UseFilled")->trigger();
    QCOMPARE(rig.legend()->image(), open);
    rig.legend()->close();
    QTRY_VERIFY(!rig.legend());
    QVERIFY(rig.action("ShowIt")->isEnabled());
    rig.action("ShowIt")->trigger(); // a new legend, identical to the first
    QCOMPARE(rig.legend()->image(), open);
}

void TstPlotWindow::redrawDuringMessageBoxRunsAfterwards() {
    WindowRig rig;
    loadFlatX(rig);
    int nested = 0;
    // A resize arrives while the repaint's message box waits: it must not paint inside the repaint.
    rig.messages.onShow = [&] {
        if (nested++ == 0) rig.window->Form_Resize();
    };
    rig.window->Form_Resize();
    QCOMPARE(rig.messages.messages.size(), size_t(2)); // the outer repaint, then the deferred one
    QCOMPARE(rig.messages.messages[1].text, std::string("DATA ERROR:  All X values are identical."));
    // The deferred repaint drew the substitute axis -3..3: the frame's left edge reads X = -3.
    rig.action("ShowEm")->trigger();
    QTest::mouseMove(rig.plotArea(), rig.plotArea()->toPixels(0, 50).toPoint());
    const QString readout = rig.readout()->XYLabel->text(); // " X= -3.0000E+00, Y= ..." within a pixel
    QVERIFY2(std::abs(readout.section(',', 0, 0).mid(4).toDouble() + 3) < 0.05, qPrintable(readout));
}

void TstPlotWindow::displayOptionDoesNotRepaint() {
    WindowRig rig;
    loadFlatX(rig);
    rig.window->Form_Resize();
    const size_t shown = rig.messages.messages.size();
    rig.action("ShowEm")->trigger();
    QApplication::processEvents();
    rig.action("ShowEm")->trigger();
    QApplication::processEvents();
    QCOMPARE(rig.messages.messages.size(), shown); // no repaint, so no new flat-range message
}

// A file name in UTF-8, as Linux stores it, is shown as such in the caption (the drawn texts follow the
// same rule).
void TstPlotWindow::nonAsciiFileNameInTheCaption() {
    WindowRig rig(false);
    const QString name = QString::fromUtf8("Messung_\xC3\x84.dat");
    std::ofstream(name.toUtf8().toStdString()) << " T\r\ns\r\nx\r\ny\r\n1\r\n1 2 0 1\r\n";
    QTest::mouseClick(rig.setupControl<QRadioButton>("AutoSel"), Qt::LeftButton);
    QTest::mouseClick(rig.setupControl<QRadioButton>("TimedPlt"), Qt::LeftButton);
    rig.setupControl<QLineEdit>("FileTxt")->setText(name);
    rig.setupControl<QLabel>("PlotDelayText")->setText("1");
    QTest::mouseClick(rig.setupControl<QPushButton>("FileCmd"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(rig.window->windowTitle().endsWith("/" + name + "]"), 5000);
}

QTEST_MAIN(TstPlotWindow)
#include "tst_plotwindow.moc"

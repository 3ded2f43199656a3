#include "app/PlotArea.h"
#include "app/PlotWindow.h"
#include "app/ReadoutStrip.h"
#include "datafile/PlotReader.h"
#include "app/FileFrm.h"
#include "app/PlotLegend.h"
#include "support/Recorders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

using namespace corvex;
using namespace corvex::testing;

namespace {

// A main window started in a temporary current directory, with recorded message boxes.
struct WindowRig {
    QTemporaryDir dir;
    QString oldDir = QDir::currentPath();
    PlotState state;
    SystemFileService files;
    MessageRecorder messages;
    StepClock clock;
    std::unique_ptr<Plotit> window;

    // Starts the program; unless told otherwise, "Done" in manual selection closes the Setup window.
    explicit WindowRig(bool leftoverWorkingCopy = false, bool pressDone = true) {
        QDir::setCurrent(dir.path());
        if (leftoverWorkingCopy) std::ofstream(kWorkingCopyName) << "left over";
        window = std::make_unique<Plotit>(state, AppServices{files, messages, clock});
        window->Form_Load();
        if (pressDone) window->fileSelection()->FileCmd_Click();
    }
    ~WindowRig() { QDir::setCurrent(oldDir); }

    QAction* action(const char* name) { return window->findChild<QAction*>(name); }

    // Points of set 1 at (x[k], y[k]), their range as the plot range, without drawing them yet.
    void load(const std::vector<float>& x, const std::vector<float>& y) {
        state.NumPts = int32_t(x.size());
        for (size_t k = 0; k < x.size(); ++k) {
            state.XVal[k + 1] = x[k];
            state.YVal[k + 1] = y[k];
            state.SetNo[k + 1] = 1;
        }
        state.DataLoaded = true;
        FindLimits(state, state.XVal, state.YVal, state.NumPts);
    }
    // Four points on a diagonal from (1, 1) to (4, 4), drawn.
    void loadDiagonal() {
        load({1, 2, 3, 4}, {1, 2, 3, 4});
        window->Form_Resize();
    }
    // All X values 0: every repaint shows the flat-range message.
    void loadFlatX() { load({0, 0}, {1, 2}); }
};

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
    void zoomRefusals_data();
    void zoomRefusals();
    void nestedZoomsThenZoomOut();
    void legendOpensOnceAndFollowsFilledOption();
    void redrawDuringMessageBoxRunsAfterwards();
    void displayOptionDoesNotRepaint();
};

void TstPlotWindow::workingCopyRemovedAtStartAndClose() {
    WindowRig rig(true); // a working copy left over from an earlier run
    const QString workingCopy = rig.dir.filePath(kWorkingCopyName);
    QCOMPARE(QString::fromStdString(rig.state.TmpFileName), workingCopy);
    QVERIFY(!QFile::exists(workingCopy));
    std::ofstream(rig.state.TmpFileName) << "set aside";
    rig.window->close();
    QVERIFY(!QFile::exists(workingCopy));
}

void TstPlotWindow::startUpOpensSetupWithMainWindowDisabled() {
    WindowRig rig(false, false);
    QVERIFY(rig.window->fileSelection()->isVisible());
    QCOMPARE(rig.window->fileSelection()->windowTitle(), QString("Setup"));
    QVERIFY(!rig.window->isEnabled());
    QVERIFY(!rig.window->plotTimer()->isActive());
    rig.window->fileSelection()->FileCmd_Click();
    QVERIFY(rig.window->isEnabled());
    QVERIFY(!rig.window->fileSelection()->isVisible());
    rig.action("SetupPlt")->trigger(); // "&Setup" disables the main window again
    QVERIFY(!rig.window->isEnabled());
    QVERIFY(rig.window->fileSelection()->isVisible());
}

void TstPlotWindow::resizeBeforeDataChangesNothing() {
    WindowRig rig;
    const float width = rig.window->fields().PixWidth;
    rig.window->resize(rig.window->width() + 40, rig.window->height() + 30);
    QApplication::processEvents();
    QCOMPARE(rig.window->fields().PixWidth, width);
    QVERIFY(rig.messages.messages.empty());
}

void TstPlotWindow::symbolSizeToggleCaptions() {
    WindowRig rig;
    QAction* size = rig.action("LargePoints");
    QCOMPARE(size->text(), QString("Plot Small Points"));
    size->trigger();
    QCOMPARE(size->text(), QString("Large Symbols")); // names the size the next click selects
    QCOMPARE(rig.window->fields().SymScale, 0.5f);
    size->trigger();
    QCOMPARE(size->text(), QString("Small Symbols"));
    QCOMPARE(rig.window->fields().SymScale, 1.0f);
}

void TstPlotWindow::fontIncreaseShortcutStopsAtStepEight() {
    WindowRig rig;
    rig.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ControlModifier);
    QCOMPARE(rig.window->fields().XLgndFntStep, int16_t(8));
    QVERIFY(!rig.action("XLgndFntInc")->isEnabled());
    const float scale = rig.window->fields().XLgndFntScale;
    QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ControlModifier); // greyed out: does nothing
    QCOMPARE(rig.window->fields().XLgndFntStep, int16_t(8));
    QCOMPARE(rig.window->fields().XLgndFntScale, scale);
    QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ShiftModifier);
    QCOMPARE(rig.window->fields().XLgndFntStep, int16_t(7));
    QVERIFY(rig.action("XLgndFntInc")->isEnabled());
}

namespace {

// Drags with the mouse over the drawing area between two points given in data units.
void dragData(WindowRig& rig, QPointF from, QPointF to) {
    PlotArea* area = rig.window->plotArea();
    const PlotWindowFields& f = rig.window->fields();
    auto pixel = [&](QPointF d) {
        return area->toPixels((d.x() - f.XAxisMin) * f.XScale, (d.y() - f.YAxisMin) * f.YScale).toPoint();
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
        rig.loadDiagonal();
        // Around (2, 2) and (3, 3): lower right to upper left, then upper left to lower right.
        const QPointF lowerRight(3.4, 1.6), upperLeft(1.6, 3.4);
        dragData(rig, reverse ? upperLeft : lowerRight, reverse ? lowerRight : upperLeft);
        QVERIFY(rig.messages.messages.empty());
        QVERIFY(rig.action("Zoomout")->isEnabled());
        const float got[4] = {rig.state.PlotXMin, rig.state.PlotXMax, rig.state.PlotYMin, rig.state.PlotYMax};
        std::copy(got, got + 4, ranges[reverse]);
    }
    for (int k = 0; k < 4; ++k)
        QCOMPARE(ranges[0][k], ranges[1][k]);
    QVERIFY(ranges[0][0] > 1.0f && ranges[0][1] < 4.0f); // the box, not the full range
}

void TstPlotWindow::zoomRefusals_data() {
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QString>("message");
    // The X axis of the data 1..4 runs from 1 to 5 (step 1, 25 plot units each), so x = 0.2..0.6 lies
    // at plot x = -20..-10, in the left margin.
    QTest::newRow("box in the left margin")
        << QPointF(0.2, 1.5) << QPointF(0.6, 3.5) << "There Were No Data Within the Zoom-In Box!";
    QTest::newRow("box around one point")
        << QPointF(1.8, 1.8) << QPointF(2.2, 2.2) << "You CANNOT Zoom Around a Single Point!";
}

void TstPlotWindow::zoomRefusals() {
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QString, message);
    WindowRig rig;
    rig.loadDiagonal();
    dragData(rig, from, to);
    QCOMPARE(rig.messages.messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(rig.messages.messages[0].text), message);
    QCOMPARE(rig.messages.messages[0].title, std::string("Error in Zooming"));
    QCOMPARE(rig.state.PlotXMin, 1.0f); // the range is left as it was
    QCOMPARE(rig.state.PlotXMax, 4.0f);
    QVERIFY(!rig.action("Zoomout")->isEnabled());
}

void TstPlotWindow::nestedZoomsThenZoomOut() {
    WindowRig rig;
    rig.loadDiagonal();
    rig.action("ShowEm")->trigger();
    dragData(rig, {1.5, 1.5}, {3.5, 3.5});
    dragData(rig, {1.9, 1.9}, {3.1, 3.1});
    const float width = rig.state.PlotXMax - rig.state.PlotXMin;
    dragData(rig, {1.95, 1.95}, {3.05, 3.05});
    QVERIFY(rig.state.PlotXMax - rig.state.PlotXMin < width); // each zoom narrows the view
    QVERIFY(rig.messages.messages.empty());
    QVERIFY(rig.window->readout()->XYLabel->text().startsWith(" X= "));
    rig.action("Zoomout")->trigger();
    QCOMPARE(rig.state.PlotXMin, 1.0f);
    QCOMPARE(rig.state.PlotXMax, 4.0f);
    QCOMPARE(rig.state.PlotYMax, 4.0f);
    QVERIFY(!rig.action("Zoomout")->isEnabled());
}

void TstPlotWindow::legendOpensOnceAndFollowsFilledOption() {
    WindowRig rig;
    rig.action("ShowIt")->trigger();
    QVERIFY(rig.state.LegendLoaded);
    QVERIFY(!rig.action("ShowIt")->isEnabled()); // greyed exactly while the legend is open
    const QImage open = rig.window->legend()->image();
    rig.action("UseFilled")->trigger(); // the legend follows the filled option at once
    QVERIFY(rig.window->legend()->image() != open);
    rig.action("UseFilled")->trigger();
    QCOMPARE(rig.window->legend()->image(), open);
    rig.window->legend()->close();
    QTRY_VERIFY(!rig.window->legend());
    QVERIFY(!rig.state.LegendLoaded);
    QVERIFY(rig.action("ShowIt")->isEnabled());
    rig.action("ShowIt")->trigger(); // a new legend, identical to the first
    QCOMPARE(rig.window->legend()->image(), open);
}

void TstPlotWindow::redrawDuringMessageBoxRunsAfterwards() {
    WindowRig rig;
    rig.loadFlatX();
    int nested = 0;
    // A resize arrives while the repaint's message box waits: it must not paint inside the repaint.
    rig.messages.onShow = [&] {
        if (nested++ == 0) rig.window->Form_Resize();
    };
    rig.window->Form_Resize();
    QCOMPARE(rig.messages.messages.size(), size_t(2)); // the outer repaint, then the deferred one
    QCOMPARE(rig.messages.messages[1].text, std::string("DATA ERROR:  All X values are identical."));
    QCOMPARE(rig.window->fields().XAxisMin, -3.0f);
}

void TstPlotWindow::displayOptionDoesNotRepaint() {
    WindowRig rig;
    rig.loadFlatX();
    rig.window->Form_Resize();
    const size_t shown = rig.messages.messages.size();
    rig.action("ShowEm")->trigger();
    QApplication::processEvents();
    rig.action("ShowEm")->trigger();
    QApplication::processEvents();
    QCOMPARE(rig.messages.messages.size(), shown); // no repaint, so no new flat-range message
}

QTEST_MAIN(TstPlotWindow)
#include "tst_plotwindow.moc"

#include "app/PlotArea.h"
#include "app/PlotWindow.h"
#include "app/ReadoutStrip.h"
#include "filesel/FileFrm.h"
#include "legend/PlotLegend.h"
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

    // Four points of set 1 on a diagonal from (1, 1) to (4, 4).
    void loadDiagonal() {
        state.NumPts = 4;
        for (int i = 1; i <= 4; ++i) {
            state.XVal[i] = float(i);
            state.YVal[i] = float(i);
            state.SetNo[i] = 1;
        }
        state.DataLoaded = true;
        state.PlotXMin = state.PlotYMin = 1;
        state.PlotXMax = state.PlotYMax = 4;
        window->Form_Resize();
    }
};

} // namespace

class TstPlotWindow : public QObject {
    Q_OBJECT
  private slots:
    void startUpDeletesLeftoverWorkingCopy();
    void closeDeletesWorkingCopy();
    void startUpStateAndCaption();
    void startUpOpensSetupWithMainWindowDisabled();
    void resizeBeforeDataChangesNothing();
    void symbolSizeToggleCaptions();
    void fontIncreaseShortcutStopsAtStepEight();
    void readoutStripFollowsDisplayOption();
    void optionsBeforeDataDrawNothing();
    void dragDirectionDoesNotMatter();
    void zoomRefusals_data();
    void zoomRefusals();
    void nestedZoomsThenZoomOut();
    void legendOpensOnceAndFollowsFilledOption();
    void redrawDuringMessageBoxRunsAfterwards();
    void displayOptionDoesNotRepaint();
};

void TstPlotWindow::startUpDeletesLeftoverWorkingCopy() {
    WindowRig rig(true);
    QCOMPARE(QString::fromStdString(rig.state.TmpFileName), rig.dir.filePath(kWorkingCopyName));
    QVERIFY(!QFile::exists(rig.dir.filePath(kWorkingCopyName)));
}

void TstPlotWindow::closeDeletesWorkingCopy() {
    WindowRig rig;
    std::ofstream(rig.state.TmpFileName) << "set aside";
    rig.window->close();
    QVERIFY(!QFile::exists(rig.dir.filePath(kWorkingCopyName)));
}

void TstPlotWindow::startUpStateAndCaption() {
    WindowRig rig;
    QCOMPARE(rig.window->windowTitle(), QString("Corvex V1.1c"));
    QCOMPARE(rig.state.PlotColor[2], Rgb(255)); // colour table filled: set 2 is red
    QCOMPARE(rig.window->fields().XLgndFntStep, int16_t(4));
    QCOMPARE(rig.window->fields().YLgndFntScale, 0.0026f);
    QCOMPARE(rig.window->fields().PixWidth, float(rig.window->plotArea()->width()));
    QVERIFY(!rig.action("Zoomout")->isEnabled());
    QVERIFY(!rig.action("NextPlt")->isVisible());
    QVERIFY(!rig.action("SavePlotNow")->isVisible());
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

void TstPlotWindow::readoutStripFollowsDisplayOption() {
    WindowRig rig;
    QVERIFY(!rig.window->readout()->isVisible());
    rig.action("ShowEm")->trigger();
    QVERIFY(rig.window->readout()->isVisible());
    QVERIFY(rig.window->fields().ShowCoords);
    rig.action("ShowEm")->trigger();
    QVERIFY(!rig.window->readout()->isVisible());
}

void TstPlotWindow::optionsBeforeDataDrawNothing() {
    WindowRig rig;
    rig.action("Nolines")->trigger();
    rig.action("UseFilled")->trigger();
    QVERIFY(rig.window->fields().OmitLines);
    QVERIFY(rig.state.FilledSyms);
    QVERIFY(rig.messages.messages.empty()); // no "Load Data" message: nothing was drawn
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

namespace {
// All X values 0: every repaint shows the flat-range message.
void loadFlatX(WindowRig& rig) {
    rig.state.NumPts = 2;
    rig.state.XVal[1] = rig.state.XVal[2] = 0;
    rig.state.YVal[1] = 1;
    rig.state.YVal[2] = 2;
    rig.state.SetNo[1] = rig.state.SetNo[2] = 1;
    rig.state.DataLoaded = true;
    rig.state.PlotXMin = rig.state.PlotXMax = 0;
    rig.state.PlotYMin = 1;
    rig.state.PlotYMax = 2;
}
} // namespace

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
    QCOMPARE(rig.window->fields().XAxisMin, -3.0f);
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

QTEST_MAIN(TstPlotWindow)
#include "tst_plotwindow.moc"

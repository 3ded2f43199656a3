#include "app/PlotArea.h"
#include "app/PlotWindow.h"
#include "app/ReadoutStrip.h"
#include "filesel/FileFrm.h"
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
    void zoomByDraggingAndZoomOut();
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

void TstPlotWindow::zoomByDraggingAndZoomOut() {
    WindowRig rig;
    rig.loadDiagonal();
    rig.action("ShowEm")->trigger();
    PlotArea* area = rig.window->plotArea();
    // Drag from lower right to upper left around the points (2, 2) and (3, 3).
    const QPoint from =
        area->toPixels((2.6 - rig.window->fields().XAxisMin) * rig.window->fields().XScale + 20,
                       (1.6 - rig.window->fields().YAxisMin) * rig.window->fields().YScale)
            .toPoint();
    const QPoint to = area->toPixels((1.6 - rig.window->fields().XAxisMin) * rig.window->fields().XScale,
                                     (3.4 - rig.window->fields().YAxisMin) * rig.window->fields().YScale)
                          .toPoint();
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    QVERIFY(rig.messages.messages.empty());
    QVERIFY(rig.action("Zoomout")->isEnabled());
    QVERIFY(rig.state.PlotXMax < 4.0f && rig.state.PlotYMin > 1.0f);
    QVERIFY(rig.window->readout()->XYLabel->text().startsWith(" X= "));
    rig.action("Zoomout")->trigger();
    QCOMPARE(rig.state.PlotXMax, 4.0f);
    QCOMPARE(rig.state.PlotYMin, 1.0f);
    QVERIFY(!rig.action("Zoomout")->isEnabled());
}

QTEST_MAIN(TstPlotWindow)
#include "tst_plotwindow.moc"

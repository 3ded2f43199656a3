#include "support/WindowRig.h"

#include <QTest>

using namespace corvex;
using namespace corvex::testing;

namespace {

const QString kSample = QStringLiteral(CORVEX_TEST_DATA_DIR "/sample.dat");

// Setup shown, with a folder "lab" to watch.
struct StartRig : WindowRig {
    StartRig() : WindowRig(false, SettleClock::Stepped, [] { QDir().mkdir("lab"); }) {}
    QString lab(const QString& name) const { return dir.filePath("lab/" + name); }
    int start(const StartRequest& request) { return window->applyStartRequest(request, startMessages); }
    // Timed plotting offers "&Hold"; click to plot and manual selection do not.
    bool timed() const { return action("HoldPlot")->isVisible(); }
};

} // namespace

class TstCommandLineStart : public QObject {
    Q_OBJECT
  private slots:
    // The file in the watched folder is plotted at the first tick (timed) or at once (click to plot) and
    // filed away under the first numbered name, as after "Done" in Setup.
    void watchPlotsAndFilesAway() {
        for (const bool click : {false, true}) {
            StartRig rig;
            QVERIFY(QFile::copy(kSample, rig.lab("plot.dat")));
            // Mode, file, directory, pattern, delay, click, -platform given, -display.
            const StartRequest watch{StartRequest::Mode::Watch, "", "lab", "plot.dat", 1, click, false, ""};
            QCOMPARE(rig.start(watch), 0);
            QVERIFY(!rig.setup()->isVisible() && rig.window->isEnabled() && rig.timed() == !click &&
                    rig.setup()->choice().delayMs == 1000);
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(rig.lab("plot_000.dat")), 5000);
            QVERIFY(!QFile::exists(rig.lab("plot.dat")) && rig.model.data.DataLoaded &&
                    rig.model.data.NumPts == 102);
            QVERIFY(rig.err.str().empty() && rig.messages.messages.empty());
        }
    }

    // FILE: plotted in manual selection without the Setup window, and left where it is.
    void filePlottedInManualSelection() {
        StartRig rig;
        QVERIFY(QFile::copy(kSample, rig.lab("run.dat")));
        const StartRequest file{StartRequest::Mode::File, "lab/run.dat", "", "plot.dat", 4, false, false, ""};
        QCOMPARE(rig.start(file), 0);
        QVERIFY(!rig.setup()->isVisible() && !rig.timed() && rig.action("Mnu2File")->isEnabled()); // manual
        QVERIFY(rig.model.data.DataLoaded && rig.model.data.NumPts == 102 && !rig.plotTimer()->isActive());
        QVERIFY(rig.window->windowTitle().endsWith("lab/run.dat]") && QFile::exists(rig.lab("run.dat")));
    }

    // No arguments: the Setup window stays, waiting for the user.
    void nothingGivenLeavesSetupOpen() {
        StartRig rig;
        QCOMPARE(rig.start(StartRequest{}), 0);
        QVERIFY(rig.setup()->isVisible() && !rig.window->isEnabled());
    }
};

QTEST_MAIN(TstCommandLineStart)
#include "tst_commandlinestart.moc"

#include "support/WindowRig.h"

#include <QTest>

using namespace corvex;
using namespace corvex::testing;

class TstCommandLineStart : public QObject {
    Q_OBJECT
  private slots:
    // Each start in a folder holding lab/plot.dat. Nothing given: Setup stays, waiting for the user. --watch
    // (timed, or click to plot without "&Hold"): plotted at the first tick or at once and filed away under
    // the first numbered name, as after "Done" in Setup. FILE: plotted in manual selection without Setup,
    // and left where it is.
    void startsAsRequested() {
        using M = StartRequest::Mode;
        // Mode, file, directory, pattern, delay, click, -platform given, -display.
        const StartRequest requests[] = {
            {},
            {M::Watch, "", "lab", "plot.dat", 1, false, false, ""},
            {M::Watch, "", "lab", "plot.dat", 60, true, false, ""}, // the longest delay Setup offers
            {M::File, "lab/plot.dat", "", "plot.dat", 4, false, false, ""},
        };
        for (const StartRequest& request : requests) {
            WindowRig rig(false, SettleClock::Stepped, [] { QDir().mkdir("lab"); });
            const QString lab = rig.dir.filePath("lab/");
            QVERIFY(QFile::copy(CORVEX_TEST_DATA_DIR "/sample.dat", lab + "plot.dat"));
            QCOMPARE(rig.window->applyStartRequest(request, rig.startMessages), 0);
            QVERIFY(rig.setup()->isVisible() == (request.mode == M::Setup) &&
                    rig.window->isEnabled() == (request.mode != M::Setup));
            QVERIFY(rig.err.str().empty() && rig.messages.messages.empty());
            const bool timed = rig.action("HoldPlot")->isVisible();
            if (request.mode == M::Watch) {
                QVERIFY(timed == !request.clickToPlot &&
                        rig.setup()->choice().delayMs == request.delaySeconds * 1000);
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lab + "plot_000.dat"), 5000);
                QVERIFY(!QFile::exists(lab + "plot.dat") && rig.messages.messages.empty());
            } else if (request.mode == M::File) {
                QVERIFY(!timed && rig.action("Mnu2File")->isEnabled() && !rig.plotTimer()->isActive());
                QVERIFY(rig.window->windowTitle().endsWith("lab/plot.dat]") &&
                        QFile::exists(lab + "plot.dat"));
            }
            QCOMPARE(rig.model.data.DataLoaded && rig.model.data.NumPts == 102, request.mode != M::Setup);
            rig.startMessages.show("later", "", MessageIcon::None); // after the start: a box again
            QCOMPARE(rig.messages.messages.size(), size_t(1));
        }
        WindowRig rig(false, SettleClock::Stepped, [] { QDir().mkdir("lab"); }); // a FILE that is a folder
        QCOMPARE(rig.window->applyStartRequest({M::File, "lab", "", "plot.dat", 4, false, false, ""},
                                               rig.startMessages),
                 2);
        QCOMPARE(rig.err.str(), "corvex: cannot open lab: not a readable file\n");
    }
};

QTEST_MAIN(TstCommandLineStart)
#include "tst_commandlinestart.moc"

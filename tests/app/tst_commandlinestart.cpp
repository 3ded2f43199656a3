#include "app/CommandLineStart.h"
#include "support/WindowRig.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sstream>

using namespace corvex;
using namespace corvex::testing;

namespace {

const QString kSample = QStringLiteral(CORVEX_TEST_DATA_DIR "/sample.dat");

// The program's main window just started (Form_Load, Setup shown) in a temporary directory, with a
// folder "lab" to watch; message boxes are recorded, command-line messages collected.
struct StartRig {
    QTemporaryDir dir;
    QString oldDir = QDir::currentPath();
    PlotModel model;
    SystemFileService files;
    MessageRecorder boxes;
    std::ostringstream err;
    StartMessages messages{boxes, err};
    StepClock clock;
    std::unique_ptr<Plotit> window;

    StartRig() {
        QDir::setCurrent(dir.path());
        QDir().mkdir("lab");
        window = std::make_unique<Plotit>(model, AppServices{files, messages, clock});
        window->Form_Load();
    }
    ~StartRig() { QDir::setCurrent(oldDir); }
    QString lab(const QString& name) const { return dir.filePath("lab/" + name); }
    int start(StartRequest request) { return window->applyStartRequest(request, messages); }
    FileFrm* setup() const { return topLevel<FileFrm>("FileFrm"); }
    QTimer* plotTimer() const { return window->findChild<QTimer*>("PlotTimer"); }
    // Timed plotting offers "&Hold"; click to plot and manual selection do not.
    bool timed() const { return window->findChild<QAction*>("HoldPlot")->isVisible(); }
};

StartRequest watch(const std::string& directory, const std::string& pattern, bool click) {
    StartRequest r;
    r.mode = StartRequest::Mode::Watch;
    r.directory = directory;
    r.pattern = pattern;
    r.delaySeconds = 1;
    r.clickToPlot = click;
    return r;
}

} // namespace

class TstCommandLineStart : public QObject {
    Q_OBJECT
  private slots:
    // The file in the watched folder is plotted at the first tick (timed) or at once (click to plot) and
    // filed away under the first numbered name, as after "Done" in Setup.
    void watchPlotsAndFilesAway_data() {
        QTest::addColumn<bool>("click");
        QTest::newRow("timed plotting") << false;
        QTest::newRow("click to plot") << true;
    }
    void watchPlotsAndFilesAway() {
        QFETCH(bool, click);
        StartRig rig;
        QVERIFY(QFile::copy(kSample, rig.lab("plot.dat")));
        QCOMPARE(rig.start(watch("lab", "plot.dat", click)), 0);
        QVERIFY(!rig.setup()->isVisible());
        QVERIFY(rig.window->isEnabled());
        QCOMPARE(rig.timed(), !click);
        QCOMPARE(rig.setup()->choice().delayMs, 1000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(rig.lab("plot_000.dat")), 5000);
        QVERIFY(!QFile::exists(rig.lab("plot.dat")));
        QVERIFY(rig.model.data.DataLoaded);
        QCOMPARE(rig.model.data.NumPts, 102);
        QCOMPARE(rig.err.str(), "");
        QCOMPARE(rig.boxes.messages.size(), size_t(0));
    }

    // FILE: plotted in manual selection without the Setup window, and left where it is.
    void filePlottedInManualSelection() {
        StartRig rig;
        const QString file = rig.lab("run.dat");
        QVERIFY(QFile::copy(kSample, file));
        StartRequest request;
        request.mode = StartRequest::Mode::File;
        request.file = "lab/run.dat";
        QCOMPARE(rig.start(request), 0);
        QVERIFY(!rig.setup()->isVisible());
        QVERIFY(!rig.timed() && rig.window->findChild<QAction*>("Mnu2File")->isEnabled()); // manual selection
        QVERIFY(rig.model.data.DataLoaded);
        QCOMPARE(rig.model.data.NumPts, 102);
        QVERIFY(rig.window->windowTitle().endsWith("lab/run.dat]"));
        QVERIFY(QFile::exists(file));
        QVERIFY(!rig.plotTimer()->isActive());
    }

    // No arguments: the Setup window stays, waiting for the user.
    void nothingGivenLeavesSetupOpen() {
        StartRig rig;
        QCOMPARE(rig.start(StartRequest{}), 0);
        QVERIFY(rig.setup()->isVisible());
        QVERIFY(!rig.window->isEnabled());
    }
};

QTEST_MAIN(TstCommandLineStart)
#include "tst_commandlinestart.moc"

// Faults met through the real main window in automatic plotting, with real files, waits, menus and window
// manager close requests; each scenario runs in a process of its own (a close ends the event loops for good).

#include "datafile/FakeSequencerHost.h"
#include "support/WindowManagerClose.h"
#include "support/WindowRig.h"

#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

using namespace corvex;
using namespace corvex::test;
using namespace corvex::testing;

namespace {

// Points enough for a read that yields to the windows ten times and takes a noticeable while.
constexpr int kLargeFile = 300000;

// The real settling wait; as the main window's event filter it notes when the window sees a close.
struct WatchRig : QObject, WindowRig {
    QElapsedTimer clockTime;
    qint64 closeSentAt = -1, closeSeenAt = -1;

    WatchRig() : WindowRig(false, SettleClock::Real) { clockTime.start(); }

    bool plotting() const { return progressWindow()->isVisible(); }
    // Runs `act` once, at the first move of the progress bar while a file is being read.
    void duringRead(std::function<void()> act) {
        auto* bar = progressWindow()->findChild<QProgressBar*>("ProgressBar1");
        QObject::connect(bar, &QProgressBar::valueChanged, bar,
                         [act = std::move(act), done = false](int v) mutable {
                             if (v >= 10 && !std::exchange(done, true)) act();
                         });
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Close && closeSeenAt < 0) closeSeenAt = clockTime.elapsed();
        return false;
    }
    // The frame's close button, through the X server.
    void requestClose() {
        window->installEventFilter(this);
        closeSentAt = clockTime.elapsed();
        QVERIFY(sendWindowManagerClose(window->winId()));
    }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

// Root reads every file; the unreadable-file case needs an ordinary user.
bool becomeOrdinaryUser() {
    if (geteuid() != 0) return true;
    constexpr uid_t kNobody = 65534;
    if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
        setresuid(kNobody, kNobody, kNobody) != 0)
        return false;
    prctl(PR_SET_DUMPABLE, 1); // the leak checker of the sanitizer build attaches to the process
    return true;
}

} // namespace

class TstWindowFaults : public QObject {
    Q_OBJECT
  private slots:
    // "&Setup", "Click to Plot", "Done" while the first file is read (it used to start a second read and
    // crash): the running plot is filed away first, then the new choice finds no file left to plot.
    void doneDuringReadFilesThatFileAwayFirst() {
        WatchRig rig;
        const std::string original = plotFileText("first", kLargeFile);
        writeFile("plot.dat", original);
        bool doneWhileReading = false;
        rig.duringRead([&] {
            rig.action("SetupPlt")->trigger();
            QTest::mouseClick(rig.setupControl<QRadioButton>("Click2Plt"), Qt::LeftButton);
            rig.pressDone();
            doneWhileReading = rig.plotting();
        });
        rig.watch("plot.dat");
        QTRY_VERIFY_WITH_TIMEOUT(rig.files.exists("plot_000.dat"), 15000);
        QVERIFY(doneWhileReading);
        QCOMPARE(readFile("plot_000.dat"), original); // filed away whole, in the folder it came from
        QTRY_COMPARE_WITH_TIMEOUT(rig.messages.messages.size(), size_t(1), 5000);
        QCOMPARE(rig.messages.messages[0].text, "There Are Currently No Files\n\rMatching The File Pattern!");
        // Click to plot (no "&Hold"), watching for the next file.
        QVERIFY(rig.window->isEnabled() && !rig.action("HoldPlot")->isVisible() &&
                rig.plotTimer()->isActive());
        QCOMPARE(rig.entries(), QStringList({"plot_000.dat"}));
    }

    // A close while a file marked for deletion is read: the file stays byte for byte (it used to be deleted).
    void closeDuringReadOfMarkedFileLeavesItInPlace() {
        if (QGuiApplication::platformName() != "xcb") QSKIP("the window manager's close request needs X");
        WatchRig rig;
        const std::string original = plotFileText("marked", kLargeFile, {81});
        writeFile("plot.dat", original);
        rig.duringRead([&] {
            rig.requestClose();
            QThread::msleep(100); // the request is queued by the time the reader yields again
        });
        rig.watch("plot.dat");
        QTRY_VERIFY_WITH_TIMEOUT(rig.closeSeenAt >= 0, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.plotting(), 1000);
        QTest::qWait(1500); // a tick or a late step would have filed the file away by now
        QCOMPARE(rig.entries(), QStringList({"plot.dat"}));
        QCOMPARE(readFile("plot.dat"), original);
    }

    // A writer appends for eight seconds: a close ends the settling wait within a second, not after it.
    void closeWhileFileKeepsGrowingEndsAtOnce() {
        if (QGuiApplication::platformName() != "xcb") QSKIP("the window manager's close request needs X");
        WatchRig rig;
        writeFile("plot.dat", plotFileText("growing", 10));
        QProcess writer;
        writer.start("sh", {"-c", "for i in $(seq 80); do echo '1 1 0 1' >> plot.dat; sleep 0.1; done"});
        QVERIFY(writer.waitForStarted());
        QTimer::singleShot(2500, rig.window.get(), [&] { rig.requestClose(); }); // well into the wait
        rig.watch("plot.dat");
        // This wait runs beneath the settling wait: it goes on only once that has ended.
        QTRY_VERIFY_WITH_TIMEOUT(rig.closeSentAt >= 0, 15000);
        const qint64 ended = rig.clockTime.elapsed();
        QVERIFY2(rig.closeSeenAt >= 0 && ended - rig.closeSentAt < 1000,
                 qPrintable(QString("ended %1 ms after the request").arg(ended - rig.closeSentAt)));
        QVERIFY(writer.state() == QProcess::Running);
        writer.kill();
        writer.waitForFinished();
        QTest::qWait(1500);
        QCOMPARE(rig.entries(), QStringList({"plot.dat"}));
    }

    // An unopenable file: one message naming it and why (not repeated), the file left, the next one plotted.
    void unreadableFileIsToldOnceAndPassedOver() {
        QVERIFY(becomeOrdinaryUser());
        WatchRig rig;
        writeFile("plot.dat", plotFileText("locked", 5));
        QVERIFY(QFile::setPermissions("plot.dat", {}));
        writeFile("plot.txt", plotFileText("open", 5));
        rig.watch("plot.*");
        QTRY_VERIFY_WITH_TIMEOUT(rig.files.exists("plot_000.txt"), 15000);
        QTest::qWait(3000); // three more ticks
        QCOMPARE(rig.messages.messages.size(), size_t(1));
        const QString text = QString::fromStdString(rig.messages.messages[0].text);
        QVERIFY2(text.contains("plot.dat") && text.contains("Permission denied"), qPrintable(text));
        QCOMPARE(rig.entries(), QStringList({"plot.dat", "plot_000.txt"}));
        QVERIFY(rig.plotTimer()->isActive()); // still watching
    }
};

QTEST_MAIN(TstWindowFaults)
#include "tst_windowfaults.moc"

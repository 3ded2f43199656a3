// corvex-render --watch as a service runs it, stopped by SIGTERM; every file ends up once, byte for byte,
// under its number or set aside. As root it runs as an ordinary user.

#include "datafile/FakeSequencerHost.h"

#include <QImage>
#include <QtTest>
#include <csignal>
#include <unistd.h>

using namespace corvex::test;

namespace {

// As root, the service runs as an ordinary user when that user can reach the tool (every folder above it
// open to others; a private build folder is not).
bool runsAsUser() {
    if (geteuid() != 0) return false;
    for (QFileInfo dir(QFileInfo(CORVEX_RENDER_TOOL).absolutePath());; dir = QFileInfo(dir.path())) {
        if (!(dir.permissions() & QFileDevice::ExeOther)) return false;
        if (dir.isRoot()) return true;
    }
}

// A watched folder IN, an output folder OUT and the service's own folder, open to the service's user.
struct Service {
    QTemporaryDir dir;
    QString in = dir.filePath("in"), out = dir.filePath("out");
    QProcess process;

    Service() {
        for (const QString& d : {in, out, dir.filePath("run"), dir.path()}) {
            QDir().mkpath(d);
            QFile::setPermissions(d, QFileDevice::Permissions(0x7777));
        }
    }
    ~Service() { // both do nothing once it has ended
        process.kill();
        process.waitForFinished();
    }
    void start(const QStringList& extra = {}) {
        const QStringList args = QStringList{"--watch", in, "--delay", "1", "--outdir", out} + extra;
        const QStringList asUser{"--reuid=65534", "--regid=65534", "--clear-groups", CORVEX_RENDER_TOOL};
        process.setWorkingDirectory(dir.filePath("run"));
        process.start(runsAsUser() ? "setpriv" : CORVEX_RENDER_TOOL, runsAsUser() ? asUser + args : args);
        QVERIFY(process.waitForStarted());
    }
    void stop(int ms) {
        // Never kill(0): a service that has already ended has no process id, and 0 is the test's own group.
        QVERIFY2(process.processId() > 0, "the service ended before it was told to stop");
        ::kill(pid_t(process.processId()), SIGTERM);
        QVERIFY(process.waitForFinished(ms));
        QCOMPARE(process.exitCode(), 0);
    }
    std::string at(const char* name) const { return (in + "/" + name).toStdString(); }
    QJsonObject next(int ms = 15000) { // the next JSON line on stdout; empty when none comes in time
        const bool arrived = QTest::qWaitFor([&] { return process.canReadLine(); }, ms);
        return arrived ? QJsonDocument::fromJson(process.readLine()).object() : QJsonObject();
    }
    QStringList images() const { return QDir(out).entryList({"*.png"}, QDir::Files); }
};

} // namespace

class TstWatchService : public QObject {
    Q_OBJECT
  private slots:
    // A file written in pieces is read once it settles, then one marked for deletion, then one
    // without data: each is drawn once under its name, filed away byte for byte, told in one JSON line.
    void eachFileOnceUnderItsNumber() {
        Service s;
        s.start();
        const std::string slow = plotFileText("slow", 300);
        writeFile(s.at("plot.dat"), slow.substr(0, 100));
        for (size_t at = 100; at < slow.size(); at += 1000) {
            QTest::qWait(300);
            writeFile(s.at("plot.dat"), slow.substr(at, 1000), true);
        }
        QJsonObject line = s.next();
        QCOMPARE(std::tuple(line["archived"].toString(), line["image"].toString(), line["points"].toInt(),
                            line["title"].toString()),
                 std::tuple(QString("plot_000.dat"), s.out + "/plot_000.png", 300, QString("slow")));
        QCOMPARE(readFile(s.at("plot_000.dat")), slow); // read only once the writer had finished
        QVERIFY2(QImage(s.out + "/latest.png").width() == 1280, "latest.png decodes");

        const std::string marked = plotFileText("marked", 5, {81});
        writeFile(s.at("plot.dat"), marked);
        line = s.next();
        QVERIFY(line["set_aside"].toBool() && line["archived"].isNull());
        QVERIFY(line["image"].toString().contains("/plot_set-aside_"));
        QCOMPARE(readFile(s.dir.filePath("run/~corvex~.tmp").toStdString()), marked); // not in the folder

        writeFile(s.at("plot.dat"), plotFileText("empty", 0));
        line = s.next();
        QCOMPARE(line["archived"].toString(), QString("plot_001.dat")); // filed away, not drawn
        QVERIFY(line["image"].isNull());
        QCOMPARE(line["messages"].toArray().first().toString().left(35),
                 QString("The Current File Contained No Data!"));
        QCOMPARE(s.images().size(), 3); // plot_000, the set-aside one and latest
        s.stop(5000);
    }

    // SIGTERM while a file keeps growing: the service ends within a second; the file stays, untouched.
    void sigtermDuringSettlingLeavesTheFile() {
        Service s;
        s.start();
        std::string written = plotFileText("growing", 20);
        writeFile(s.at("plot.dat"), written);
        for (int k = 0; k < 8; ++k, written += "1 1 0 1\r\n") { // about 2.4 s: the service waits for it
            QTest::qWait(300);
            writeFile(s.at("plot.dat"), "1 1 0 1\r\n", true);
        }
        s.stop(1000);
        QCOMPARE(readFile(s.at("plot.dat")), written);
        QCOMPARE(QDir(s.in).entryList(QDir::Files), QStringList{"plot.dat"});
        QVERIFY(s.images().isEmpty());
    }

    // Done's own check: numbered names cannot be made from a stem with a wildcard.
    void wildcardPatternExitsTwo() {
        Service s;
        s.start({"--pattern", "*.dat"});
        QVERIFY(s.process.waitForFinished(10000) && s.process.exitCode() == 2);
        QVERIFY(s.process.readAllStandardError().startsWith(
            "Corvex: The pattern *.dat holds * or ? before its \".\".\n"));
    }
};

QTEST_GUILESS_MAIN(TstWatchService)
#include "tst_watch_service.moc"

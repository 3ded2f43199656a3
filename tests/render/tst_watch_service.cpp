// corvex-render --watch as a service runs it: the real process on a temporary folder that files are
// written into (slowly, marked for deletion, without data, unreadable), stopped by SIGTERM. Every file
// ends up once, byte for byte, under its number or set aside, and latest.png always decodes. As root the
// service runs as an ordinary user, so that a file of mode 0600 cannot be read.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

QByteArray plotText(const QByteArray& title, int points, bool marked = false) {
    QByteArray line1 = " " + title;
    if (marked) line1 = line1.leftJustified(80, ' ') + "!";
    QByteArray text = line1 + "\r\nsub\r\nX\r\nY\r\n" + QByteArray::number(points) + "\r\n";
    for (int i = 1; i <= points; ++i)
        text += QByteArray::number(i) + ", " + QByteArray::number(i * i) + ", 0, 1\r\n";
    return text;
}

void write(const QString& path, const QByteArray& bytes, bool append = false) {
    QFile f(path);
    QVERIFY(f.open(append ? QIODevice::Append : QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A watched folder IN, an output folder OUT and the service's own folder, open to the service's user.
struct Service {
    QTemporaryDir dir;
    QString in = dir.filePath("in"), out = dir.filePath("out");
    QProcess process;
    QList<QJsonObject> lines;

    Service() {
        for (const QString& d : {in, out, dir.filePath("run")}) {
            QDir().mkpath(d);
            QFile::setPermissions(d, QFileDevice::Permissions(0x7777));
        }
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    }
    ~Service() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    void start(const QStringList& extra = {}) {
        QStringList args{"--watch", in, "--delay", "1", "--outdir", out};
        args += extra;
        process.setWorkingDirectory(dir.filePath("run"));
        if (geteuid() == 0)
            process.start(
                "setpriv",
                QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", CORVEX_RENDER_TOOL} + args);
        else
            process.start(CORVEX_RENDER_TOOL, args);
        QVERIFY(process.waitForStarted());
    }
    // Waits for the next JSON line on stdout.
    QJsonObject next(int ms = 15000) {
        const int before = int(lines.size());
        const bool arrived = QTest::qWaitFor(
            [&] {
                while (process.canReadLine())
                    lines << QJsonDocument::fromJson(process.readLine()).object();
                return lines.size() > before;
            },
            ms);
        return arrived ? lines[before] : QJsonObject();
    }
    QStringList outputs() const { return QDir(out).entryList(QDir::Files, QDir::Name); }
    void latestDecodes() const {
        QImage latest(out + "/latest.png");
        QVERIFY2(!latest.isNull() && latest.width() == 1280, "latest.png decodes");
    }
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
        const QByteArray slow = plotText("slow", 300);
        write(s.in + "/plot.dat", slow.left(100));
        for (qsizetype at = 100; at < slow.size(); at += 1000) {
            QTest::qWait(300);
            write(s.in + "/plot.dat", slow.mid(at, 1000), true);
        }
        QJsonObject line = s.next();
        QCOMPARE(line["archived"].toString(), QString("plot_000.dat"));
        QCOMPARE(line["image"].toString(), s.out + "/plot_000.png");
        QCOMPARE(line["points"].toInt(), 300);
        QCOMPARE(line["title"].toString(), QString("slow"));
        QCOMPARE(read(s.in + "/plot_000.dat"), slow); // read only once the writer had finished
        s.latestDecodes();

        const QByteArray marked = plotText("marked", 5, true);
        write(s.in + "/plot.dat", marked);
        line = s.next();
        QVERIFY(line["set_aside"].toBool() && line["archived"].isNull());
        QVERIFY(line["image"].toString().contains("/plot_set-aside_"));
        QCOMPARE(read(s.dir.filePath("run/~corvex~.tmp")), marked); // the working copy, not the folder
        QVERIFY(!QFile::exists(s.in + "/plot.dat"));
        s.latestDecodes();

        write(s.in + "/plot.dat", " empty\r\ns\r\nx\r\ny\r\n0\r\n");
        line = s.next();
        QCOMPARE(line["archived"].toString(), QString("plot_001.dat")); // filed away, not drawn
        QVERIFY(line["image"].isNull());
        QCOMPARE(line["messages"].toArray().first().toString().left(35),
                 QString("The Current File Contained No Data!"));
        QCOMPARE(s.outputs().filter(".png").size(), 3); // plot_000, the set-aside one and latest
        ::kill(s.process.processId(), SIGTERM);
        QVERIFY(s.process.waitForFinished(5000));
        QCOMPARE(s.process.exitCode(), 0);
    }

    // An unreadable file: one message, left as it is; the next file of the pattern is plotted.
    void unreadableFileToldOnceAndPassedOver() {
        Service s;
        write(s.in + "/plot.a", plotText("locked", 3));
        QFile::setPermissions(s.in + "/plot.a", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (geteuid() != 0) QSKIP("needs root to run the service as another user than the file's owner");
        write(s.in + "/plot.b", plotText("open", 3));
        s.start({"--pattern", "plot.*"});
        const QJsonObject line = s.next();
        QCOMPARE(line["archived"].toString(), QString("plot_000.b"));
        QTest::qWait(2500); // more ticks
        const QByteArray err = s.process.readAllStandardError();
        QCOMPARE(err.count("plot.a cannot be read"), 1);
        QVERIFY(err.contains("Permission denied"));
        QCOMPARE(read(s.in + "/plot.a"), plotText("locked", 3));
    }

    // SIGTERM while a file keeps growing: the service ends within a second; the file stays, untouched.
    void sigtermDuringSettlingLeavesTheFile() {
        Service s;
        s.start();
        QByteArray written = plotText("growing", 20);
        write(s.in + "/plot.dat", written);
        for (int k = 0; k < 8; ++k) { // about 2.4 s of appending: the service is waiting for it
            QTest::qWait(300);
            write(s.in + "/plot.dat", "1 1 0 1\r\n", true);
            written += "1 1 0 1\r\n";
        }
        ::kill(s.process.processId(), SIGTERM);
        QVERIFY(s.process.waitForFinished(1000));
        QCOMPARE(s.process.exitCode(), 0);
        QCOMPARE(read(s.in + "/plot.dat"), written);
        QCOMPARE(QDir(s.in).entryList(QDir::Files), QStringList{"plot.dat"});
        QVERIFY(s.outputs().filter(".png").isEmpty());
    }

    void badArgumentsExitTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no such folder") << QStringList{"--watch", "/nonexistent", "--outdir", "/tmp"};
        QTest::newRow("no outdir") << QStringList{"--watch", "/tmp"};
        QTest::newRow("delay 0") << QStringList{"--watch", "/tmp", "--outdir", "/tmp", "--delay", "0"};
        // Done's own check: numbered names cannot be made from a stem with a wildcard.
        QTest::newRow("wildcard stem")
            << QStringList{"--watch", "/tmp", "--outdir", "/tmp", "--pattern", "*.dat"};
    }
    void badArgumentsExitTwo() {
        QFETCH(QStringList, args);
        QProcess p;
        p.start(CORVEX_RENDER_TOOL, args);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TstWatchService)
#include "tst_watch_service.moc"

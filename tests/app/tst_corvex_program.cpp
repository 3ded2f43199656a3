// The program corvex as a user starts it: exit statuses and everything it writes, run under Xvfb (and
// with the display taken away where the scenario says so).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstCorvexProgram : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_out, m_err;

    // The test's environment without XDG_RUNTIME_DIR (as under cron or ssh) and QT_QPA_PLATFORM, changed
    // by `changes` ("NAME=value" sets, "NAME" removes).
    static QProcessEnvironment environment(const QStringList& changes = {}) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove("XDG_RUNTIME_DIR");
        e.remove("QT_QPA_PLATFORM");
        for (const QString& change : changes)
            change.contains('=') ? e.insert(change.section('=', 0, 0), change.section('=', 1))
                                 : e.remove(change);
        return e;
    }
    // Runs corvex in the test's folder; its exit code, or -1 when it crashed.
    int run(const QStringList& args, const QStringList& env) {
        QProcess process;
        process.setProcessEnvironment(environment(env));
        process.setWorkingDirectory(m_dir.path());
        process.start(CORVEX_PROGRAM, args);
        process.waitForFinished(30000);
        m_out = process.readAllStandardOutput();
        m_err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

  private slots:
    void exitsWithItsStatus_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("out"); // start of stdout
        QTest::addColumn<QByteArray>("err"); // the first line of stderr
        QTest::addColumn<int>("errLines");
        const QStringList noDisplay{"DISPLAY", "WAYLAND_DISPLAY"};
        QTest::newRow("help without a display")
            << QStringList{"--help"} << noDisplay << 0 << QByteArray("Usage: corvex [options] [FILE]\n")
            << QByteArray() << 0;
        QTest::newRow("version without a display")
            << QStringList{"--version"} << noDisplay << 0 << QByteArray("corvex 1.1\n") << QByteArray() << 0;
        QTest::newRow("no display") << QStringList{} << noDisplay << 1 << QByteArray()
                                    << QByteArray("corvex: no display (DISPLAY is not set); to run without a "
                                                  "screen, start it as: xvfb-run -a corvex [options]")
                                    << 1;
        QTest::newRow("display that does not answer")
            << QStringList{"--watch", "."} << QStringList{"DISPLAY=:97", "WAYLAND_DISPLAY"} << 1
            << QByteArray()
            << QByteArray("corvex: cannot connect to display :97; to run without a screen, start it as: "
                          "xvfb-run -a corvex [options]")
            << 1;
        QTest::newRow("display named on the command line")
            << QStringList{"-display", ":96"} << noDisplay << 1 << QByteArray()
            << QByteArray("corvex: cannot connect to display :96; to run without a screen, start it as: "
                          "xvfb-run -a corvex [options]")
            << 1;
        QTest::newRow("unknown option") << QStringList{"--fast"} << noDisplay << 2 << QByteArray()
                                        << QByteArray("corvex: Unknown option 'fast'.") << 4;
        QTest::newRow("missing directory")
            << QStringList{"--watch", "/nonexistent-corvex"} << QStringList{} << 2 << QByteArray()
            << QByteArray("Corvex: Cannot change to \"/nonexistent-corvex\": No such file or directory") << 1;
        QTest::newRow("wildcard stem")
            << QStringList{"--watch", ".", "--pattern", "plot*.dat"} << QStringList{} << 2 << QByteArray()
            << QByteArray("Corvex: The pattern plot*.dat holds * or ? before its \".\".") << 2;
        QTest::newRow("missing file") << QStringList{"gone.dat"} << QStringList{} << 2 << QByteArray()
                                      << QByteArray("corvex: cannot open gone.dat: no such file") << 1;
    }
    void exitsWithItsStatus() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, env);
        QFETCH(QByteArray, out);
        QTEST(run(args, env), "status");
        QCOMPARE(m_out.left(out.size()), out);
        QTEST(m_err.split('\n').first(), "err");
        QTEST(int(m_err.count('\n')), "errLines");
    }

    // --watch at login: the file is plotted and filed away, and nothing but the program's own words
    // reaches stderr (here: none).
    void watchRunsQuietly() {
        QVERIFY(QFile::copy(CORVEX_TEST_DATA_DIR "/sample.dat", m_dir.filePath("plot.dat")));
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(CORVEX_PROGRAM, {"--watch", m_dir.path(), "--delay", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dir.filePath("plot_000.dat")), 10000);
        process.terminate();
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.readAllStandardError(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TstCorvexProgram)
#include "tst_corvex_program.moc"

// The program as a user starts it, under Xvfb (the display taken away where a case says so).
#include <QtTest>

class TstCorvexProgram : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_out, m_err;

    // Without XDG_RUNTIME_DIR (as under cron or ssh) and QT_QPA_PLATFORM; "NAME=value" sets, "NAME" removes.
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
        std::tie(m_out, m_err) = std::pair(process.readAllStandardOutput(), process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

  private slots:
    // Arguments and environment changes; the exit status, stdout's start, stderr's first line and line count.
    void exitsWithItsStatus() {
        const QStringList none{"DISPLAY", "WAYLAND_DISPLAY"}, asIs, other{"DISPLAY=:97", "WAYLAND_DISPLAY"};
        const QByteArray usage = "Usage: corvex [options] [FILE]\n",
                         xvfb = "; to run without a screen, start it as: xvfb-run -a corvex [options]";
        const std::tuple<const char*, QStringList, int, QByteArray, QByteArray, int> cases[] = {
            {"--help", none, 0, usage, "", 0},             // help and version need no display
            {"--version", none, 0, "corvex 1.1\n", "", 0}, //
            {"", none, 1, "", "corvex: no display (DISPLAY is not set)" + xvfb, 1},
            {"--watch .", other, 1, "", "corvex: cannot connect to display :97" + xvfb, 1}, // does not answer
            {"-display :96", none, 1, "", "corvex: cannot connect to display :96" + xvfb, 1}, // named here
            {"--fast", none, 2, "", "corvex: Unknown option 'fast'.", 4}, // with the usage lines
            {"--watch /nonexistent-corvex", asIs, 2, "",                  // a missing directory
             "Corvex: Cannot change to \"/nonexistent-corvex\": No such file or directory", 1},
            {"--watch . --pattern plot*.dat", asIs, 2, "", // a wildcard before the dot
             "Corvex: The pattern plot*.dat holds * or ? before its \".\".", 2},
            {"gone.dat", asIs, 2, "", "corvex: cannot open gone.dat: no such file", 1},
        };
        for (const auto& [args, env, status, out, err, errLines] : cases) {
            QVERIFY2(run(QString(args).split(' ', Qt::SkipEmptyParts), env) == status, args);
            QCOMPARE(std::tuple(m_out.left(out.size()), m_err.split('\n').first(), m_err.count('\n')),
                     std::tuple(out, err, qsizetype(errLines)));
        }
    }

    // --watch at login: the file is plotted and filed away, and nothing reaches stderr.
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

#include "app/CommandLine.h"

#include <QTest>

using namespace corvex;

Q_DECLARE_METATYPE(StartRequest::Mode)

class TstCommandLine : public QObject {
    Q_OBJECT

    static std::variant<StartRequest, EarlyExit> parse(const QString& line) {
        return parseStartRequest(QStringList{"corvex"} + line.split(' ', Qt::SkipEmptyParts));
    }

  private slots:
    void startsAsAsked_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<StartRequest::Mode>("mode");
        QTest::addColumn<QString>("path"); // the file or the watched directory
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("delay");
        QTest::addColumn<bool>("click");
        using M = StartRequest::Mode;
        QTest::newRow("nothing: the Setup window") << "" << M::Setup << ""
                                                   << "plot.dat" << 4 << false;
        QTest::newRow("a file") << "run12.dat" << M::File << "run12.dat"
                                << "plot.dat" << 4 << false;
        QTest::newRow("watch with the window's defaults") << "--watch /data" << M::Watch << "/data"
                                                          << "plot.dat" << 4 << false;
        QTest::newRow("watch, every choice")
            << "--watch /data --pattern PLOT.DAT --delay 60 --click" << M::Watch << "/data"
            << "PLOT.DAT" << 60 << true;
        QTest::newRow("options in any order, shortest delay")
            << "--delay 1 --click --watch=lab" << M::Watch << "lab"
            << "plot.dat" << 1 << true;
        QTest::newRow("Qt's platform option is let through")
            << "-platform offscreen run.dat" << M::File << "run.dat"
            << "plot.dat" << 4 << false;
        QTest::newRow("Qt's display option is let through") << "-display :5 --watch lab" << M::Watch << "lab"
                                                            << "plot.dat" << 4 << false;
    }
    void startsAsAsked() {
        QFETCH(QString, line);
        const auto parsed = parse(line);
        QVERIFY(std::holds_alternative<StartRequest>(parsed));
        const StartRequest& r = std::get<StartRequest>(parsed);
        QTEST(r.mode, "mode");
        QTEST(QString::fromStdString(r.mode == StartRequest::Mode::File ? r.file : r.directory), "path");
        QTEST(QString::fromStdString(r.pattern), "pattern");
        QTEST(r.delaySeconds, "delay");
        QTEST(r.clickToPlot, "click");
        QCOMPARE(r.platformGiven, line.startsWith("-platform"));
        QCOMPARE(QString::fromStdString(r.display),
                 line.startsWith("-display") ? line.section(' ', 1, 1) : "");
    }

    void endsAtOnce_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // the start of stdout
        QTest::addColumn<QString>("err"); // the first line of stderr
        QTest::newRow("help") << "--help" << 0 << "Usage: corvex [options] [FILE]\n"
                              << "";
        QTest::newRow("short help") << "-h" << 0 << "Usage: corvex [options] [FILE]\n"
                                    << "";
        QTest::newRow("version") << "--version" << 0 << "corvex 1.1\n"
                                 << "";
        QTest::newRow("short version") << "-v" << 0 << "corvex 1.1\n"
                                       << "";
        QTest::newRow("unknown option") << "--fast" << 2 << ""
                                        << "corvex: Unknown option 'fast'.";
        QTest::newRow("watch without directory") << "--watch" << 2 << ""
                                                 << "corvex: Missing value after '--watch'.";
        QTest::newRow("two files") << "a.dat b.dat" << 2 << ""
                                   << "corvex: give one FILE";
        QTest::newRow("file and watch") << "a.dat --watch d" << 2 << ""
                                        << "corvex: give FILE or --watch DIR, not both";
        QTest::newRow("pattern without watch") << "--pattern x.dat" << 2 << ""
                                               << "corvex: --pattern needs --watch DIR";
        QTest::newRow("click without watch") << "--click" << 2 << ""
                                             << "corvex: --click needs --watch DIR";
        QTest::newRow("delay 0") << "--watch d --delay 0" << 2 << ""
                                 << "corvex: --delay wants whole seconds 1..60";
        QTest::newRow("delay 61") << "--watch d --delay 61" << 2 << ""
                                  << "corvex: --delay wants whole seconds 1..60";
        QTest::newRow("delay 2.5") << "--watch d --delay 2.5" << 2 << ""
                                   << "corvex: --delay wants whole seconds 1..60";
        QTest::newRow("empty pattern") << "--watch d --pattern=" << 2 << ""
                                       << "corvex: --pattern wants a file name pattern";
    }
    void endsAtOnce() {
        QFETCH(QString, line);
        const auto parsed = parse(line);
        QVERIFY(std::holds_alternative<EarlyExit>(parsed));
        const EarlyExit& e = std::get<EarlyExit>(parsed);
        QTEST(e.status, "status");
        QFETCH(QString, out);
        QCOMPARE(e.out.left(out.size()), out);
        QTEST(e.err.section('\n', 0, 0), "err");
        if (e.status == 2)
            QVERIFY(e.err.contains("Usage: corvex") && e.err.endsWith("--help' for the options.\n"));
    }

    // The help names every option with what it does, and no Qt-only option.
    void helpListsTheOptions() {
        const QString help = std::get<EarlyExit>(parse("--help")).out;
        for (const char* option :
             {"--watch <DIR>", "--pattern <P>", "--delay <S>", "--click", "--help", "--version"})
            QVERIFY2(help.contains(option), option);
        QVERIFY(!help.contains("platform"));
        QVERIFY(!help.contains("--help-all"));
    }
};

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"

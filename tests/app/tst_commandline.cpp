#include "app/CommandLine.h"

#include <QTest>

using namespace corvex;

class TstCommandLine : public QObject {
    Q_OBJECT

    static std::variant<StartRequest, EarlyExit> parse(const QString& line) {
        return parseStartRequest(QStringList{"corvex"} + line.split(' ', Qt::SkipEmptyParts));
    }

  private slots:
    void startsAsAsked() {
        using M = StartRequest::Mode;
        // The line, the mode, the file or the watched directory, the pattern, the delay, click to plot.
        const std::tuple<const char*, M, const char*, const char*, int, bool> cases[] = {
            {"", M::Setup, "", "plot.dat", 4, false}, // nothing: the Setup window
            {"--watch /data --pattern PLOT.DAT --delay 60 --click", M::Watch, "/data", "PLOT.DAT", 60, true},
            {"--delay 1 --click --watch=lab", M::Watch, "lab", "plot.dat", 1, true},   // any order, 1 s least
            {"-platform offscreen run.dat", M::File, "run.dat", "plot.dat", 4, false}, // Qt option passes
            {"-display :5 --watch lab", M::Watch, "lab", "plot.dat", 4, false},        // -display; defaults
        };
        for (const auto& [line, mode, path, pattern, delay, click] : cases) {
            const auto parsed = parse(line);
            const auto* r = std::get_if<StartRequest>(&parsed);
            QVERIFY2(r && r->mode == mode && r->pattern == pattern &&
                         (mode == M::File ? r->file : r->directory) == path && r->delaySeconds == delay &&
                         r->clickToPlot == click &&
                         r->platformGiven == QString(line).startsWith("-platform") &&
                         r->display == (QString(line).startsWith("-display") ? ":5" : ""),
                     line);
        }
    }

    // Help, version and usage errors: the exit status, the start of stdout, the first line of stderr
    // (--help, --version and an unknown option: tst_corvex_program).
    void endsAtOnce() {
        const char *usage = "Usage: corvex [options] [FILE]\n",
                   *delay = "corvex: --delay wants whole seconds 1..60";
        const std::tuple<const char*, int, const char*, const char*> cases[] = {
            {"-h", 0, usage, ""},
            {"-v", 0, "corvex 1.1\n", ""},
            {"--watch", 2, "", "corvex: Missing value after '--watch'."},
            {"a.dat b.dat", 2, "", "corvex: give one FILE"},
            {"a.dat --watch d", 2, "", "corvex: give FILE or --watch DIR, not both"},
            {"--pattern x.dat", 2, "", "corvex: --pattern needs --watch DIR"},
            {"--click", 2, "", "corvex: --click needs --watch DIR"},
            {"--watch d --delay 0", 2, "", delay},
            {"--watch d --delay 61", 2, "", delay},
            {"--watch d --delay 2.5", 2, "", delay},
            {"--watch d --pattern=", 2, "", "corvex: --pattern wants a file name pattern"},
        };
        for (const auto& [line, status, out, err] : cases) {
            const auto parsed = parse(line);
            const auto* e = std::get_if<EarlyExit>(&parsed);
            QVERIFY2(e && e->status == status, line);
            QCOMPARE(std::pair(e->out.left(int(strlen(out))), e->err.section('\n', 0, 0)),
                     std::pair(QString(out), QString(err)));
            if (e->status == 2)
                QVERIFY2(e->err.contains("Usage: corvex") && e->err.endsWith("--help' for the options.\n"),
                         line);
        }
        // The help names no Qt-only option.
        const QString help = std::get<EarlyExit>(parse("--help")).out;
        QVERIFY(!help.contains("platform") && !help.contains("--help-all"));
    }
};

QTEST_GUILESS_MAIN(TstCommandLine)
#include "tst_commandline.moc"

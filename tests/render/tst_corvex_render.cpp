#include <QtTest>
#include <sys/stat.h>

class TstCorvexRender : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_out, m_err;
    QJsonObject m_json; // m_out as one JSON object, as --describe gives for one file
    const QString m_sample = QStringLiteral(CORVEX_TEST_DATA_DIR "/sample.dat");

    // Runs the tool without XDG_RUNTIME_DIR (as under cron or ssh); its exit code, or -1 when it crashed.
    int run(const QStringList& args) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        process.setProcessEnvironment(env);
        process.start(CORVEX_RENDER_TOOL, args);
        process.waitForFinished(60000);
        m_out = process.readAllStandardOutput();
        m_err = process.readAllStandardError();
        m_json = QJsonDocument::fromJson(m_out).object();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    // A plot data file of set-1 points with these X values, Y running 1.5, 2, 2.5, ... (Y axis 1..5
    // for up to 7 points, so no Y value lies on a Y limit).
    QString dataFile(const QString& name, const QList<QByteArray>& xs) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write("t\r\ns\r\nx\r\ny\r\n" + QByteArray::number(xs.size()) + "\r\n");
        for (qsizetype i = 0; i < xs.size(); ++i)
            file.write(xs[i] + ", " + QByteArray::number(1.5 + 0.5 * double(i)) + ", 0, 1\r\n");
        return file.fileName();
    }
    static QStringList labels(const QJsonObject& axis) { return axis["labels"].toVariant().toStringList(); }

  private slots:
    void describesTheSample() {
        QFile pdf(m_dir.filePath("out.pdf"));
        QCOMPARE(run({"--describe", "--size", "640x480", m_sample, pdf.fileName()}), 0);
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(4) == "%PDF"); // others: batchMatchesSingleRuns
        QCOMPARE(m_json.keys(),
                 (QStringList{"caption", "data_loaded", "line_segments_drawn", "messages", "num_pts", "range",
                              "subtitle", "symbols_drawn", "title", "x_axis", "y_axis"}));
        // 15..310: step 10 doubled twice to 40, 0..320; 72 symbols; a move code and 29 draw codes.
        const QJsonValue x = m_json["x_axis"];
        QCOMPARE(std::tuple(x["min"].toDouble(), x["max"].toDouble(), x["legend"].toString(),
                            m_json["symbols_drawn"].toInt(), m_json["line_segments_drawn"].toInt()),
                 std::tuple(0.0, 320.0, QString("Temperature (K)  (10^+02)"), 72, 29));
        QCOMPARE(m_err, QByteArray()); // not even Qt's word about the runtime directory
    }
    // An output name that is a link is written through to its target, as any program writes a file:
    // the link stays, and a pipe stays a pipe (its reader gets the image).
    void outputThroughALink() {
        QFile target(m_dir.filePath("target.png"));
        QVERIFY(target.open(QIODevice::WriteOnly) && target.write("old") == 3 && target.flush());
        const QString link = m_dir.filePath("link.png"), fifo = m_dir.filePath("fifo"),
                      toFifo = m_dir.filePath("fifo.png");
        QVERIFY(QFile::link(target.fileName(), link) && ::mkfifo(qPrintable(fifo), 0600) == 0 &&
                QFile::link(fifo, toFifo));
        QProcess reader;
        reader.start("cat", {fifo});
        QCOMPARE(run({m_sample, link}) + run({m_sample, toFifo}), 0);
        QVERIFY(reader.waitForFinished(10000) && reader.readAllStandardOutput().startsWith("\x89PNG"));
        struct stat st;
        QVERIFY(::lstat(qPrintable(fifo), &st) == 0 && S_ISFIFO(st.st_mode));
        QVERIFY(QFileInfo(link).isSymLink() && QImage(target.fileName()).size() == QSize(1280, 960));
    }
    // 0.1 .. 0.7: the axis top, the multiple 7 x 0.1, equals 0.7 once rounded to a float (the limits:
    // tst_axisscale axis). The top label is unchanged; all points but the one at 0.1 are drawn.
    void pointOnARoundMaximumIsDrawn() {
        QCOMPARE(
            run({"--describe", dataFile("round.dat", {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7"})}), 0);
        QCOMPARE(std::pair(labels(m_json["x_axis"].toObject()).last(), m_json["symbols_drawn"].toInt()),
                 std::pair(QString("0.700"), 6));
    }
    // A file that cannot be plotted: the message, no symbol, no image, exit status 1.
    void unplottableFileExitsOne() {
        const std::pair<QList<QByteArray>, const char*> cases[] = {
            {{}, "Data File Error: The Current File Contained No Data!"},
            // 1.4e-45 .. 1.4e-44 (denormals): 100 / range has no 4-byte float, so there is no axis to draw.
            {{"1.4e-45", "1.4e-44"}, "Data Error: DATA ERROR:  The X range is too narrow to draw an axis."},
        };
        for (const auto& [xs, message] : cases) {
            QCOMPARE(run({"--describe", dataFile("bad.dat", xs), m_dir.filePath("bad.png")}), 1);
            QVERIFY2(m_err.contains(message), m_err);
            QCOMPARE(std::pair(m_json["symbols_drawn"].toInt(), QFileInfo::exists(m_dir.filePath("bad.png"))),
                     std::pair(0, false));
        }
    }
    // Each with the first line of stderr it gives.
    void badUsageExitsTwo() {
        const QString dir = m_dir.path();
        const std::pair<QStringList, QString> cases[] = {
            {{"in.dat", "out.gif"}, "OUTPUT must end in .png, .bmp, .svg or .pdf"},
            {{"--range", "2,1,0,1", "in.dat", "out.png"}, "--range wants XMIN <= XMAX and YMIN <= YMAX"},
            {{"--format", "svg", "in.dat", "out.png"}, "--format and --jobs need --outdir DIR"},
            {{"--outdir", dir + "/none", "in.dat"}, "no such folder: " + dir + "/none"},
            {{"--watch", dir}, "--watch wants --outdir OUT"},
            {{"--watch", dir, "--outdir", dir, "--delay", "0"},
             "--delay wants a whole number of seconds 1..60"},
            {{"--outdir", dir, "a/in.dat", "b/in.dat"},
             "two inputs would both be drawn into " + dir + "/in.dat.png"},
        };
        for (const auto& [args, why] : cases) {
            QCOMPARE(run(args), 2);
            QCOMPARE(std::pair(QString(m_err.split('\n').first()), m_out),
                     std::pair("corvex-render: " + why, QByteArray()));
            QVERIFY(m_err.contains("Usage: corvex-render"));
        }
    }

    // A batch in one process writes, file by file, the very bytes of one-file runs; a file that cannot
    // be read or holds no data is told and passed over, the files after it are still drawn, the status is 1.
    void batchMatchesSingleRuns() {
        const QString empty = dataFile("nodata.dat", {});
        const QStringList inputs{m_sample, dataFile("a.dat", {"1", "2", "3"}), m_dir.filePath("missing.dat"),
                                 empty, dataFile("b.dat", {"-5", "7"})};
        for (const auto& [format, magic] :
             {std::pair<QString, QByteArray>("png", "\x89PNG"), {"bmp", "BM"}, {"svg", "<?xml"}}) {
            QTemporaryDir out;
            const QStringList batch{"--size",   "320x240", "--outdir", out.path(),
                                    "--format", format,    "--jobs",   "2"};
            QCOMPARE(run(batch + inputs), 1);
            QVERIFY(
                m_err.contains("corvex-render: cannot read " + m_dir.filePath("missing.dat").toUtf8()) &&
                m_err.contains(empty.toUtf8() + ": Data File Error: The Current File Contained No Data!"));
            QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name),
                     (QStringList{"a.dat." + format, "b.dat." + format, "sample.dat." + format}));
            for (const QString& input : {inputs[0], inputs[1], inputs[4]}) {
                const QString single = m_dir.filePath("single." + format);
                QCOMPARE(run({"--size", "320x240", input, single}), 0);
                QFile a(single), b(out.filePath(QFileInfo(input).fileName() + "." + format));
                QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
                const QByteArray bytes = a.readAll();
                QVERIFY2(bytes.startsWith(magic) && bytes == b.readAll(), qPrintable(input));
            }
        }
    }
    // --describe in a batch: one JSON object per line, in the order of the inputs, naming each.
    void batchDescribesOneLinePerInput() {
        const QStringList inputs{dataFile("c.dat", {"1", "2"}), m_dir.filePath("missing.dat"), m_sample};
        QTemporaryDir out;
        QCOMPARE(run(QStringList{"--describe", "--outdir", out.path()} + inputs), 1);
        const QList<QByteArray> lines = m_out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        for (const int i : {0, 1, 2}) {
            const QJsonObject o = QJsonDocument::fromJson(lines[i]).object();
            QCOMPARE(std::tuple(o["input"].toString(), o["output"].toString(), o["symbols_drawn"].toInt()),
                     std::tuple(inputs[i], out.filePath(QFileInfo(inputs[i]).fileName() + ".png"),
                                QList{2, 0, 72}[i]));
        }
    }
};

QTEST_GUILESS_MAIN(TstCorvexRender)
#include "tst_corvex_render.moc"

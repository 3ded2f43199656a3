#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cfloat>

class TstCorvexRender : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_out, m_err;

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
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    const QString m_sample = QStringLiteral(CORVEX_TEST_DATA_DIR "/sample.dat");

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
    static QStringList labels(const QJsonObject& axis) {
        QStringList texts;
        for (const QJsonValue& label : axis["labels"].toArray())
            texts << label.toString();
        return texts;
    }

  private slots:
    void describesTheSample() {
        QCOMPARE(run({"--describe", "--size", "640x480", m_sample}), 0);
        const QJsonObject json = QJsonDocument::fromJson(m_out).object();
        QCOMPARE(json.keys(),
                 (QStringList{"caption", "data_loaded", "line_segments_drawn", "messages", "num_pts", "range",
                              "subtitle", "symbols_drawn", "title", "x_axis", "y_axis"}));
        // 15..310: step 10 doubled twice to 40; 0 is the multiple below 15, the top one step past 310.
        QCOMPARE(json["x_axis"]["min"].toDouble(), 0.0);
        QCOMPARE(json["x_axis"]["max"].toDouble(), 320.0);
        QCOMPARE(json["x_axis"]["legend"].toString(), "Temperature (K)  (10^+02)");
        // 72 symbols, and one move code followed by 29 draw codes.
        QCOMPARE(json["symbols_drawn"].toInt(), 72);
        QCOMPARE(json["line_segments_drawn"].toInt(), 29);
        QCOMPARE(m_err, QByteArray()); // not even Qt's word about the runtime directory
    }
    // 0.1 .. 0.7: the axis top, the multiple 7 x 0.1, equals 0.7 once rounded to a float.
    void pointOnARoundMaximumIsDrawn() {
        const QString data = dataFile("round.dat", {"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7"});
        QCOMPARE(run({"--describe", data}), 0);
        const QJsonObject json = QJsonDocument::fromJson(m_out).object();
        QVERIFY(json["x_axis"]["max"].toDouble() > double(0.7f));    // 0.7 lies inside the axis
        QCOMPARE(labels(json["x_axis"].toObject()).last(), "0.700"); // and the top label is unchanged
        QCOMPARE(float(json["x_axis"]["min"].toDouble()), 0.1f);     // 0.1 stays on the axis minimum
        QCOMPARE(json["symbols_drawn"].toInt(), 6);                  // all but the point at 0.1
    }
    // Data at the ends of the float range: every limit a number, every label finite.
    void floatRangeEnds_data() {
        QTest::addColumn<QList<QByteArray>>("xs");
        QTest::addColumn<float>("min");
        QTest::addColumn<float>("max");
        QTest::addColumn<QStringList>("labels");
        // Step 1e38; the multiples -4e38 and 4e38 lie beyond the float range and are held at -+FLT_MAX
        // (3.4028235e38); 8 intervals of FLT_MAX / 4 divided by 10^38.
        const QStringList both{"-3.403", "-2.552", "-1.701", "-0.851", "0.000",
                               "0.851",  "1.701",  "2.552",  "3.403"};
        QTest::newRow("-3e38..3e38") << QList<QByteArray>{"-3e38", "3e38"} << -FLT_MAX << FLT_MAX << both;
        QTest::newRow("-3.4e38..3.4e38")
            << QList<QByteArray>{"-3.4e38", "3.4e38"} << -FLT_MAX << FLT_MAX << both;
        // Step 4e37: 2 x 4e37 .. 9 x 4e37, the top held at FLT_MAX; 7 intervals of (FLT_MAX - 8e37) / 7
        // = 3.7183e37, divided by 10^37.
        QTest::newRow("1e38..3.4e38 at the top")
            << QList<QByteArray>{"1e38", "3.4e38"} << 8e37f << FLT_MAX
            << QStringList{"8.000", "11.718", "15.437", "19.155", "22.873", "26.592", "30.310", "34.028"};
        QTest::newRow("-3.4e38..-1e38 at the bottom")
            << QList<QByteArray>{"-3.4e38", "-1e38"} << -FLT_MAX << -8e37f
            << QStringList{"-34.028", "-30.310", "-26.592", "-22.873",
                           "-19.155", "-15.437", "-11.718", "-8.000"};
        // Step 1e-45 on the denormal grid would make a scale of about 1e46; 1e-37 .. 1e-36 still has
        // one: step 2e-37, 0 .. 6 x 2e-37, divided by 10^-36.
        QTest::newRow("1e-37..1e-36 tiny")
            << QList<QByteArray>{"1e-37", "1e-36"} << 0.0f << 1.2e-36f
            << QStringList{"0.000", "0.200", "0.400", "0.600", "0.800", "1.000", "1.200"};
    }
    void floatRangeEnds() {
        QFETCH(QList<QByteArray>, xs);
        QCOMPARE(run({"--describe", dataFile("ends.dat", xs)}), 0);
        const QJsonObject json = QJsonDocument::fromJson(m_out).object();
        const QJsonObject x = json["x_axis"].toObject();
        QVERIFY(x["min"].isDouble() && x["max"].isDouble()); // not null
        QTEST(float(x["min"].toDouble()), "min");            // the JSON holds the floats to 9 digits
        QTEST(float(x["max"].toDouble()), "max");
        QTEST(labels(x), "labels");
        QCOMPARE(json["messages"].toArray().size(), 0);
        QCOMPARE(json["symbols_drawn"].toInt(), 2); // both ends lie inside the axis
    }
    // 1.4e-45 .. 1.4e-44 (denormals): 100 / range has no 4-byte float, so there is no axis to draw.
    void rangeTooNarrowIsNotPlotted() {
        QCOMPARE(
            run({"--describe", dataFile("denormal.dat", {"1.4e-45", "1.4e-44"}), m_dir.filePath("n.png")}),
            1);
        QVERIFY(m_err.contains("Data Error: DATA ERROR:  The X range is too narrow to draw an axis."));
        QCOMPARE(QJsonDocument::fromJson(m_out).object()["symbols_drawn"].toInt(), 0);
        QVERIFY(!QFileInfo::exists(m_dir.filePath("n.png")));
    }
    void writesEveryFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "out.png" << QByteArray("\x89PNG");
        QTest::newRow("bmp") << "out.bmp" << QByteArray("BM");
        QTest::newRow("svg") << "out.svg" << QByteArray("<?xml");
        QTest::newRow("pdf") << "out.pdf" << QByteArray("%PDF");
    }
    void writesEveryFormat() {
        QFETCH(QString, name);
        QFETCH(QByteArray, magic);
        QFile out(m_dir.filePath(name));
        QCOMPARE(run({"--size", "320x240", m_sample, out.fileName()}), 0);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.read(magic.size()), magic);
    }
    void fileWithoutDataExitsOne() {
        QFile empty(m_dir.filePath("empty.dat"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write("t\r\ns\r\nx\r\ny\r\n0\r\n");
        empty.close();
        QCOMPARE(run({empty.fileName(), m_dir.filePath("empty.png")}), 1);
        QVERIFY(m_err.contains("Data File Error: The Current File Contained No Data!"));
        QVERIFY(!QFileInfo::exists(m_dir.filePath("empty.png")));
    }
    // A valid file followed by 64 GiB (sparse): the tool reads what it needs instead of running out
    // of memory on the whole file.
    void hugeFileIsRendered() {
        const QString huge = dataFile("huge.dat", {"1", "2", "3"});
        QVERIFY(QFile::resize(huge, qint64(64) << 30));
        QCOMPARE(run({"--describe", "--size", "320x240", huge, m_dir.filePath("huge.png")}), 0);
        const QJsonObject json = QJsonDocument::fromJson(m_out).object();
        QCOMPARE(json["num_pts"].toInt(), 3);
        QCOMPARE(json["range"]["x_max"].toDouble(), 3.0);
        QVERIFY(QFileInfo(m_dir.filePath("huge.png")).size() > 0);
        QFile::remove(huge);
    }
    void badUsageExitsTwo_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("why"); // the first line of stderr
        const QString dir = m_dir.path();
        QTest::newRow("unknown format")
            << QStringList{"in.dat", "out.gif"}
            << QByteArray("corvex-render: OUTPUT must end in .png, .bmp, .svg or .pdf");
        QTest::newRow("range reversed")
            << QStringList{"--range", "2,1,0,1", "in.dat", "out.png"}
            << QByteArray("corvex-render: --range wants XMIN <= XMAX and YMIN <= YMAX");
        QTest::newRow("unknown option") << QStringList{"--fast", "in.dat", "out.png"}
                                        << QByteArray("corvex-render: Unknown option 'fast'.");
        QTest::newRow("format without outdir")
            << QStringList{"--format", "svg", "in.dat", "out.png"}
            << QByteArray("corvex-render: --format and --jobs need --outdir DIR");
        QTest::newRow("outdir missing") << QStringList{"--outdir", dir + "/none", "in.dat"}
                                        << ("corvex-render: no such folder: " + dir + "/none").toUtf8();
        QTest::newRow("batch format unknown")
            << QStringList{"--outdir", dir, "--format", "gif", "in.dat"}
            << QByteArray("corvex-render: --format wants png, bmp, svg or pdf");
        QTest::newRow("batch without inputs")
            << QStringList{"--outdir", dir} << QByteArray("corvex-render: wants at least one INPUT");
        QTest::newRow("no jobs") << QStringList{"--outdir", dir, "--jobs", "0", "in.dat"}
                                 << QByteArray("corvex-render: --jobs wants a whole number 1..256");
        QTest::newRow("two inputs, one output name")
            << QStringList{"--outdir", dir, "a/in.dat", "b/in.dat"}
            << ("corvex-render: two inputs would both be drawn into " + dir + "/in.dat.png").toUtf8();
    }
    void badUsageExitsTwo() {
        QFETCH(QStringList, args);
        QCOMPARE(run(args), 2);
        QTEST(m_err.split('\n').first(), "why");
        QVERIFY(m_err.contains("Usage: corvex-render"));
        QCOMPARE(m_out, QByteArray());
    }
    void helpAndVersionExitZero() {
        QCOMPARE(run({"--help"}), 0);
        QVERIFY(m_out.startsWith("Usage: corvex-render [options] INPUT OUTPUT\n"));
        for (const char* option : {"--size", "--range", "--describe", "--outdir", "--format", "--jobs"})
            QVERIFY2(m_out.contains(option), option);
        QCOMPARE(run({"--version"}), 0);
        QCOMPARE(m_out, QByteArray("corvex-render 1.1\n"));
    }

    // A batch in one process writes, file by file, the very bytes of one-file runs; a file that cannot
    // be read or holds no data is told and passed over, the files after it are still drawn, the status is 1.
    void batchMatchesSingleRuns_data() {
        QTest::addColumn<QString>("format");
        QTest::newRow("png") << "png";
        QTest::newRow("bmp") << "bmp";
        QTest::newRow("svg") << "svg";
    }
    void batchMatchesSingleRuns() {
        QFETCH(QString, format);
        const QString empty = m_dir.filePath("nodata.dat");
        QFile file(empty);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("t\r\ns\r\nx\r\ny\r\n0\r\n");
        file.close();
        const QStringList inputs{m_sample, dataFile("a.dat", {"1", "2", "3"}), m_dir.filePath("missing.dat"),
                                 empty, dataFile("b.dat", {"-5", "7"})};
        QTemporaryDir out;
        QCOMPARE(
            run(QStringList{"--size", "320x240", "--outdir", out.path(), "--format", format, "--jobs", "2"} +
                inputs),
            1);
        QVERIFY(m_err.contains("corvex-render: cannot read " + m_dir.filePath("missing.dat").toUtf8()));
        QVERIFY(m_err.contains(empty.toUtf8() + ": Data File Error: The Current File Contained No Data!"));
        const QStringList drawn{"sample.dat", "a.dat", "b.dat"};
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{"a.dat." + format, "b.dat." + format, "sample.dat." + format}));
        for (const QString& name : drawn) {
            const QString single = m_dir.filePath("single." + format);
            const QString input = name == "sample.dat" ? m_sample : m_dir.filePath(name);
            QCOMPARE(run({"--size", "320x240", input, single}), 0);
            QFile a(single), b(out.filePath(name + "." + format));
            QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(name));
        }
    }
    // --describe in a batch: one JSON object per line, in the order of the inputs, naming each.
    void batchDescribesOneLinePerInput() {
        const QStringList inputs{dataFile("c.dat", {"1", "2"}), m_dir.filePath("missing.dat"), m_sample};
        QTemporaryDir out;
        QCOMPARE(run(QStringList{"--describe", "--outdir", out.path()} + inputs), 1);
        const QList<QByteArray> lines = m_out.trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        const QList<int> symbols{2, 0, 72};
        for (int i = 0; i < 3; ++i) {
            const QJsonObject json = QJsonDocument::fromJson(lines[i]).object();
            QCOMPARE(json["input"].toString(), inputs[i]);
            QCOMPARE(json["output"].toString(), out.filePath(QFileInfo(inputs[i]).fileName() + ".png"));
            QCOMPARE(json["symbols_drawn"].toInt(), symbols[i]);
        }
    }
};

QTEST_GUILESS_MAIN(TstCorvexRender)
#include "tst_corvex_render.moc"

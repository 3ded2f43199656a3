#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out, err;
};

Run runTool(const QStringList& args) {
    QProcess process;
    process.start(CORVEX_RENDER_TOOL, args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QString sample() {
    return qEnvironmentVariable("CORVEX_TEST_DATA") + "/sample.dat";
}

// Two sets of two points and one line from (10, 1) to (20, 3).
const char* const kSmallFile = " Small run\r\nsecond line\r\nTime (s)\r\nLevel\r\n6\r\n"
                               "10, 1.5, 0, 1\r\n20, 2.5, 0, 1\r\n12, 0.5, 0, 2\r\n18 2.7 0 2\r\n"
                               "10, 1, 0, -58\r\n20, 3, 0, -57\r\n";

} // namespace

class TstCorvexRender : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void describesASmallFile();
    void writesEveryFormat_data();
    void writesEveryFormat();
    void optionsChangeThePlot();
    void rangeActsAsAZoom();
    void fileWithoutDataExitsOne();
    void missingFileExitsOne();
    void badUsageExitsTwo_data();
    void badUsageExitsTwo();
    void flatRangeMessagesGoToStderr();

  private:
    QTemporaryDir m_dir;
    QString m_small;
};

void TstCorvexRender::initTestCase() {
    QVERIFY(m_dir.isValid());
    m_small = m_dir.filePath("small.dat");
    QFile f(m_small);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kSmallFile);
}

void TstCorvexRender::describesASmallFile() {
    const Run run = runTool({"--describe", "--size", "640x480", m_small});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    const QStringList keys{"caption", "data_loaded", "line_segments_drawn", "messages", "num_pts",
                           "range",   "subtitle",    "symbols_drawn",       "title",    "x_axis",
                           "y_axis"};
    QCOMPARE(json.keys(), keys);
    const QString absolute = QFileInfo(m_small).absoluteFilePath();
    QCOMPARE(json["caption"].toString(), "Corvex V1.1d [..." + absolute.right(21) + "]");
    QCOMPARE(json["data_loaded"].toBool(), true);
    QCOMPARE(json["num_pts"].toInt(), 6);
    QCOMPARE(json["title"].toString(), "Small run");
    QCOMPARE(json["subtitle"].toString(), "second line");
    const QJsonObject range = json["range"].toObject();
    QCOMPARE(range["x_min"].toDouble(), 10.0);
    QCOMPARE(range["x_max"].toDouble(), 20.0);
    QCOMPARE(range["y_min"].toDouble(), 0.5);
    QCOMPARE(range["y_max"].toDouble(), 3.0);
    // 10..20: step 1 doubled to 2, a fifth below 10 needs 8, top one past 20; 0.5..3: step 0.4
    // from 0.4 (as a 4-byte float 0.400000006) to 3.2.
    const QJsonObject x = json["x_axis"].toObject();
    QCOMPARE(x.keys(), (QStringList{"exp_text", "labels", "legend", "max", "min", "tick_count"}));
    QCOMPARE(x["min"].toDouble(), 8.0);
    QCOMPARE(x["max"].toDouble(), 22.0);
    QCOMPARE(x["tick_count"].toInt(), 8);
    QCOMPARE(x["exp_text"].toString(), "+00");
    QCOMPARE(x["legend"].toString(), "Time (s)");
    QCOMPARE(x["labels"].toArray().size(), 8);
    QCOMPARE(x["labels"].toArray().first().toString(), "8.000");
    const QJsonObject y = json["y_axis"].toObject();
    QCOMPARE(y["min"].toDouble(), 0.400000006);
    QCOMPARE(y["tick_count"].toInt(), 8);
    QCOMPARE(y["labels"].toArray().last().toString(), "3.200");
    QCOMPARE(json["messages"].toArray().size(), 0);
    QCOMPARE(json["symbols_drawn"].toInt(), 4);
    QCOMPARE(json["line_segments_drawn"].toInt(), 1);
}

void TstCorvexRender::writesEveryFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("png") << "out.png" << QByteArray("\x89PNG");
    QTest::newRow("bmp") << "out.bmp" << QByteArray("BM");
    QTest::newRow("svg") << "out.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "out.pdf" << QByteArray("%PDF");
    QTest::newRow("upper-case extension") << "OUT.PNG" << QByteArray("\x89PNG");
}

void TstCorvexRender::writesEveryFormat() {
    QFETCH(QString, name);
    QFETCH(QByteArray, magic);
    const QString out = m_dir.filePath(name);
    const Run run = runTool({"--size", "320x240", sample(), out});
    QCOMPARE(run.exitCode, 0);
    QFile f(out);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(magic.size()) == magic);
    if (name.endsWith("png", Qt::CaseInsensitive) || name.endsWith("bmp")) {
        const QImage image(out);
        QCOMPARE(image.size(), QSize(320, 240));
        QCOMPARE(image.pixelColor(160, 120), QColor(255, 255, 255)); // inside the white plot area
    }
}

void TstCorvexRender::optionsChangeThePlot() {
    const Run plain = runTool({"--describe", sample()});
    const Run omitted = runTool({"--describe", "--omit-lines", "--small-symbols", "--filled-symbols",
                                 "--title-step", "0", "--ylegend-step", "8", sample()});
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(omitted.exitCode, 0);
    const QJsonObject a = QJsonDocument::fromJson(plain.out).object();
    const QJsonObject b = QJsonDocument::fromJson(omitted.out).object();
    QVERIFY(a["line_segments_drawn"].toInt() > 0);
    QCOMPARE(b["line_segments_drawn"].toInt(), 0);
    QCOMPARE(b["symbols_drawn"].toInt(), a["symbols_drawn"].toInt());
    // Smaller symbols and fonts draw fewer coloured pixels.
    const QString big = m_dir.filePath("big.png"), small = m_dir.filePath("small.png");
    QCOMPARE(runTool({"--size", "640x480", sample(), big}).exitCode, 0);
    QCOMPARE(runTool({"--size", "640x480", "--small-symbols", sample(), small}).exitCode, 0);
    auto coloured = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.saturation() > 100;
            }
        return n;
    };
    QVERIFY(coloured(QImage(small)) < coloured(QImage(big)));
}

void TstCorvexRender::rangeActsAsAZoom() {
    const Run run = runTool({"--describe", "--range", "11,19,0.4,2.6", m_small});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(json["range"].toObject()["x_min"].toDouble(), 11.0);
    QCOMPARE(json["range"].toObject()["y_max"].toDouble(), 2.5999999); // 2.6 as a 4-byte float, 9 digits
    // X axis 10..20: the points at x = 10 and x = 20 lie on its limits and get no symbol; the line
    // from x = 10 to x = 20 is still drawn.
    QCOMPARE(json["x_axis"].toObject()["min"].toDouble(), 10.0);
    QCOMPARE(json["x_axis"].toObject()["max"].toDouble(), 20.0);
    QCOMPARE(json["symbols_drawn"].toInt(), 2);
    QCOMPARE(json["line_segments_drawn"].toInt(), 1);
}

void TstCorvexRender::fileWithoutDataExitsOne() {
    const QString empty = m_dir.filePath("empty.dat");
    QFile f(empty);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("t\r\ns\r\nx\r\ny\r\n0\r\n");
    f.close();
    const Run run = runTool({"--describe", empty, m_dir.filePath("empty.png")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("Data File Error: The Current File Contained No Data!"));
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(json["data_loaded"].toBool(), false);
    QCOMPARE(json["messages"].toArray().first().toObject()["title"].toString(), "Data File Error");
    QVERIFY(!QFileInfo::exists(m_dir.filePath("empty.png")));
}

void TstCorvexRender::missingFileExitsOne() {
    const Run run = runTool({m_dir.filePath("nothing.dat"), m_dir.filePath("nothing.png")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.contains("cannot read"));
}

void TstCorvexRender::badUsageExitsTwo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("output missing") << QStringList{"in.dat"};
    QTest::newRow("three files") << QStringList{"a", "b.png", "c.png"};
    QTest::newRow("unknown format") << QStringList{"in.dat", "out.gif"};
    QTest::newRow("unknown option") << QStringList{"--bogus", "in.dat", "out.png"};
    QTest::newRow("size without x") << QStringList{"--size", "640", "in.dat", "out.png"};
    QTest::newRow("size zero") << QStringList{"--size", "0x10", "in.dat", "out.png"};
    QTest::newRow("step 9") << QStringList{"--title-step", "9", "in.dat", "out.png"};
    QTest::newRow("step missing value") << QStringList{"in.dat", "out.png", "--ylegend-step"};
    QTest::newRow("range of three") << QStringList{"--range", "1,2,3", "in.dat", "out.png"};
    QTest::newRow("range reversed") << QStringList{"--range", "2,1,0,1", "in.dat", "out.png"};
    QTest::newRow("range not a number") << QStringList{"--range", "a,1,0,1", "in.dat", "out.png"};
}

void TstCorvexRender::badUsageExitsTwo() {
    QFETCH(QStringList, args);
    const Run run = runTool(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("Usage: corvex-render"));
}

void TstCorvexRender::flatRangeMessagesGoToStderr() {
    const QString one = m_dir.filePath("one.dat");
    QFile f(one);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("t\r\ns\r\nx\r\ny\r\n1\r\n5, 2, 0, 1\r\n");
    f.close();
    const Run run = runTool({"--describe", one});
    QCOMPARE(run.exitCode, 0);
    const int xAt = run.err.indexOf("Data Error: DATA ERROR:  All X values are identical.");
    const int yAt = run.err.indexOf("Data Error: DATA ERROR:  All Y values are identical.");
    QVERIFY(xAt >= 0 && yAt > xAt);
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(json["messages"].toArray().size(), 2);
    QCOMPARE(json["range"].toObject()["x_max"].toDouble(), 15.0); // 5 written back as 5/3..15
    QCOMPARE(json["x_axis"].toObject()["max"].toDouble(), 16.0);
    QCOMPARE(json["symbols_drawn"].toInt(), 1);
}

QTEST_GUILESS_MAIN(TstCorvexRender)
#include "tst_corvex_render.moc"

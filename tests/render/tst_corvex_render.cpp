#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstCorvexRender : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QByteArray m_out, m_err;

    // Runs the tool; its exit code, or -1 when it crashed.
    int run(const QStringList& args) {
        QProcess process;
        process.start(CORVEX_RENDER_TOOL, args);
        process.waitForFinished(60000);
        m_out = process.readAllStandardOutput();
        m_err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    const QString m_sample = QStringLiteral(CORVEX_TEST_DATA_DIR "/sample.dat");

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
    void badUsageExitsTwo() {
        QCOMPARE(run({"in.dat", "out.gif"}), 2); // unknown format
        QVERIFY(m_err.contains("Usage: corvex-render"));
        QCOMPARE(run({"--range", "2,1,0,1", "in.dat", "out.png"}), 2); // range reversed
    }
};

QTEST_GUILESS_MAIN(TstCorvexRender)
#include "tst_corvex_render.moc"

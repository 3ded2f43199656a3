// Small plots drawn by corvex-render and compared pixel by pixel with images recorded when the drawing
// was checked against the geometry and colour rules (frame, scale, symbol sizes, the colour table; see
// tst_plotpainter for those rules one by one). After an intended change to the drawing, run the test
// with CORVEX_RECORD_EXPECTED=1 to record the images anew, and look at every one before committing.

#include "support/WindowRig.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDir kExpected(CORVEX_TEST_DATA_DIR "/expected");

// Where two images differ: their first differing pixel and the number of differing pixels.
QString difference(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) return "sizes differ";
    int count = 0;
    QPoint first;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y) && count++ == 0) first = {x, y};
    return count == 0
               ? QString()
               : QString("%1 pixels differ, the first at (%2, %3)").arg(count).arg(first.x()).arg(first.y());
}

} // namespace

class TstExpectedImages : public QObject {
    Q_OBJECT
  private slots:
    // Open symbols at the usual size; filled half-size symbols without lines, with the smallest title and
    // the largest Y legend, at an odd size; a range that cuts the data and the line off-zero.
    void drawnAsRecorded_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("inputs");
        const QStringList all{CORVEX_TEST_DATA_DIR "/sample.dat", kExpected.filePath("allsets.dat"),
                              kExpected.filePath("offzero.dat")};
        QTest::newRow("open-320x240") << QStringList{"--size", "320x240"} << all;
        QTest::newRow("filled-small-331x257")
            << QStringList{"--size",       "331x257", "--filled-symbols", "--small-symbols",
                           "--title-step", "0",       "--ylegend-step",   "8",
                           "--omit-lines"}
            << all;
        QTest::newRow("range-300x200") << QStringList{"--size", "300x200", "--range=-3,9,-2e-4,2e-4"}
                                       << QStringList{kExpected.filePath("offzero.dat")};
    }
    void drawnAsRecorded() {
        QFETCH(QStringList, options);
        QFETCH(QStringList, inputs);
        const QString variant = QTest::currentDataTag();
        const bool record = qEnvironmentVariableIntValue("CORVEX_RECORD_EXPECTED") == 1;
        QTemporaryDir out;
        out.setAutoRemove(false); // kept for a look when an image differs; removed below otherwise
        QCOMPARE(
            QProcess::execute(CORVEX_RENDER_TOOL, options + QStringList{"--outdir", out.path()} + inputs), 0);
        bool same = true;
        for (const QString& input : inputs) {
            const QString name = QFileInfo(input).fileName() + ".png";
            const QImage actual = QImage(out.filePath(name)).convertToFormat(QImage::Format_RGB32);
            const QString expectedPath = kExpected.filePath(variant + "/" + name);
            if (record) QVERIFY(QDir().mkpath(kExpected.filePath(variant)) && actual.save(expectedPath));
            const QString diff =
                difference(actual, QImage(expectedPath).convertToFormat(QImage::Format_RGB32));
            if (!diff.isEmpty())
                qWarning("%s: %s (drawn: %s)", qPrintable(name), qPrintable(diff),
                         qPrintable(out.filePath(name)));
            same = same && diff.isEmpty();
        }
        if (same) out.remove();
        QVERIFY(same);
    }
    // The main window's drawing area, whose fonts follow the window's outer size, shows its recorded
    // pixels, and the same again after it was drawn at another size in between.
    void windowDrawsAsRecorded() {
        using namespace corvex;
        testing::WindowRig rig;
        testing::ProgressRecorder progress;
        ReaderHost host{rig.messages, progress, [](const std::string&) {}, [](const std::string&) {}};
        LoadPlotFile(CORVEX_TEST_DATA_DIR "/sample.dat", "sample.dat", rig.files, rig.steppedClock, host,
                     rig.model.data, rig.model.range);
        const auto drawAt = [&](QSize size) -> QImage {
            rig.window->show();
            rig.window->resize(rig.window->size() + size - rig.plotArea()->size());
            if (!QTest::qWaitFor([&] { return rig.plotArea()->size() == size; })) return {};
            rig.window->Form_Resize();
            return rig.plotArea()->persistentImage().convertToFormat(QImage::Format_RGB32);
        };
        const QString expectedPath = kExpected.filePath("window-320x240/sample.dat.png");
        const QImage first = drawAt({320, 240});
        if (qEnvironmentVariableIntValue("CORVEX_RECORD_EXPECTED") == 1)
            QVERIFY(QDir().mkpath(QFileInfo(expectedPath).path()) && first.save(expectedPath));
        const QImage expected = QImage(expectedPath).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(difference(first, expected), QString());
        QCOMPARE(drawAt({400, 300}).size(), QSize(400, 300));
        QCOMPARE(difference(drawAt({320, 240}), expected), QString());
    }
};

QTEST_MAIN(TstExpectedImages)
#include "tst_expected_images.moc"

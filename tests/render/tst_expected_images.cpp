// Small plots compared pixel by pixel with images recorded when the drawing was checked against the geometry
// and colour rules (frame, scale, symbol sizes, colour table; tst_plotpainter checks them one by one). After
// an intended drawing change, record anew with CORVEX_RECORD_EXPECTED=1 and look at every image first.

#include "legend/LegendDrawing.h"
#include "model/Colors.h"
#include "platform/QtCanvas.h"
#include "render/Symbols.h"
#include "support/WindowRig.h"

#include <QProcess>

using namespace corvex;

const QDir kExpected(CORVEX_TEST_DATA_DIR "/expected");

// Empty when `image` has the pixels recorded at `name` (under tests/data/expected); otherwise how many
// differ and the first, with the image kept in the temporary folder for a look.
static QString asRecorded(const QImage& drawn, const QString& name) {
    const QImage image = drawn.convertToFormat(QImage::Format_RGB32);
    const QString path = kExpected.filePath(name);
    if (qEnvironmentVariableIntValue("CORVEX_RECORD_EXPECTED") == 1 &&
        !(QDir().mkpath(QFileInfo(path).path()) && image.save(path)))
        return "cannot record " + path;
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (image.size() != expected.size()) return name + ": sizes differ";
    int count = 0;
    QPoint first;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != expected.pixel(x, y) && count++ == 0) first = {x, y};
    if (count == 0) return {};
    const QString kept = QDir::temp().filePath(QString(name).replace('/', '-'));
    image.save(kept);
    return QString("%1: %2 pixels differ, the first at (%3, %4); drawn: %5")
        .arg(name, QString::number(count), QString::number(first.x()), QString::number(first.y()), kept);
}

class TstExpectedImages : public QObject {
    Q_OBJECT
    DisplayOptions display; // with the colours set up

  private slots:
    void initTestCase() { SetColors(display); }
    // Open symbols at the usual size; filled half-size symbols without lines, with the smallest title and
    // the largest Y legend, at an odd size; a range that cuts the data and the line off-zero.
    void drawnAsRecorded() {
        const QStringList all{CORVEX_TEST_DATA_DIR "/sample.dat", kExpected.filePath("allsets.dat"),
                              kExpected.filePath("offzero.dat")};
        const std::pair<QString, QStringList> variants[] = {
            {"open-320x240", {"--size", "320x240"}},
            {"filled-small-331x257",
             {"--size", "331x257", "--filled-symbols", "--small-symbols", "--title-step", "0",
              "--ylegend-step", "8", "--omit-lines"}},
            {"range-300x200", {"--size", "300x200", "--range=-3,9,-2e-4,2e-4"}}};
        for (const auto& [variant, options] : variants) {
            const QStringList inputs = variant.startsWith("range") ? all.mid(2) : all;
            QTemporaryDir out;
            QProcess render; // ended with the test, should it hang
            render.start(CORVEX_RENDER_TOOL, options + QStringList{"--outdir", out.path()} + inputs);
            QVERIFY(render.waitForFinished(30000) && render.exitCode() == 0);
            for (const QString& input : inputs) {
                const QString name = QFileInfo(input).fileName() + ".png";
                QCOMPARE(asRecorded(QImage(out.filePath(name)), variant + "/" + name), QString());
            }
        }
    }
    // All hundred sets' symbols across the image's four edges and just beyond, open at the usual size and
    // filled at half size: stamped or drawn one by one, the same pixels, cut where the image ends.
    void symbolsAcrossTheEdgesAsRecorded() {
        const SymbolFrame frame = plotSymbolFrame(301, 203);
        for (const bool filled : {false, true})
            for (const bool stamped : {false, true}) {
                QImage image(301, 203, QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QtCanvas canvas(&image);
                    canvas.setSymbolStamping(stamped);
                    canvas.setUserScale(-25, 120, 110, -25);
                    canvas.setFillStyle(filled ? FillStyle::Solid : FillStyle::Transparent);
                    for (int16_t s = 1; s <= 100; ++s) {
                        const float t = float(s) / 100;
                        for (const auto& [x, y] : {std::pair{-25.2f + 0.3f * t, 120 - 145 * t},
                                                   {109.8f + 0.4f * t, -25 + 145 * t},
                                                   {-25 + 135 * t, 119.9f + 0.5f * t},
                                                   {-25 + 135 * t, -24.9f - 0.5f * t}})
                            drawSetSymbol(canvas, frame, display.PlotColor, s, x, y, filled ? 0.325f : 0.65f);
                    }
                }
                QCOMPARE(asRecorded(image, filled ? "edges/filled-small.png" : "edges/open.png"), QString());
            }
    }
    // The legend at its designed size (3300 x 5970 twips), filled and open: each number two units right of
    // and above its symbol, in the set's colour (the symbols' places and shapes: tst_plotlegend).
    void legendAsRecorded() {
        for (const bool filled : {true, false}) {
            display.FilledSyms = filled;
            QCOMPARE(asRecorded(renderLegend(display, {220, 398}, 96),
                                filled ? "legend/filled.png" : "legend/open.png"),
                     QString());
        }
    }
    // The main window's drawing area, whose fonts follow the window's outer size, shows its recorded
    // pixels, and the same again after it was drawn at another size in between.
    void windowDrawsAsRecorded() {
        testing::WindowRig rig(false);
        QVERIFY(QFile::copy(CORVEX_TEST_DATA_DIR "/sample.dat", "plot.dat"));
        rig.watch("plot.dat"); // read by the plot sequence at its first tick, as every plotted file is
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists("plot_000.dat"); }, 10000));
        const auto drawAt = [&](QSize size) -> QImage {
            rig.window->show();
            rig.window->resize(rig.window->size() + size - rig.plotArea()->size());
            if (!QTest::qWaitFor([&] { return rig.plotArea()->size() == size; })) return {};
            rig.window->Form_Resize();
            return rig.plotArea()->persistentImage();
        };
        QCOMPARE(asRecorded(drawAt({320, 240}), "window-320x240/sample.dat.png"), QString());
        QCOMPARE(drawAt({400, 300}).size(), QSize(400, 300));
        QCOMPARE(asRecorded(drawAt({320, 240}), "window-320x240/sample.dat.png"), QString());
    }
};

QTEST_MAIN(TstExpectedImages)
#include "tst_expected_images.moc"

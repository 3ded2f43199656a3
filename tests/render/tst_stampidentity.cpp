// Stamped symbols must give exactly the pixels of a painter call per symbol: every repaint here is
// drawn both ways and compared pixel by pixel.

#include "datafile/PlotReader.h"
#include "platform/FileService.h"
#include "platform/QtCanvas.h"
#include "render/Colors.h"
#include "render/PlotPainter.h"
#include "render/Symbols.h"
#include "support/Recorders.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <cmath>

using namespace corvex;
using namespace corvex::testing;

namespace {

struct Look {
    bool filled;
    bool small;
};

QString differences(const QImage& plain, const QImage& stamped) {
    if (plain.size() != stamped.size()) return "sizes differ";
    int count = 0;
    QString first;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            if (plain.pixel(x, y) != stamped.pixel(x, y) && count++ == 0)
                first = QString("first at (%1, %2): plain %3, stamped %4")
                            .arg(x)
                            .arg(y)
                            .arg(plain.pixel(x, y), 8, 16)
                            .arg(stamped.pixel(x, y), 8, 16);
    return count == 0 ? QString() : QString("%1 pixels differ, %2").arg(count).arg(first);
}

QImage paint(const PlotState& loaded, QSize size, Look look, bool stamped) {
    PlotState state = loaded;
    state.FilledSyms = look.filled;
    PlotWindowFields fields;
    fields.PixWidth = float(size.width());
    fields.PixHeight = float(size.height());
    fields.SymScale = look.small ? 0.5f : 1.0f;
    MessageRecorder messages;
    ProgressRecorder progress;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QtCanvas canvas(&image);
    canvas.setSymbolStamping(stamped);
    PlotPaintContext context{
        state, fields, canvas, messages, progress, size.width() * 15.0, size.height() * 15.0};
    Form_Paint(context);
    return image;
}

// All 100 sets (and two beyond), each a wavy row of points at positions whose pixel fractions all
// differ, plus a connecting line across them.
PlotState allSets() {
    PlotState state;
    SetColors(state);
    int32_t n = 0;
    auto add = [&](float x, float y, int16_t set) {
        ++n;
        state.XVal[size_t(n)] = x, state.YVal[size_t(n)] = y, state.SetNo[size_t(n)] = set;
    };
    for (int16_t s = 1; s <= 102; ++s)
        for (int k = 0; k < 37; ++k)
            add(float(0.137 + 2.713 * k + 0.011 * s), float(s + 0.731 * std::sin(0.9 * k + s)), s);
    add(1, 1, MoveCode);
    for (int k = 1; k < 50; ++k)
        add(float(2.0 * k), float(50 + 40 * std::sin(0.2 * k)), DrawCode);
    state.NumPts = n;
    state.DataLoaded = true;
    FindLimits(state, state.XVal, state.YVal, n);
    return state;
}

PlotState readFile(const QString& path) {
    PlotState state;
    SetColors(state);
    SystemFileService files;
    StepClock clock;
    DataFileChannel file;
    OpenDataFile(state, file, path.toStdString(), files, clock);
    MessageRecorder messages;
    ProgressRecorder progress;
    ReaderHost host{messages, progress, [](const std::string&) {}, [](const std::string&) {}};
    ReadPlotData(state, file, "identity", host);
    FindLimits(state, state.XVal, state.YVal, state.NumPts);
    return state;
}

void addLooks(const QString& name, QSize size) {
    for (const Look look : {Look{false, false}, Look{true, false}, Look{false, true}, Look{true, true}})
        QTest::newRow(qPrintable(QString("%1 %2x%3 %4 %5")
                                     .arg(name)
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(look.filled ? "filled" : "open")
                                     .arg(look.small ? "small" : "normal")))
            << name << size << look.filled << look.small;
}

} // namespace

class TstStampIdentity : public QObject {
    Q_OBJECT
  private slots:
    void repaintIsPixelIdentical_data();
    void repaintIsPixelIdentical();
    void symbolsAcrossTheImageEdges_data();
    void symbolsAcrossTheImageEdges();
    void stampingOnlyOnImages();
};

void TstStampIdentity::repaintIsPixelIdentical_data() {
    QTest::addColumn<QString>("source"); // a data file's name, or "all sets"
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<bool>("small");
    // Odd sizes give radii and pixel fractions that the round ones do not.
    for (const QSize size : {QSize(1280, 960), QSize(640, 480), QSize(331, 257), QSize(1913, 1187)})
        addLooks("all sets", size);
    const QDir data(qEnvironmentVariable("CORVEX_TEST_DATA"));
    for (const QString& name : data.entryList({"*.dat"}, QDir::Files))
        for (const QSize size : {QSize(1280, 960), QSize(517, 389)})
            addLooks(name, size);
}

void TstStampIdentity::repaintIsPixelIdentical() {
    QFETCH(QString, source);
    QFETCH(QSize, size);
    QFETCH(bool, filled);
    QFETCH(bool, small);
    const PlotState state = source == "all sets"
                                ? allSets()
                                : readFile(QDir(qEnvironmentVariable("CORVEX_TEST_DATA")).filePath(source));
    QVERIFY(state.DataLoaded);
    const QImage plain = paint(state, size, {filled, small}, false);
    const QImage stamped = paint(state, size, {filled, small}, true);
    QCOMPARE(differences(plain, stamped), QString());
    // The comparison means something only if symbols were drawn: some pixels are neither the
    // background, the plot area, nor black.
    int coloured = 0;
    for (int y = 0; y < plain.height(); y += 2)
        for (int x = 0; x < plain.width(); x += 2)
            coloured += plain.pixel(x, y) != QColor(Qt::gray).rgb() && plain.pixel(x, y) != 0xffffffffu &&
                        plain.pixel(x, y) != 0xff000000u;
    QVERIFY(coloured > 20);
}

void TstStampIdentity::symbolsAcrossTheImageEdges_data() {
    QTest::addColumn<bool>("filled");
    QTest::addColumn<double>("radius");
    QTest::newRow("open, main window size") << false << 0.65;
    QTest::newRow("filled, main window size") << true << 0.65;
    QTest::newRow("open, large") << false << 3.3;
    QTest::newRow("filled, small") << true << 0.325;
}

// Symbols cut by the image's edges: the stamp is clipped exactly where the painter clips.
void TstStampIdentity::symbolsAcrossTheImageEdges() {
    QFETCH(bool, filled);
    QFETCH(double, radius);
    PlotState state;
    SetColors(state);
    const SymbolFrame frame = plotSymbolFrame(301, 203);
    QImage images[2];
    for (const bool stamped : {false, true}) {
        QImage& image = images[stamped];
        image = QImage(301, 203, QImage::Format_RGB32);
        image.fill(Qt::white);
        QtCanvas canvas(&image);
        canvas.setSymbolStamping(stamped);
        canvas.setUserScale(-25, 120, 110, -25);
        canvas.setFillStyle(filled ? FillStyle::Solid : FillStyle::Transparent);
        for (int16_t s = 1; s <= 100; ++s) {
            const float t = float(s) / 100;
            // Along all four edges, and just beyond them.
            drawSetSymbol(canvas, frame, state, s, -25.2f + 0.3f * t, 120 - 145 * t, float(radius));
            drawSetSymbol(canvas, frame, state, s, 109.8f + 0.4f * t, -25 + 145 * t, float(radius));
            drawSetSymbol(canvas, frame, state, s, -25 + 135 * t, 119.9f + 0.5f * t, float(radius));
            drawSetSymbol(canvas, frame, state, s, -25 + 135 * t, -24.9f - 0.5f * t, float(radius));
        }
    }
    QCOMPARE(differences(images[0], images[1]), QString());
    QVERIFY(images[0] != QImage(301, 203, QImage::Format_RGB32)); // something was drawn
}

void TstStampIdentity::stampingOnlyOnImages() {
    QImage rgb32(10, 10, QImage::Format_RGB32), rgb16(10, 10, QImage::Format_RGB16);
    QVERIFY(QtCanvas(&rgb32).symbolStamping()); // on by default where it can be
    QVERIFY(!QtCanvas(&rgb16).symbolStamping());
    QtCanvas off(&rgb32);
    off.setSymbolStamping(false);
    QVERIFY(!off.symbolStamping());
}

QTEST_MAIN(TstStampIdentity)
#include "tst_stampidentity.moc"

#include "platform/QtCanvas.h"
#include "render/Colors.h"
#include "render/Symbols.h"

#include <QImage>
#include <QTest>

using namespace corvex;

namespace {

std::vector<std::pair<int, int>> points(const SymbolPolygon& s) {
    std::vector<std::pair<int, int>> v;
    for (int i = 0; i < s.count; ++i)
        v.emplace_back(s.vertices[size_t(i)].x, s.vertices[size_t(i)].y);
    return v;
}

using Points = std::vector<std::pair<int, int>>;

} // namespace

class TstSymbols : public QObject {
    Q_OBJECT
  private slots:
    void shapeAndColourBySet_data();
    void shapeAndColourBySet();
    void polygonsOn640x480();
    void smallSymbolsHalveBeforeRounding();
    void centreRoundsHalvesToEven();
    void legendFrameUsesItsOwnConstants();
    void circleAndSquareMoveThePosition();
    void polygonLeavesThePosition();
    void filledAndOpenSymbols();
};

void TstSymbols::shapeAndColourBySet_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("shape");
    QTest::addColumn<uint>("colour");
    using S = SymbolShape;
    QTest::newRow("1 black circle") << 1 << int(S::Circle) << uint(rgb(0, 0, 0));
    QTest::newRow("2 red circle") << 2 << int(S::Circle) << uint(rgb(255, 0, 0));
    QTest::newRow("19 circle (0,255,128)") << 19 << int(S::Circle) << uint(rgb(0, 255, 128));
    QTest::newRow("20 circle takes entry 0") << 20 << int(S::Circle) << uint(rgb(0, 63, 159));
    QTest::newRow("21 black square") << 21 << int(S::Square) << uint(rgb(0, 0, 0));
    QTest::newRow("40 square entry 0") << 40 << int(S::Square) << uint(rgb(0, 63, 159));
    QTest::newRow("41 black up-triangle") << 41 << int(S::UpTriangle) << uint(rgb(0, 0, 0));
    QTest::newRow("61 black diamond") << 61 << int(S::Diamond) << uint(rgb(0, 0, 0));
    QTest::newRow("81 black down-triangle") << 81 << int(S::DownTriangle) << uint(rgb(0, 0, 0));
    QTest::newRow("101 looks like 81") << 101 << int(S::DownTriangle) << uint(rgb(0, 0, 0));
    QTest::newRow("25 looks like 35 (entries 5 and 15 alike)")
        << 25 << int(S::Square) << uint(rgb(127, 127, 0));
    QTest::newRow("32767 down-triangle, entry 7") << 32767 << int(S::DownTriangle) << uint(rgb(255, 127, 0));
}

void TstSymbols::shapeAndColourBySet() {
    QFETCH(int, set);
    QFETCH(int, shape);
    QFETCH(uint, colour);
    PlotState state;
    SetColors(state);
    QCOMPARE(int(symbolShape(int16_t(set))), shape);
    QCOMPARE(uint(symbolColor(state, int16_t(set))), colour);
}

// 640 x 480, r = 0.65 at plot (50, 50): centre (75 * 640 / 135, 70 * 480 / 145) = (355.56, 231.72)
// -> (356, 232); a = 3.08, b = 2.15, c = 3.12.
void TstSymbols::polygonsOn640x480() {
    const SymbolFrame frame = plotSymbolFrame(640, 480);
    const SymbolPolygon up = symbolPolygon(frame, 50, 50, 0.65f, 1);
    QCOMPARE(int(up.cx), 356);
    QCOMPARE(int(up.cy), 232);
    // (356 + 3.08, 232 + 1.40), (356, 232 - 2.80), (356 - 3.08, 232 + 1.40)
    QCOMPARE(points(up), (Points{{359, 233}, {356, 229}, {353, 233}}));
    const SymbolPolygon diamond = symbolPolygon(frame, 50, 50, 0.65f, 2);
    QCOMPARE(diamond.count, 4);
    // c = 3.12: 6.2 pixels high as wide.
    QCOMPARE(points(diamond), (Points{{353, 232}, {356, 229}, {359, 232}, {356, 235}}));
    const SymbolPolygon down = symbolPolygon(frame, 50, 50, 0.65f, 3);
    QCOMPARE(points(down), (Points{{359, 231}, {356, 235}, {353, 231}}));
    QCOMPARE(points(symbolPolygon(frame, 50, 50, 0.65f, 7)), points(down)); // any other kind
}

void TstSymbols::smallSymbolsHalveBeforeRounding() {
    // r = 0.325: a = 1.54, b = 1.08 -> apex 1.40 above, base 0.70 below.
    const SymbolPolygon up = symbolPolygon(plotSymbolFrame(640, 480), 50, 50, 0.325f, 1);
    QCOMPARE(points(up), (Points{{358, 233}, {356, 231}, {354, 233}}));
}

void TstSymbols::centreRoundsHalvesToEven() {
    // 270 x 290 pixels: 2 pixels per unit. px = 0.25 -> 50.5 -> 50; px = 0.75 -> 51.5 -> 52.
    const SymbolFrame frame = plotSymbolFrame(270, 290);
    QCOMPARE(int(symbolPolygon(frame, 0.25f, 0, 1, 2).cx), 50);
    QCOMPARE(int(symbolPolygon(frame, 0.75f, 0, 1, 2).cx), 52);
    // Vertex: cx 50 + a where r = 0.25 gives a = 0.5 -> 50.5 -> 50 (even).
    QCOMPARE(symbolPolygon(frame, 0.25f, 0, 0.25f, 2).vertices[2].x, 50);
}

void TstSymbols::legendFrameUsesItsOwnConstants() {
    // Legend 220 x 398 pixels, set 41 at (122, 92) size 1.3: cx = 22 * 220 / 50 = 96.8 -> 97,
    // cy = 18 * 398 / 140 = 51.17 -> 51; a = 5.72; b = 3.70; the diamond's c uses 140 too.
    const SymbolFrame frame = legendSymbolFrame(220, 398);
    const SymbolPolygon up = symbolPolygon(frame, 122, 92, 1.3f, 1);
    QCOMPARE(int(up.cx), 97);
    QCOMPARE(int(up.cy), 51);
    QCOMPARE(points(up), (Points{{103, 53}, {97, 46}, {91, 53}}));
    const SymbolPolygon diamond = symbolPolygon(frame, 122, 92, 1.3f, 2);
    QCOMPARE(diamond.vertices[1].y, 51 - 4); // c = 1.3 * 398 / 140 = 3.70
}

void TstSymbols::circleAndSquareMoveThePosition() {
    PlotState state;
    SetColors(state);
    QImage image(640, 480, QImage::Format_RGB32);
    QtCanvas canvas(&image);
    canvas.setUserScale(-25, 120, 110, -25);
    const SymbolFrame frame = plotSymbolFrame(640, 480);
    drawSetSymbol(canvas, frame, state, 3, 40, 60, 0.65f);
    QCOMPARE(canvas.currentX(), 40.0);
    QCOMPARE(canvas.currentY(), 60.0);
    drawSetSymbol(canvas, frame, state, 23, 40, 60, 0.65f);
    QCOMPARE(float(canvas.currentX()), 40.65f);
    QCOMPARE(float(canvas.currentY()), float(60 + 4.0 * 0.65f / 3));
    QCOMPARE(canvas.foreColor(), rgb(0, 255, 0)); // set 23 takes entry 3
    QCOMPARE(canvas.fillColor(), rgb(0, 255, 0));
}

void TstSymbols::polygonLeavesThePosition() {
    PlotState state;
    SetColors(state);
    QImage image(640, 480, QImage::Format_RGB32);
    QtCanvas canvas(&image);
    canvas.setUserScale(-25, 120, 110, -25);
    canvas.setCurrentPosition(7, 8);
    drawSetSymbol(canvas, plotSymbolFrame(640, 480), state, 64, 40, 60, 0.65f);
    QCOMPARE(canvas.currentX(), 7.0);
    QCOMPARE(canvas.currentY(), 8.0);
}

void TstSymbols::filledAndOpenSymbols() {
    PlotState state;
    SetColors(state);
    const QColor white(255, 255, 255);
    for (int set : {2, 22, 42, 62, 82}) {
        for (bool filled : {false, true}) {
            QImage image(640, 480, QImage::Format_RGB32);
            image.fill(white);
            {
                QtCanvas canvas(&image);
                canvas.setUserScale(-25, 120, 110, -25);
                if (filled) canvas.setFillStyle(FillStyle::Solid);
                drawSetSymbol(canvas, plotSymbolFrame(640, 480), state, int16_t(set), 50, 50, 0.65f);
            }
            // (356, 232) is the centre; every shape is red (entry 2) and about 3 pixels to each side.
            const QColor centre = image.pixelColor(356, 232);
            QCOMPARE(centre, filled ? QColor(255, 0, 0) : white);
            int red = 0;
            for (int y = 225; y < 240; ++y)
                for (int x = 349; x < 364; ++x)
                    red += image.pixelColor(x, y) == QColor(255, 0, 0);
            QVERIFY2(red >= (filled ? 15 : 8),
                     qPrintable(QString("set %1: %2 red pixels").arg(set).arg(red)));
            QCOMPARE(image.pixelColor(349, 225), white); // nothing beyond the symbol's extent
        }
    }
}

QTEST_MAIN(TstSymbols)
#include "tst_symbols.moc"

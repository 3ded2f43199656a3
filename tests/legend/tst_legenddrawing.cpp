#include "legend/LegendDrawing.h"
#include "platform/NumberText.h"
#include "platform/QtCanvas.h"
#include "render/Colors.h"
#include "render/Symbols.h"

#include <QFont>
#include <QImage>
#include <QTest>

using namespace corvex;

namespace {

constexpr Rgb kWhite = rgb(255, 255, 255);
constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kRed = rgb(255, 0, 0);
constexpr Rgb kEntry0 = rgb(0, 63, 159);
const QSize kDesignSize(220, 398); // 3300 x 5970 twips at 15 twips per pixel

PlotState coloured(bool filled) {
    PlotState state;
    SetColors(state);
    state.FilledSyms = filled;
    return state;
}

// Continuous pixel position of a legend-frame point on an image of `size`.
QPointF toPixel(double x, double y, QSize size) {
    return {(x - 100) * size.width() / 50.0, (110 - y) * size.height() / 140.0};
}

Rgb colourAt(const QImage& image, QPointF p) {
    const QColor c = image.pixelColor(int(std::floor(p.x())), int(std::floor(p.y())));
    return rgb(c.red(), c.green(), c.blue());
}

// The set's symbol centre as drawn: rounded to whole pixels, as the polygon symbols round it.
QPointF centreOf(int16_t set, QSize size) {
    const LegendEntry e = legendEntry(set);
    const QPointF p = toPixel(e.x, e.y, size);
    return {roundHalfEven(p.x()) + 0.5, roundHalfEven(p.y()) + 0.5};
}

} // namespace

class TstLegendDrawing : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QFont::insertSubstitution("MS Sans Serif", "Liberation Sans"); }
    void entryPlaces_data();
    void entryPlaces();
    void numbersWrittenAtTheirPlaces_data();
    void numbersWrittenAtTheirPlaces();
    void symbolColourAndShapeByColumnAndRow_data();
    void symbolColourAndShapeByColumnAndRow();
    void openSymbolsAreOutlines_data();
    void openSymbolsAreOutlines();
    void everyEntryDrawnAtAnySize_data();
    void everyEntryDrawnAtAnySize();
    void fillSettingsRestored_data();
    void fillSettingsRestored();
    void canvasOwnSolidFillStillApplies();
    void emptySizeGivesNullImage();
};

void TstLegendDrawing::entryPlaces_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    // y = 104 - 6 n: 98 in the first row, -16 in the twentieth; x steps by 9 per column from 104.
    QTest::newRow("1 first circle") << 1 << 0 << 1 << 104.f << 98.f;
    QTest::newRow("20 last circle") << 20 << 0 << 20 << 104.f << -16.f;
    QTest::newRow("21 first square") << 21 << 1 << 1 << 113.f << 98.f;
    QTest::newRow("40 last square") << 40 << 1 << 20 << 113.f << -16.f;
    QTest::newRow("41 first up-triangle") << 41 << 2 << 1 << 122.f << 98.f;
    QTest::newRow("70 diamond row 10") << 70 << 3 << 10 << 131.f << 44.f;
    QTest::newRow("81 first down-triangle") << 81 << 4 << 1 << 140.f << 98.f;
    QTest::newRow("100 last entry") << 100 << 4 << 20 << 140.f << -16.f;
}

void TstLegendDrawing::entryPlaces() {
    QFETCH(int, set);
    const LegendEntry e = legendEntry(int16_t(set));
    QTEST(int(e.column), "column");
    QTEST(int(e.row), "row");
    QTEST(e.x, "x");
    QTEST(e.y, "y");
}

void TstLegendDrawing::numbersWrittenAtTheirPlaces_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<uint>("colour");
    // The number starts two units right of and two above the symbol centre, in the set's colour.
    QTest::newRow("1 at (106, 100)") << "1" << 106.0 << 100.0 << uint(kBlack);
    QTest::newRow("100 at (142, -14)") << "100" << 142.0 << -14.0 << uint(kEntry0);
    QTest::newRow("22 at (115, 94), red") << "22" << 115.0 << 94.0 << uint(kRed);
    QTest::newRow("60 at (124, -14)") << "60" << 124.0 << -14.0 << uint(kEntry0);
}

// The ink next to the expected place must be exactly the number written there alone: the right text,
// at the right place, in the right colour and font.
void TstLegendDrawing::numbersWrittenAtTheirPlaces() {
    QFETCH(QString, text);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(uint, colour);
    const QImage legend = renderLegend(coloured(true), kDesignSize, 96);

    QImage alone(kDesignSize, QImage::Format_RGB32);
    {
        QtCanvas canvas(&alone, 96);
        canvas.setBackColor(kWhite);
        canvas.clear();
        canvas.setUserScale(100, 110, 150, -30);
        canvas.setFont(kLegendFontFamily, kLegendFontPoints, false);
        canvas.setForeColor(colour);
        canvas.setCurrentPosition(x, y);
        canvas.print(text.toStdString());
    }
    // From one pixel left of the place, wide enough for three digits (about 19 px), one text line
    // high; it reaches neither this entry's symbol, nor the next column's, nor the next row's.
    const QPoint at = toPixel(x, y, kDesignSize).toPoint();
    const QRect region(at.x() - 1, at.y() - 1, 22, 16);
    int ink = 0;
    for (int py = region.top(); py <= region.bottom(); ++py)
        for (int px = region.left(); px <= region.right(); ++px) {
            QCOMPARE(legend.pixel(px, py), alone.pixel(px, py));
            const QColor c = legend.pixelColor(px, py);
            const Rgb seen = rgb(c.red(), c.green(), c.blue());
            if (seen != kWhite) {
                QCOMPARE(uint(seen), colour);
                ++ink;
            }
        }
    QVERIFY2(ink > 5 * text.size(), "the number leaves ink");
}

// Shape probes, in pixels from the centre on a legend of 660 x 1194 (three times the design size),
// where a = 17.2 px (half-width), the square's half-height 14.8, the circle's radius 17.2, the
// triangles' apex 14.4 and base 7.2 from the centre, the diamond's half-height 11.1. Every probe lies
// at least 1.2 px inside or outside each shape.
struct Probe {
    const char* name;
    double dx, dy;
};
constexpr Probe kProbes[] = {
    {"upper-left corner", -14.6, -12.6}, // square only
    {"above", 0, -12.5},                 // circle, square, up-triangle
    {"below", 0, 12.5},                  // circle, square, down-triangle
    {"left", -14, 0},                    // circle, square, diamond
};

void TstLegendDrawing::symbolColourAndShapeByColumnAndRow_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("inside"); // per probe: 1 inside the shape, 0 outside
    // Column by shape; colour PlotColor(set mod 20), so each row keeps its colour across columns.
    QTest::newRow("1 black circle") << 1 << uint(kBlack) << "0111";
    QTest::newRow("21 black square") << 21 << uint(kBlack) << "1111";
    QTest::newRow("41 black up-triangle") << 41 << uint(kBlack) << "0100";
    QTest::newRow("61 black diamond") << 61 << uint(kBlack) << "0001";
    QTest::newRow("81 black down-triangle") << 81 << uint(kBlack) << "0010";
    QTest::newRow("2 red circle") << 2 << uint(kRed) << "0111";
    QTest::newRow("22 red square") << 22 << uint(kRed) << "1111";
    QTest::newRow("20 circle, entry 0") << 20 << uint(kEntry0) << "0111";
    QTest::newRow("40 square, entry 0") << 40 << uint(kEntry0) << "1111";
    QTest::newRow("60 up-triangle, entry 0") << 60 << uint(kEntry0) << "0100";
    QTest::newRow("80 diamond, entry 0") << 80 << uint(kEntry0) << "0001";
    QTest::newRow("100 down-triangle, entry 0") << 100 << uint(kEntry0) << "0010";
    QTest::newRow("99 down-triangle, entry 19") << 99 << uint(rgb(0, 255, 128)) << "0010";
    QTest::newRow("57 up-triangle, entry 17") << 57 << uint(rgb(128, 128, 192)) << "0100";
}

void TstLegendDrawing::symbolColourAndShapeByColumnAndRow() {
    QFETCH(int, set);
    QFETCH(uint, colour);
    QFETCH(QString, inside);
    const QSize size = kDesignSize * 3;
    const QImage legend = renderLegend(coloured(true), size, 96);
    const QPointF centre = centreOf(int16_t(set), size);
    QCOMPARE(uint(colourAt(legend, centre)), colour);
    for (int i = 0; i < 4; ++i) {
        const Rgb seen = colourAt(legend, centre + QPointF(kProbes[i].dx, kProbes[i].dy));
        const Rgb expected = inside[i] == '1' ? colour : kWhite;
        QVERIFY2(seen == expected, kProbes[i].name);
    }
}

void TstLegendDrawing::openSymbolsAreOutlines_data() {
    QTest::addColumn<int>("set");
    for (int set : {1, 21, 41, 61, 81, 100})
        QTest::newRow(qPrintable(QString("set %1").arg(set))) << set;
}

// Without FilledSyms the centre stays white and the outline lies left of it, in the set's colour.
void TstLegendDrawing::openSymbolsAreOutlines() {
    QFETCH(int, set);
    const PlotState state = coloured(false);
    const QSize size = kDesignSize * 3;
    const QImage legend = renderLegend(state, size, 96);
    const QPointF centre = centreOf(int16_t(set), size);
    QCOMPARE(uint(colourAt(legend, centre)), uint(kWhite));
    int outline = 0;
    for (int dx = 1; dx <= 20; ++dx)
        if (colourAt(legend, centre - QPointF(dx, 0)) == symbolColor(state, int16_t(set))) ++outline;
    QVERIFY2(outline >= 1 && outline <= 2, "a one-pixel outline, not a filled shape");
}

void TstLegendDrawing::everyEntryDrawnAtAnySize_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("filled");
    QTest::newRow("design size, filled") << kDesignSize << true;
    QTest::newRow("design size, open") << kDesignSize << false;
    // A window resized out of proportion: the polygons still sit on the entries' centres. (Circles
    // keep their radius along x, so a much lower window would make neighbouring circles overlap.)
    QTest::newRow("wider, filled") << QSize(330, 398) << true;
    QTest::newRow("narrow and tall, filled") << QSize(180, 700) << true;
}

// All 100 entries appear, whatever the data: the centre pixel carries the set's colour when filled
// and stays white when open.
void TstLegendDrawing::everyEntryDrawnAtAnySize() {
    QFETCH(QSize, size);
    QFETCH(bool, filled);
    const PlotState state = coloured(filled);
    const QImage legend = renderLegend(state, size, 96);
    QCOMPARE(legend.size(), size);
    for (int16_t set = 1; set <= kLegendSets; ++set) {
        const Rgb expected = filled ? symbolColor(state, set) : kWhite;
        QVERIFY2(colourAt(legend, centreOf(set, size)) == expected, qPrintable(QString("set %1").arg(set)));
    }
}

void TstLegendDrawing::fillSettingsRestored_data() {
    QTest::addColumn<bool>("filled");
    QTest::addColumn<int>("style");
    QTest::addColumn<uint>("fill");
    QTest::addColumn<uint>("fore");
    // Each repaint sets the colours of 100 sets and maybe a solid fill; none of that may stay behind.
    QTest::newRow("filled symbols over a transparent canvas")
        << true << int(FillStyle::Transparent) << uint(rgb(1, 2, 3)) << uint(rgb(4, 5, 6));
    QTest::newRow("open symbols over a transparent canvas")
        << false << int(FillStyle::Transparent) << uint(kBlack) << uint(kBlack);
    QTest::newRow("filled symbols over a solid canvas")
        << true << int(FillStyle::Solid) << uint(kWhite) << uint(kRed);
}

void TstLegendDrawing::fillSettingsRestored() {
    QFETCH(bool, filled);
    QFETCH(int, style);
    QFETCH(uint, fill);
    QFETCH(uint, fore);
    QImage image(kDesignSize, QImage::Format_RGB32);
    QtCanvas canvas(&image, 96);
    canvas.setFillStyle(FillStyle(style));
    canvas.setFillColor(fill);
    canvas.setForeColor(fore);
    drawLegend(canvas, coloured(filled), kDesignSize.width(), kDesignSize.height());
    QCOMPARE(int(canvas.fillStyle()), style);
    QCOMPARE(uint(canvas.fillColor()), fill);
    QCOMPARE(uint(canvas.foreColor()), fore);
}

// Without FilledSyms the window's own fill setting applies: a solid canvas fills the symbols anyway.
void TstLegendDrawing::canvasOwnSolidFillStillApplies() {
    QImage image(kDesignSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    const PlotState state = coloured(false);
    {
        QtCanvas canvas(&image, 96);
        canvas.setFillStyle(FillStyle::Solid);
        drawLegend(canvas, state, kDesignSize.width(), kDesignSize.height());
    }
    QCOMPARE(uint(colourAt(image, centreOf(22, kDesignSize))), uint(kRed));
    QCOMPARE(uint(colourAt(image, centreOf(61, kDesignSize))), uint(kBlack));
}

void TstLegendDrawing::emptySizeGivesNullImage() {
    QVERIFY(renderLegend(coloured(true), QSize(0, 398), 96).isNull());
    QVERIFY(renderLegend(coloured(true), QSize(220, -1), 96).isNull());
}

QTEST_MAIN(TstLegendDrawing)
#include "tst_legenddrawing.moc"

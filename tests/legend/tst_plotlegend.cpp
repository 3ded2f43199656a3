#include "app/PlotLegend.h"
#include "legend/LegendDrawing.h"
#include "model/Colors.h"
#include "platform/NumberText.h"
#include "platform/QtCanvas.h"

#include <QtTest>

using namespace corvex;

constexpr Rgb kWhite = rgb(255, 255, 255), kEntry0 = rgb(0, 63, 159);
const QSize kDesignSize(220, 398); // 3300 x 5970 twips at 15 twips per pixel

static DisplayOptions coloured(bool filled) {
    DisplayOptions options;
    SetColors(options);
    options.FilledSyms = filled;
    return options;
}

static Rgb colourAt(const QImage& image, QPointF p) {
    const QColor c = image.pixelColor(int(std::floor(p.x())), int(std::floor(p.y())));
    return rgb(c.red(), c.green(), c.blue());
}

// Probes in pixels from the centre at three times the design size (half-width 17.2, square half-height 14.8,
// triangles' apex 14.4 and base 7.2, diamond half-height 11.1): each 1.2 px or more inside or outside.
constexpr QPointF kProbes[] = {
    {-14.6, -12.6}, // upper-left corner: square only
    {0, -12.5},     // above: circle, square, up-triangle
    {0, 12.5},      // below: circle, square, down-triangle
    {-14, 0},       // left: circle, square, diamond
};

class TstPlotLegend : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QFont::insertSubstitution("MS Sans Serif", "Liberation Sans"); }

    // Column by shape at x 104 + 9 per column, y 104 - 6 per row, in PlotColor(set mod 20); per probe 1
    // inside the filled shape. Open: the centre white, a one-pixel outline left of it in the set's colour.
    void symbolsByColumnAndRow() {
        // The symbol's centre in legend units, its colour, the probes inside it.
        const std::tuple<QPointF, Rgb, const char*> cases[] = {
            {{104, 98}, rgb(0, 0, 0), "0111"},      // set 1: black circle
            {{113, 92}, rgb(255, 0, 0), "1111"},    // set 22: red square
            {{122, 98}, rgb(0, 0, 0), "0100"},      // set 41: black up-triangle
            {{131, -10}, rgb(0, 255, 128), "0001"}, // set 79: diamond, entry 19
            {{140, -16}, kEntry0, "0010"},          // set 100: down-triangle, entry 0
        };
        const QSize size = kDesignSize * 3;
        const QImage filled = renderLegend(coloured(true), size, 96),
                     open = renderLegend(coloured(false), size, 96);
        for (const auto& [at, colour, inside] : cases) {
            const QPointF p((at.x() - 100) * size.width() / 50.0, (110 - at.y()) * size.height() / 140.0);
            const QPointF centre(roundHalfEven(p.x()) + 0.5, roundHalfEven(p.y()) + 0.5); // as polygons round
            QCOMPARE(colourAt(filled, centre), colour);
            for (int i = 0; i < 4; ++i)
                QCOMPARE(colourAt(filled, centre + kProbes[i]), inside[i] == '1' ? colour : kWhite);
            QCOMPARE(colourAt(open, centre), kWhite);
            int outline = 0;
            for (int dx = 1; dx <= 20; ++dx)
                if (colourAt(open, centre - QPointF(dx, 0)) == colour) ++outline;
            QVERIFY2(outline >= 1 && outline <= 2, "a one-pixel outline, not a filled shape");
        }
    }

    // Each repaint sets the colours of 100 sets and a solid fill; none of that may stay behind.
    void fillSettingsRestored() {
        QImage image(kDesignSize, QImage::Format_RGB32);
        QtCanvas canvas(&image, 96);
        canvas.setFillStyle(FillStyle::Transparent);
        canvas.setFillColor(rgb(1, 2, 3));
        canvas.setForeColor(rgb(4, 5, 6));
        drawLegend(canvas, coloured(true), kDesignSize.width(), kDesignSize.height());
        QCOMPARE(std::tuple(int(canvas.fillStyle()), uint(canvas.fillColor()), uint(canvas.foreColor())),
                 std::tuple(int(FillStyle::Transparent), uint(rgb(1, 2, 3)), uint(rgb(4, 5, 6))));
    }
    // A resizable legend takes its pixel size again at every repaint, so its polygon symbols follow.
    void resizeRedrawsAtTheNewSize() {
        const DisplayOptions options = coloured(true);
        PlotLegend legend(options, 0);
        legend.show();
        legend.resize(330, 500);
        const QImage resized = legend.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(resized, renderLegend(options, QSize(330, 500), legend.logicalDpiY()));
        // Diamond of set 61 at (131, 98): pixel (31 * 330 / 50, 12 * 500 / 140) = (204.6, 42.9) -> (205, 43).
        QCOMPARE(resized.pixelColor(205, 43), QColor(Qt::black));
    }
};

QTEST_MAIN(TstPlotLegend)
#include "tst_plotlegend.moc"

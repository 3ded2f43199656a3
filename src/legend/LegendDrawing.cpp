#include "legend/LegendDrawing.h"

#include "model/Colors.h"
#include "platform/NumberText.h"
#include "platform/QtCanvas.h"
#include "render/Symbols.h"

namespace corvex {

LegendEntry legendEntry(int16_t i) {
    const int16_t column = int16_t((i - 1) / 20);
    const int16_t row = int16_t(i - 20 * column);
    return {column, row, float(104 + 9 * column), float(104 - 6 * row)};
}

void drawLegend(Canvas& canvas, const DisplayOptions& options, float lgndPixWidth, float lgndPixHeight) {
    canvas.setUserScale(100, 110, 150, -30);
    const FillStyle oldStyle = canvas.fillStyle();
    const Rgb oldFill = canvas.fillColor();
    const Rgb oldFore = canvas.foreColor();
    if (options.FilledSyms) canvas.setFillStyle(FillStyle::Solid);
    canvas.setFont(kLegendFontFamily, kLegendFontPoints, false);

    const SymbolFrame frame = legendSymbolFrame(lgndPixWidth, lgndPixHeight);
    for (int16_t i = 1; i <= kLegendSets; ++i) {
        const LegendEntry entry = legendEntry(i);
        // Sets fill and drawing colour to the set's colour, so the number below is written in it too.
        drawSetSymbol(canvas, frame, options.PlotColor, i, entry.x, entry.y, kLegendSymbolSize);
        canvas.setCurrentPosition(entry.x + 2.0f, entry.y + 2.0f);
        canvas.print(formatNumber(i, "###"));
    }

    canvas.setFillStyle(oldStyle);
    canvas.setFillColor(oldFill);
    canvas.setForeColor(oldFore);
}

QImage renderLegend(const DisplayOptions& options, QSize pixelSize, double logicalDpi) {
    if (pixelSize.isEmpty()) return {};
    QImage image(pixelSize, QImage::Format_RGB32);
    {
        QtCanvas canvas(&image, logicalDpi);
        canvas.setBackColor(rgb(255, 255, 255));
        canvas.clear();
        drawLegend(canvas, options, float(pixelSize.width()), float(pixelSize.height()));
    } // the painter ends here, before the image is handed out
    return image;
}

} // namespace corvex

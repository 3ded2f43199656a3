#include "render/PlotLayout.h"

#include "platform/NumberText.h"

#include <algorithm>

namespace corvex {

PlotFontSizes plotFontSizes(const DisplayOptions& options, double outerWidthTwips, double outerHeightTwips) {
    const float winMeasure = float(std::max(outerHeightTwips, outerWidthTwips));
    auto points = [](double v) { return int16_t(std::clamp(roundHalfEven(v), 0.0, 32767.0)); };
    return {points(double(options.XLgndFntScale) * winMeasure), points(0.0012 * winMeasure),
            int32_t(std::clamp(roundHalfEven(double(options.YLgndFntScale) * winMeasure), 0.0, 1e6))};
}

PlotLayout layOutPlot(bool dataLoaded, const PlotRange& range, const DisplayOptions& options,
                      double outerWidthTwips, double outerHeightTwips) {
    PlotLayout layout;
    layout.fonts = plotFontSizes(options, outerWidthTwips, outerHeightTwips);
    if (!dataLoaded) {
        layout.warnings.push_back(
            {"There Are No Data To Plot Yet!\n\r       Load a Data File 1st.", "Load Data"});
        return layout;
    }
    layout.x = SetUpAxis(AxisName::X, range.PlotXMin, range.PlotXMax);
    layout.y = SetUpAxis(AxisName::Y, range.PlotYMin, range.PlotYMax);
    for (const AxisSetup* axis : {&layout.x, &layout.y})
        for (const std::string& text : axis->Warnings)
            layout.warnings.push_back({text, kDataErrorTitle});
    layout.range = {layout.x.PlotMin, layout.x.PlotMax, layout.y.PlotMin, layout.y.PlotMax};
    layout.drawable = layout.x.Drawable && layout.y.Drawable;
    layout.axes = {axisScale(layout.x), axisScale(layout.y), layout.x.AxisMin,
                   layout.y.AxisMin,    layout.x.AxisMax,    layout.y.AxisMax};
    return layout;
}

} // namespace corvex

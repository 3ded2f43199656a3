#pragma once
// What the zoom and the coordinate readout change in the main window. The main window implements this;
// tests record the calls.

#include "model/PlotState.h"
#include "platform/Services.h"

#include <string>

namespace corvex {

inline constexpr Rgb kDraggedBandColour = 255;  // RGB(255, 0, 0): the outline following the pointer
inline constexpr Rgb kReleasedBandColour = 128; // RGB(128, 0, 0): the outline left after the release

class ZoomHost {
  public:
    virtual ~ZoomHost() = default;
    // Shows the zoom box outline between two corners (plot units) in `colour` over the plot, replacing
    // any outline shown before. It stays until clearBand() or the next repaint of the plot.
    virtual void drawBand(float x1, float y1, float x2, float y2, Rgb colour) = 0;
    // Removes the outline without repainting the plot.
    virtual void clearBand() = 0;
    virtual void setReadout(const std::string& text) = 0; // caption of XYLabel
    virtual void setZoomoutEnabled(bool enabled) = 0;     // the "&ZoomOut" menu item
    // Form_Paint: draws the plot from the state (which removes any outline) and leaves the new axis
    // ends and scales in the window fields.
    virtual void repaintPlot() = 0;
    virtual MessageService& messages() = 0;
};

} // namespace corvex

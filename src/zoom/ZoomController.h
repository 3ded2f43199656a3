#pragma once
// Zooming with a dragged rectangle, zooming out, and the coordinate readout of the main window. The
// window passes its mouse events here in plot units (the button and shift state do not matter).

#include "model/PlotState.h"
#include "zoom/ZoomHost.h"

namespace corvex {

inline constexpr const char* kZoomErrorTitle = "Error in Zooming";
inline constexpr const char* kNoDataInBox = "There Were No Data Within the Zoom-In Box!";
inline constexpr const char* kSinglePointInBox = "You CANNOT Zoom Around a Single Point!";

// The zoom box while it is dragged: its corners in plot units.
struct ZoomDrag {
    bool Dragging = false, FirstMove = false;
    float BoxX1 = 0, BoxY1 = 0, BoxX2 = 0, BoxY2 = 0;
};

class ZoomController {
  public:
    // Reads the points, the axes as drawn and ShowCoords; a zoom changes the plot range.
    ZoomController(const PlotData& data, PlotRange& range, const DrawnAxes& axes,
                   const DisplayOptions& options, ZoomHost& host);

    // Button down at (x, y): while data are loaded, starts a drag anchored there; otherwise nothing.
    void Form_MouseDown(float x, float y);
    // Pointer at (x, y): updates the readout (ShowCoords and DataLoaded), then, while dragging, moves the
    // box's free corner there and shows the outline in RGB(255, 0, 0).
    void Form_MouseMove(float x, float y);
    // Button up: ends the drag, leaving the last outline in RGB(128, 0, 0), and zooms when the box has
    // area in plot units. The pointer position is not used: the box is the one last shown.
    void Form_MouseUp();
    const ZoomDrag& drag() const { return m_drag; }
    // Applies the box BoxX1..BoxY2 to the plot range when it holds two or more points, else reports why
    // not. A box that is flat in data values (or cannot be converted) changes nothing at all.
    void ZoomToBox();
    // "&ZoomOut": the plot range becomes the extent of all points; the item is disabled.
    void Zoomout_Click();

  private:
    void clearCornersAndRepaint();

    const PlotData& m_data;
    PlotRange& m_range;
    const DrawnAxes& m_axes;
    const DisplayOptions& m_options;
    ZoomHost& m_host;
    ZoomDrag m_drag;
};

} // namespace corvex

#pragma once
// Zooming with a dragged rectangle, zooming out, and the coordinate readout of the main window. The
// window passes its mouse events here in plot units (the button and shift state do not matter).

#include "app/PlotState.h"
#include "zoom/ZoomHost.h"

namespace corvex {

inline constexpr const char* kZoomErrorTitle = "Error in Zooming";
inline constexpr const char* kNoDataInBox = "There Were No Data Within the Zoom-In Box!";
inline constexpr const char* kSinglePointInBox = "You CANNOT Zoom Around a Single Point!";

class ZoomController {
  public:
    ZoomController(PlotState& state, PlotWindowFields& fields, ZoomHost& host);

    // Button down at (x, y): while data are loaded, starts a drag anchored there; otherwise nothing.
    void Form_MouseDown(float x, float y);
    // Pointer at (x, y): updates the readout (ShowCoords and DataLoaded), then, while dragging, moves the
    // box's free corner there and shows the outline in RGB(255, 0, 0).
    void Form_MouseMove(float x, float y);
    // Button up: ends the drag, leaving the last outline in RGB(128, 0, 0), and zooms when the box has
    // area in plot units. The pointer position is not used: the box is the one last shown.
    void Form_MouseUp();
    // Applies the box BoxX1..BoxY2 to the plot range when it holds two or more points, else reports why
    // not. A box that is flat in data values (or cannot be converted) changes nothing at all.
    void ZoomToBox();
    // "&ZoomOut": the plot range becomes the extent of all points; the item is disabled.
    void Zoomout_Click();

  private:
    void clearCornersAndRepaint();

    PlotState& m_state;
    PlotWindowFields& m_fields;
    ZoomHost& m_host;
};

} // namespace corvex

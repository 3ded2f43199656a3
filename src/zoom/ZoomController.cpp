#include "zoom/ZoomController.h"

#include "datafile/PlotReader.h"
#include "model/PlotFrame.h"
#include "zoom/CoordinateReadout.h"
#include "zoom/ZoomBox.h"

namespace corvex {

ZoomController::ZoomController(const PlotData& data, PlotRange& range, const DrawnAxes& axes,
                               const DisplayOptions& options, ZoomHost& host)
    : m_data(data), m_range(range), m_axes(axes), m_options(options), m_host(host) {}

void ZoomController::Form_MouseDown(float x, float y) {
    if (!m_data.DataLoaded) return;
    m_drag.Dragging = true;
    m_drag.FirstMove = true;
    m_drag.BoxX1 = m_drag.BoxX2 = x;
    m_drag.BoxY1 = m_drag.BoxY2 = y;
}

void ZoomController::Form_MouseMove(float x, float y) {
    if (const auto text = coordinateReadout(m_options.ShowCoords && m_data.DataLoaded, m_axes, x, y))
        m_host.setReadout(*text);
    if (!m_drag.Dragging) return;
    // drawBand replaces the outline shown before, so the old one needs no erasing here.
    m_drag.FirstMove = false;
    m_drag.BoxX2 = x;
    m_drag.BoxY2 = y;
    m_host.drawBand(m_drag.BoxX1, m_drag.BoxY1, m_drag.BoxX2, m_drag.BoxY2, kDraggedBandColour);
}

void ZoomController::Form_MouseUp() {
    // A release without a drag of our own (pressed before data were loaded) must not zoom to an old box.
    if (!m_drag.Dragging) return;
    const bool bandShown = !m_drag.FirstMove;
    m_drag.FirstMove = true;
    m_drag.Dragging = false;
    if (!m_data.DataLoaded) {
        // The data went away during the drag: end it without zooming and take the outline down.
        if (bandShown) m_host.clearBand();
        return;
    }
    // A click without movement showed no outline and leaves none behind.
    if (bandShown)
        m_host.drawBand(m_drag.BoxX1, m_drag.BoxY1, m_drag.BoxX2, m_drag.BoxY2, kReleasedBandColour);
    ZoomToBox(); // a box without width or height zooms nowhere
}

void ZoomController::ZoomToBox() {
    const auto corner1 = plotToData(m_axes, m_drag.BoxX1, m_drag.BoxY1);
    const auto corner2 = plotToData(m_axes, m_drag.BoxX2, m_drag.BoxY2);
    if (!corner1 || !corner2) return; // no axes drawn yet
    if (corner1->x == corner2->x || corner1->y == corner2->y) return;

    const DataRect box = orderAndPullInside({corner1->x, corner1->y, corner2->x, corner2->y}, m_axes);
    const int32_t inside = countPointsInside(m_data, box);
    if (inside < 2) {
        m_host.messages().show(inside == 0 ? kNoDataInBox : kSinglePointInBox, kZoomErrorTitle,
                               MessageIcon::Exclamation);
        clearCornersAndRepaint();
        return;
    }
    // The new range is the box itself, not the extent of the points inside it.
    m_range = {box.x1, box.x2, box.y1, box.y2};
    m_host.setZoomoutEnabled(true);
    clearCornersAndRepaint();
}

void ZoomController::Zoomout_Click() {
    m_range = FindLimits(m_data.XVal, m_data.YVal, storedPointCount(m_data));
    m_host.setZoomoutEnabled(false);
    if (m_data.DataLoaded) m_host.repaintPlot();
}

void ZoomController::clearCornersAndRepaint() {
    m_drag.BoxX1 = m_drag.BoxY1 = m_drag.BoxX2 = m_drag.BoxY2 = 0;
    m_host.repaintPlot();
}

} // namespace corvex

#include "zoom/ZoomController.h"

#include "datafile/PlotReader.h"
#include "zoom/CoordinateReadout.h"
#include "zoom/PlotToData.h"
#include "zoom/ZoomBox.h"

namespace corvex {

ZoomController::ZoomController(PlotState& state, PlotWindowFields& fields, ZoomHost& host)
    : m_state(state), m_fields(fields), m_host(host) {}

void ZoomController::Form_MouseDown(float x, float y) {
    if (!m_state.DataLoaded) return;
    m_fields.Dragging = true;
    m_fields.FirstMove = true;
    m_fields.BoxX1 = m_fields.BoxX2 = x;
    m_fields.BoxY1 = m_fields.BoxY2 = y;
}

void ZoomController::Form_MouseMove(float x, float y) {
    if (const auto text = coordinateReadout(m_state, m_fields, x, y)) m_host.setReadout(*text);
    if (!m_fields.Dragging) return;
    // drawBand replaces the outline shown before, so the old one needs no erasing here.
    m_fields.FirstMove = false;
    m_fields.BoxX2 = x;
    m_fields.BoxY2 = y;
    m_host.drawBand(m_fields.BoxX1, m_fields.BoxY1, m_fields.BoxX2, m_fields.BoxY2, kDraggedBandColour);
}

void ZoomController::Form_MouseUp() {
    // A release without a drag of our own (pressed before data were loaded) must not zoom to an old box.
    if (!m_fields.Dragging) return;
    const bool bandShown = !m_fields.FirstMove;
    m_fields.FirstMove = true;
    m_fields.Dragging = false;
    if (!m_state.DataLoaded) {
        // The data went away during the drag: end it without zooming and take the outline down.
        if (bandShown) m_host.clearBand();
        return;
    }
    // A click without movement showed no outline and leaves none behind.
    if (bandShown)
        m_host.drawBand(m_fields.BoxX1, m_fields.BoxY1, m_fields.BoxX2, m_fields.BoxY2, kReleasedBandColour);
    if (m_fields.BoxX1 != m_fields.BoxX2 && m_fields.BoxY1 != m_fields.BoxY2) ZoomToBox();
}

void ZoomController::ZoomToBox() {
    const auto corner1 = plotToData(m_fields, m_fields.BoxX1, m_fields.BoxY1);
    const auto corner2 = plotToData(m_fields, m_fields.BoxX2, m_fields.BoxY2);
    if (!corner1 || !corner2) return; // no axes drawn yet
    if (corner1->x == corner2->x || corner1->y == corner2->y) return;

    const DataRect box = orderAndPullInside({corner1->x, corner1->y, corner2->x, corner2->y}, m_fields);
    const int32_t inside = countPointsInside(m_state, box, 2);
    if (inside < 2) {
        m_host.messages().show(inside == 0 ? kNoDataInBox : kSinglePointInBox, kZoomErrorTitle,
                               MessageIcon::Exclamation);
        clearCornersAndRepaint();
        return;
    }
    // The new range is the box itself, not the extent of the points inside it.
    m_state.PlotXMin = box.x1;
    m_state.PlotXMax = box.x2;
    m_state.PlotYMin = box.y1;
    m_state.PlotYMax = box.y2;
    m_host.setZoomoutEnabled(true);
    clearCornersAndRepaint();
}

void ZoomController::Zoomout_Click() {
    FindLimits(m_state, m_state.XVal, m_state.YVal, storedPointCount(m_state));
    m_host.setZoomoutEnabled(false);
    if (m_state.DataLoaded) m_host.repaint();
}

void ZoomController::clearCornersAndRepaint() {
    m_fields.BoxX1 = m_fields.BoxY1 = m_fields.BoxX2 = m_fields.BoxY2 = 0;
    m_host.repaint();
}

} // namespace corvex

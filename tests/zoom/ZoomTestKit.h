#pragma once
// A recording zoom host and a rig holding plot state, window fields and the zoom controller.

#include "support/Recorders.h"
#include "zoom/ZoomController.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace corvex::testing {

struct BandCall {
    float x1, y1, x2, y2;
    Rgb colour;
};

class ZoomHostRecorder : public ZoomHost {
  public:
    void drawBand(float x1, float y1, float x2, float y2, Rgb colour) override {
        bands.push_back({x1, y1, x2, y2, colour});
    }
    void clearBand() override { ++bandClears; }
    void setReadout(const std::string& text) override { readouts.push_back(text); }
    void setZoomoutEnabled(bool enabled) override { zoomoutStates.push_back(enabled); }
    void repaint() override {
        ++repaints;
        if (onRepaint) onRepaint();
    }
    MessageService& messages() override { return messageRecorder; }

    std::vector<BandCall> bands;
    int bandClears = 0;
    std::vector<std::string> readouts;
    std::vector<bool> zoomoutStates;
    int repaints = 0;
    std::function<void()> onRepaint; // stands in for the axis set-up of a real repaint
    MessageRecorder messageRecorder;
};

struct Point {
    float x, y;
    int16_t set = 1;
};

class ZoomRig {
  public:
    // Points 1..n as the reader stores them, with the full range as FindLimits leaves it.
    void load(const std::vector<Point>& points) {
        state.NumPts = static_cast<int32_t>(points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            state.XVal[i + 1] = points[i].x;
            state.YVal[i + 1] = points[i].y;
            state.SetNo[i + 1] = points[i].set;
        }
        state.PlotXMin = state.PlotYMin = 1e30f;
        state.PlotXMax = state.PlotYMax = -1e30f;
        for (const Point& p : points) {
            state.PlotXMin = std::min(state.PlotXMin, p.x);
            state.PlotXMax = std::max(state.PlotXMax, p.x);
            state.PlotYMin = std::min(state.PlotYMin, p.y);
            state.PlotYMax = std::max(state.PlotYMax, p.y);
        }
        state.DataLoaded = true;
    }

    // The axis fields a repaint leaves: xMin..xMax drawn at plot x 0..100, yMin..yMax at plot y 0..100.
    void setAxes(float xMin, float xMax, float yMin, float yMax) {
        fields.XAxisMin = xMin;
        fields.XAxisMax = xMax;
        fields.YAxisMin = yMin;
        fields.YAxisMax = yMax;
        fields.XScale = static_cast<float>(100.0L / (static_cast<long double>(xMax) - xMin));
        fields.YScale = static_cast<float>(100.0L / (static_cast<long double>(yMax) - yMin));
    }

    // Button down at the first corner, a move half-way, a move to the second corner, button up.
    void drag(float x1, float y1, float x2, float y2) {
        zoom.Form_MouseDown(x1, y1);
        zoom.Form_MouseMove((x1 + x2) / 2, (y1 + y2) / 2);
        zoom.Form_MouseMove(x2, y2);
        zoom.Form_MouseUp();
    }

    PlotState state;
    PlotWindowFields fields;
    ZoomHostRecorder host;
    ZoomController zoom{state, fields, host};
};

// Four floats printed exactly enough to tell neighbouring 4-byte floats apart.
inline QString quad(float a, float b, float c, float d) {
    return QString::asprintf("%.9g %.9g %.9g %.9g", a, b, c, d);
}

inline QString plotRange(const PlotState& s) {
    return quad(s.PlotXMin, s.PlotXMax, s.PlotYMin, s.PlotYMax);
}

inline QString corners(const PlotWindowFields& f) {
    return quad(f.BoxX1, f.BoxY1, f.BoxX2, f.BoxY2);
}

} // namespace corvex::testing

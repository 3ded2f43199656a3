#pragma once
// One plot file drawn into an image, SVG or PDF file exactly as the main window draws it: loading,
// layout and drawing shared by the one-file and batch runs and the watch service of corvex-render.

#include "RenderOptions.h"
#include "model/PlotState.h"
#include "platform/Services.h"
#include "render/PlotPainter.h"

#include <memory>
#include <string>

inline constexpr double kDpi = 96; // 15 twips per pixel, as on the usual screen

// The display options of the command line, from the start-up values.
corvex::DisplayOptions displayOptions(const RenderOptions& o);

// A plot file as loaded and laid out.
struct LoadedPlot {
    std::unique_ptr<corvex::PlotData> data = std::make_unique<corvex::PlotData>(); // 2.5 MB: off the stack
    corvex::PlotRange range;
    corvex::PlotLayout layout;
    std::string caption = corvex::kVersionCaption;
};

// Starts the font system (its configuration, caches and the plot font's file), which the first plot
// would otherwise wait for.
void startFontSystem();

// Loads INPUT as the window loads a plot, with its caption; false when it cannot be opened.
bool loadPlot(const std::string& input, LoadedPlot& plot, corvex::MessageService& messages);

// Lays out the loaded data at the options' size, as a repaint of the window does: shows the warnings and
// keeps a widened flat range. Without data the layout stays not drawable.
void layOut(LoadedPlot& plot, const RenderOptions& o, const corvex::DisplayOptions& options,
            corvex::MessageService& messages);

struct RenderResult {
    corvex::PlotPaintReport report;
    bool written = false;
};

// Draws a drawable plot into `output`, whose extension picks the format (PNG unless .bmp, .svg or
// .pdf); an empty output draws into a scratch image and writes nothing.
RenderResult drawInto(const LoadedPlot& plot, const RenderOptions& o, const corvex::DisplayOptions& options,
                      const std::string& output);

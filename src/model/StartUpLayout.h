#pragma once
// Start-up geometry of the main window, in twips (1/1440 inch), as plain arithmetic.

namespace corvex {

struct ScreenMetrics {
    double widthTwips = 0, heightTwips = 0;
    double twipsPerPixelX = 15, twipsPerPixelY = 15;
};

struct StartUpPlacement {
    double left = 0, top = 0, width = 0, height = 0; // outer window, twips
    float readoutPoints = 9.75f;                     // font of the readout strip
};

// Screen width in pixels is width / twips-per-pixel (vertical figure, as a 4-byte float); above 640 pixels
// (640 itself does not count) the readout strip gets 12-point text. The window is 0.65 of the screen and
// sits towards the bottom right: left = screen width - 1.05 x window width, likewise top.
StartUpPlacement startUpPlacement(const ScreenMetrics& screen);

} // namespace corvex

#pragma once
// Page geometry of a printed plot: which way the page is turned and where the picture goes on it.

namespace corvex {

enum class PageOrientation { Portrait, Landscape };

// Portrait when the picture is at least as tall as it is wide (so a square prints portrait), else landscape.
PageOrientation OrientationFor(double pictureWidth, double pictureHeight);

// The part of the page the printer can print on: the paper less the printer's own margins, in the printer's
// units with the origin at the paper's top left corner.
struct PrintableArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// Position and size of the picture on the page, in the printer's units (origin at the paper's top left).
struct PicturePlacement {
    float left = 0;
    float top = 0;
    double width = 0;
    double height = 0;
};

// Fits a pictureWidth x pictureHeight picture (any unit; only its ratio counts) into the printable area with
// its aspect ratio kept, takes 80 per cent of that and centres it on the area, so every side keeps a margin
// of at least 10 per cent of the area. All ratios in double; left and top are stored as 4-byte floats. A
// picture or an area without extent gets an empty placement at the area's centre.
PicturePlacement PlacePicture(double pictureWidth, double pictureHeight, const PrintableArea& area);

} // namespace corvex

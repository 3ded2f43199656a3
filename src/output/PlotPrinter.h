#pragma once
// "To Printer": the plot printed on one page, turned to suit its shape, fitted, at 80 per cent and centred.

#include "platform/Services.h"

#include <functional>

class QImage;
class QPainter;
class QPrinter;

namespace corvex {

inline constexpr int kInvalidPictureError = 481; // the picture to print is empty
inline constexpr int kPrinterError = 482;        // the printer cannot take the page

// Prints `picture` on one page of `printer`: sets the orientation by the picture's shape and full-page mode
// (painting from the paper's corner), starts the page by beginning `painter` on `printer`, then draws the
// picture as PlacePicture says on the printer's own printable area (printer device pixels).
// On failure it stops at once and shows "Printer Error or Printing Cancelled" (the page could not be started)
// or "Unexpected Error #<number>". The page is left open: the caller ends the document.
void PrintPlotPicture(QPrinter& printer, QPainter& painter, const QImage& picture, MessageService& messages);

// The "To Printer" command: shows the hourglass pointer, captures the plot with `GrabClientArea`, prints it
// on `printer`, ends the document (also after a failure, only if the page was started), releases the picture
// and restores the pointer.
void PrnPlot_Click(QPrinter& printer, const std::function<QImage()>& GrabClientArea,
                   MessageService& messages);

} // namespace corvex

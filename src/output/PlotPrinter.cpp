#include "output/PlotPrinter.h"

#include "output/PrintLayout.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>

namespace corvex {

namespace {

// Shows the hourglass for as long as it lives, whatever way the command ends.
class HourglassPointer {
  public:
    HourglassPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~HourglassPointer() { QGuiApplication::restoreOverrideCursor(); }
    HourglassPointer(const HourglassPointer&) = delete;
    HourglassPointer& operator=(const HourglassPointer&) = delete;
};

// The part of the paper the printer can print on, in device pixels from the paper's top left corner: the
// paper less the printer's own margins (the page layout's minimum margins), not less a default margin.
PrintableArea PrintableAreaOf(const QPrinter& printer) {
    const QPageLayout page = printer.pageLayout();
    const QPageLayout hardware(page.pageSize(), page.orientation(), page.minimumMargins(), page.units(),
                               page.minimumMargins());
    const QRect area = hardware.paintRectPixels(printer.resolution());
    return {double(area.left()), double(area.top()), double(area.width()), double(area.height())};
}

// Draws the picture on a new page; returns 0, or the number of the error that stopped it.
int DrawOnNewPage(QPrinter& printer, QPainter& painter, const QImage& picture) {
    if (picture.isNull()) return kInvalidPictureError;
    // Turned before the page starts, so the printable area measured below is that of the chosen orientation.
    printer.setPageOrientation(OrientationFor(picture.width(), picture.height()) == PageOrientation::Portrait
                                   ? QPageLayout::Portrait
                                   : QPageLayout::Landscape);
    // The painter's origin is the paper's corner, so the picture goes on the printable area wherever it is.
    printer.setFullPage(true);
    if (!painter.begin(&printer)) return kPrinterError;
    const PicturePlacement place = PlacePicture(picture.width(), picture.height(), PrintableAreaOf(printer));
    painter.drawImage(QRectF(place.left, place.top, place.width, place.height), picture);
    return 0;
}

} // namespace

void PrintPlotPicture(QPrinter& printer, QPainter& painter, const QImage& picture, MessageService& messages) {
    const int error = DrawOnNewPage(printer, painter, picture);
    if (error == kPrinterError)
        messages.show("Printer Error or Printing Cancelled", kProgramTitle, MessageIcon::None);
    else if (error != 0)
        messages.show("Unexpected Error #" + std::to_string(error), kProgramTitle, MessageIcon::Exclamation);
}

void PrnPlot_Click(QPrinter& printer, const std::function<QImage()>& GrabClientArea,
                   MessageService& messages) {
    HourglassPointer hourglass;
    const QImage picture = GrabClientArea();
    QPainter painter;
    PrintPlotPicture(printer, painter, picture, messages);
    // Ending the document sends the page; a page that never started has nothing to end.
    if (painter.isActive()) painter.end();
    // Leaving releases the picture, then restores the pointer.
}

} // namespace corvex

// Printing a plot picture on one page: orientation, placement, the two error messages and the pointer.
// Pages go to a PDF file through the toolkit's own PDF printer, so no print system is needed.

#include "TestPicture.h"
#include "support/Recorders.h"

#include "output/PlotPrinter.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace corvex;
using namespace corvex::testing;

class TstPlotPrinter : public QObject {
    Q_OBJECT
  private slots:
    void pagePlacement_data();
    void pagePlacement();
    void pageThatCannotStartIsAPrinterError();
    void emptyPictureIsAnUnexpectedError();
    void hourglassFromCaptureUntilTheEnd();

  private:
    QTemporaryDir dir_;
};

namespace {
void AimAtPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
}
} // namespace

void TstPlotPrinter::pagePlacement_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("wide plot prints landscape, fills the width") << QSize(480, 300) << true;
    QTest::newRow("square plot prints portrait") << QSize(300, 300) << false;
    QTest::newRow("tall plot prints portrait, fills the height") << QSize(200, 500) << false;
}

// The rendered page shows the picture upright, 80 % of the largest fit in the printable area, centred on it.
void TstPlotPrinter::pagePlacement() {
    QFETCH(QSize, picture);
    QFETCH(bool, landscape);
    if (!HavePoppler())
        QSKIP("pdftoppm/pdfinfo (poppler-utils) not installed: cannot render the printed page");
    const QString pdf =
        dir_.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_') + ".pdf");
    QPrinter printer(QPrinter::HighResolution);
    AimAtPdf(printer, pdf);
    MessageRecorder messages;
    PrnPlot_Click(
        printer, [&] { return MakeTestPlot(picture); }, messages);
    QVERIFY(messages.messages.empty());
    QCOMPARE(PdfPageCount(pdf), 1);

    const QImage page = RenderFirstPage(pdf); // 72 dpi: one pixel per point
    QVERIFY(!page.isNull());
    QCOMPARE(page.width() > page.height(), landscape);
    // Expected placement in points, from the printable area the printer reports for that orientation.
    const QRectF area = printer.pageLayout().paintRectPoints();
    QCOMPARE(page.width() > page.height(), area.width() > area.height());
    const double ratio = double(picture.width()) / picture.height();
    const double fitWidth = qMin(area.width(), area.height() * ratio);
    const QSizeF printed(0.8 * fitWidth, 0.8 * fitWidth / ratio);
    const QPointF centre = area.center();

    const QRect ink = BoxOf(page, IsInk);
    const double slack = 2.0; // rendering rounds each edge to whole pixels
    QVERIFY2(qAbs(ink.width() - printed.width()) <= slack, qPrintable(QString::number(ink.width())));
    QVERIFY2(qAbs(ink.height() - printed.height()) <= slack, qPrintable(QString::number(ink.height())));
    QVERIFY(qAbs(QRectF(ink).center().x() - centre.x()) <= slack);
    QVERIFY(qAbs(QRectF(ink).center().y() - centre.y()) <= slack);
    // Upright: the red corner block sits at the printed picture's top left.
    const QRect red = BoxOf(page, IsRed);
    QVERIFY(qAbs(red.left() - ink.left()) <= slack && qAbs(red.top() - ink.top()) <= slack);
}

// A printer that cannot start a page (here: no output file possible) is the printer error, and the
// command still ends cleanly: no page open, pointer restored, nothing written.
void TstPlotPrinter::pageThatCannotStartIsAPrinterError() {
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir_.filePath("no-such-folder/plot.pdf");
    AimAtPdf(printer, pdf);
    MessageRecorder messages;
    PrnPlot_Click(
        printer, [] { return MakeTestPlot(QSize(320, 200)); }, messages);
    QCOMPARE(messages.messages.size(), size_t(1));
    QCOMPARE(messages.messages[0].text, std::string("Printer Error or Printing Cancelled"));
    QCOMPARE(messages.messages[0].title, std::string(kProgramTitle));
    QVERIFY(messages.messages[0].icon == MessageIcon::None);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

// A capture that yields no picture is reported with its number and the exclamation icon; no page is printed.
void TstPlotPrinter::emptyPictureIsAnUnexpectedError() {
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = dir_.filePath("empty.pdf");
    AimAtPdf(printer, pdf);
    MessageRecorder messages;
    PrnPlot_Click(
        printer, [] { return QImage(); }, messages);
    QCOMPARE(messages.messages.size(), size_t(1));
    QCOMPARE(messages.messages[0].text, std::string("Unexpected Error #481"));
    QCOMPARE(messages.messages[0].title, std::string(kProgramTitle));
    QVERIFY(messages.messages[0].icon == MessageIcon::Exclamation);
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TstPlotPrinter::hourglassFromCaptureUntilTheEnd() {
    QPrinter printer(QPrinter::HighResolution);
    AimAtPdf(printer, dir_.filePath("pointer.pdf"));
    MessageRecorder messages;
    bool hourglassDuringCapture = false;
    PrnPlot_Click(
        printer,
        [&] {
            const QCursor* pointer = QGuiApplication::overrideCursor();
            hourglassDuringCapture = pointer && pointer->shape() == Qt::WaitCursor;
            return MakeTestPlot(QSize(320, 200));
        },
        messages);
    QVERIFY(hourglassDuringCapture);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(messages.messages.empty());
    QVERIFY(QFile(dir_.filePath("pointer.pdf")).size() > 0); // the document was ended and written
}

QTEST_MAIN(TstPlotPrinter)
#include "tst_plotprinter.moc"

// A real print through the print system: a scheduler with a PDF queue (cups-pdf-server.sh, root only)
// receives the plot from the printer menu's current printer, and the PDF it writes is rendered and measured.

#include "TestPicture.h"
#include "support/Recorders.h"

#include "output/PlotPrinter.h"
#include "output/PrinterMenu.h"
#include "output/SystemPrinters.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineF>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QTest>

using namespace corvex;
using namespace corvex::testing;

namespace {
const QString kQueue = QStringLiteral("CorvexPDF"); // the queue the script sets up

// Runs the server script with `command`; returns its exit code and fills `output` with stdout + stderr.
int RunScript(const QString& command, QString& output) {
    QProcess script;
    script.start(QStringLiteral("sh"), {QStringLiteral(CUPS_PDF_SERVER), command});
    if (!script.waitForFinished(60000)) {
        script.kill();
        script.waitForFinished();
        output = QStringLiteral("timed out");
        return -1;
    }
    output = QString::fromLocal8Bit(script.readAllStandardOutput() + script.readAllStandardError()).trimmed();
    return script.exitCode();
}

bool QueueIdle() {
    QProcess jobs;
    jobs.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), kQueue});
    return jobs.waitForFinished(10000) && jobs.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

class TstPrintCups : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void menuOffersTheQueue();
    void printedPage_data();
    void printedPage();

  private:
    QString waitForPdf(const QString& docName);
    bool started_ = false;
    QString outDir_;
};

void TstPrintCups::initTestCase() {
    if (!HavePoppler()) QSKIP("pdftoppm/pdfinfo (poppler-utils) not installed: cannot check the printed PDF");
    QString output;
    const int status = RunScript(QStringLiteral("start"), output);
    if (status != 0)
        QSKIP(qPrintable(
            QStringLiteral("no print scheduler with a PDF queue here (cups-pdf-server.sh start: %1)")
                .arg(output)));
    started_ = true;
    outDir_ = output.split(QLatin1Char('\n')).last();
}

void TstPrintCups::cleanupTestCase() {
    QString output;
    if (started_ && RunScript(QStringLiteral("stop"), output) != 0)
        qWarning("cups-pdf-server.sh stop: %s", qPrintable(output));
}

// Start-up's menu lists the queue; the default printer's name comes from the print system and is checked.
void TstPrintCups::menuOffersTheQueue() {
    QMenu ChoosePrn;
    QAction PrnPlot;
    const auto menu = BuildPrinterMenu(ChoosePrn, PrnPlot);
    const auto& printers = menu->model().printers();
    QVERIFY(std::find(printers.begin(), printers.end(), kQueue.toStdString()) != printers.end());
    QVERIFY(PrnPlot.isEnabled());
    const std::string defaultName = DefaultPrinterName();
    QVERIFY(!defaultName.empty()); // the script makes its queue the default when none is set
    QCOMPARE(menu->model().currentPrinter(), defaultName);
}

// The PDF of a finished job: cups-pdf names it after the document and fills it after creating it empty.
QString TstPrintCups::waitForPdf(const QString& docName) {
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        const QStringList found = QDir(outDir_).entryList({docName + "*.pdf"}, QDir::Files);
        if (!found.isEmpty()) {
            const QString pdf = QDir(outDir_).filePath(found.first());
            if (QFileInfo(pdf).size() > 0 && QueueIdle() && PdfPageCount(pdf) > 0) return pdf;
        }
        QTest::qWait(100);
    }
    return {};
}

void TstPrintCups::printedPage_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("wide plot on a landscape page") << QSize(480, 300) << true;
    QTest::newRow("square plot on a portrait page") << QSize(300, 300) << false;
}

void TstPrintCups::printedPage() {
    QFETCH(QSize, picture);
    QFETCH(bool, landscape);
    QMenu ChoosePrn;
    QAction PrnPlot;
    const auto menu = BuildPrinterMenu(ChoosePrn, PrnPlot);
    const auto& printers = menu->model().printers();
    const auto queue = std::find(printers.begin(), printers.end(), kQueue.toStdString());
    QVERIFY(queue != printers.end());
    menu->PrnArray_Click(static_cast<int16_t>(queue - printers.begin() + 1));
    QPrinter& printer = menu->currentPrinter();
    QCOMPARE(printer.printerName(), kQueue);
    const QString docName = landscape ? QStringLiteral("corvex-wide") : QStringLiteral("corvex-square");
    printer.setDocName(docName);

    MessageRecorder messages;
    PrnPlot_Click(
        printer, [&] { return MakeTestPlot(picture); }, messages);
    QVERIFY(messages.messages.empty());
    const QString pdf = waitForPdf(docName);
    QVERIFY2(!pdf.isEmpty(), "no PDF from the queue within 30 s");
    QCOMPARE(PdfPageCount(pdf), 1);

    const QImage page = RenderFirstPage(pdf); // 72 dpi: one pixel per point
    QVERIFY(!page.isNull());
    const QRect ink = BoxOf(page, IsInk);
    const QRect red = BoxOf(page, IsRed);
    QVERIFY(!ink.isNull() && !red.isNull());
    // The queue may hand back a landscape job as a portrait sheet with the content turned, so orientation is
    // judged on the sheet: a landscape print lays the picture's long side along the sheet's long side.
    const bool pageTall = page.height() > page.width();
    const bool inkTall = ink.height() > ink.width();
    if (landscape) {
        QVERIFY2(inkTall == pageTall, "wide picture not along the sheet's long side");
    } else {
        QVERIFY2(pageTall, "square picture not on a portrait sheet");
        // Portrait is not turned: the red block stays at the picture's top left.
        QVERIFY(qAbs(red.left() - ink.left()) <= 2 && qAbs(red.top() - ink.top()) <= 2);
    }
    // Expected size from the printable area the queue reports for the chosen orientation: 80 % of the fit.
    const QRectF area = printer.pageLayout().paintRectPoints();
    const QRectF sheet = printer.pageLayout().fullRectPoints();
    QVERIFY2(QLineF(area.center(), sheet.center()).length() < 0.5, "printable area not centred on the sheet");
    const double ratio = double(picture.width()) / picture.height();
    const double fitWidth = qMin(area.width(), area.height() * ratio);
    const double longSide = 0.8 * qMax(fitWidth, fitWidth / ratio);
    const double shortSide = 0.8 * qMin(fitWidth, fitWidth / ratio);
    const double inkLong = qMax(ink.width(), ink.height());
    const double inkShort = qMin(ink.width(), ink.height());
    const double slack = 3.0; // whole pixels at each edge, plus the driver's own rounding
    QVERIFY2(qAbs(inkLong - longSide) <= slack,
             qPrintable(QStringLiteral("long side %1, expected %2").arg(inkLong).arg(longSide)));
    QVERIFY(qAbs(inkShort - shortSide) <= slack);
    QVERIFY(qAbs(QRectF(ink).center().x() - page.width() / 2.0) <= slack);
    QVERIFY(qAbs(QRectF(ink).center().y() - page.height() / 2.0) <= slack);
}

QTEST_MAIN(TstPrintCups)
#include "tst_print_cups.moc"

// The output commands: page geometry, the printer menu, printing (the error message, and a real print through
// the PDF queue that cups-pdf-server.sh starts, root only), the bitmap file and the file dialogs' filters.

#include "support/Recorders.h"

#include "app/PlotCopies.h"
#include "app/PrinterMenu.h"
#include "output/PlotPrinter.h"
#include "output/PrintLayout.h"

#include <QtTest>
#include <QtWidgets>

using namespace corvex;
using corvex::testing::MessageRecorder;
using Names = std::vector<std::string>;
using namespace std::string_literals;

const QString kQueue = QStringLiteral("CorvexPDF"); // the queue cups-pdf-server.sh sets up

// White in a black one-pixel frame (the printed picture's extent is the ink's), a red block at the top left.
static QImage MakeTestPlot(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.fillRect(QRect(1, 1, size.width() / 4, size.height() / 4), QColor(255, 0, 0));
    return image;
}

// Runs `program` with `args`; returns its exit code (-1 on time-out) and its output (stdout and stderr).
static int Run(const QString& program, const QStringList& args, QString* output = nullptr) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool finished = process.waitForFinished(60000);
    if (output) *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return finished ? process.exitCode() : -1;
}

// Every page of `pdf` rendered at 72 dpi (one pixel per point); empty when pdftoppm cannot read it.
static QList<QImage> RenderPages(const QString& pdf) {
    QTemporaryDir dir;
    if (Run("pdftoppm", {"-r", "72", "-png", pdf, dir.filePath("page")}) != 0) return {};
    QList<QImage> pages;
    for (const QString& file : QDir(dir.path()).entryList(QDir::Files, QDir::Name))
        pages.append(QImage(dir.filePath(file)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

// Bounding box of the pixels for which `test` holds; null when there are none.
template <typename Test> static QRect BoxOf(const QImage& image, Test test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

// Prints `picture` through the queue that puts its PDFs into `cupsOut`; `longSideLimits`: the fit fills the
// page's long side, else its short side; `across`: the expected extent along the other page side, points.
static void PrintAndCheck(const QString& cupsOut, QSize picture, bool landscape, bool longSideLimits,
                          double across) {
    QPrinter printer(QPrinter::HighResolution); // as the printer menu makes it for the chosen printer
    printer.setPrinterName(kQueue);
    QCOMPARE(printer.printerName(), kQueue); // the print system knows the queue
    // Named by this process, so that tests printing at the same time never take each other's PDF.
    printer.setDocName(
        QString("%1-corvex-%2").arg(QCoreApplication::applicationPid()).arg(landscape ? "wide" : "square"));
    MessageRecorder messages;
    PrnPlot_Click(
        printer, [&] { return MakeTestPlot(picture); }, messages);
    QVERIFY(messages.messages.empty());

    QList<QImage> pages; // cups-pdf names the PDF after the document and fills it after creating it empty
    for (int tries = 300; pages.isEmpty() && tries > 0; --tries, QTest::qWait(100)) {
        const QStringList found = QDir(cupsOut).entryList({printer.docName() + "*.pdf"}, QDir::Files);
        QString jobs;
        if (!found.isEmpty() && Run("lpstat", {"-o", kQueue}, &jobs) == 0 && jobs.isEmpty())
            pages = RenderPages(QDir(cupsOut).filePath(found.first()));
    }
    QCOMPARE(pages.size(), 1); // no PDF within 30 s gives 0
    const QImage& page = pages[0];
    const bool pageTall = page.height() > page.width(); // one pixel per point: A4, either way round
    QCOMPARE(pageTall ? page.size() : page.size().transposed(), QSize(595, 842));
    const QRect ink = BoxOf(page, [](QRgb p) { return qRed(p) < 200 || qGreen(p) < 200 || qBlue(p) < 200; });
    const QRect red = BoxOf(page, [](QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; });
    // The queue may turn a landscape job onto a portrait sheet: landscape lays the long sides together.
    if (landscape)
        QVERIFY2((ink.height() > ink.width()) == pageTall, "wide picture not along the long side");
    else
        QVERIFY2(pageTall && qAbs(red.left() - ink.left()) <= 2 && qAbs(red.top() - ink.top()) <= 2,
                 "square picture not upright on a portrait sheet"); // red block at the picture's top left
    const QSize inkAlong = pageTall ? ink.size().transposed() : ink.size(); // width: along the long side
    const double share = (longSideLimits ? inkAlong.width() / 842.0 : inkAlong.height() / 595.0);
    QVERIFY2(qAbs(share - 0.8) <= 0.005,
             qPrintable(QString("plot spans %1 % of the limiting page side").arg(100 * share, 0, 'f', 1)));
    const double slack = 3.0; // whole pixels at each edge, plus the driver's own rounding
    QVERIFY(qAbs((longSideLimits ? inkAlong.height() : inkAlong.width()) - across) <= slack);
    const QPointF offCentre = QRectF(ink).center() - QPointF(page.width() / 2.0, page.height() / 2.0);
    QVERIFY(qAbs(offCentre.x()) <= slack && qAbs(offCentre.y()) <= slack); // the whole sheet is printable
}

class TstOutput : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString cupsOut_; // where the queue's PDFs land; empty while no scheduler was started

  private slots:
    void cleanupTestCase() {
        if (!cupsOut_.isEmpty()) QCOMPARE(Run("sh", {CUPS_PDF_SERVER, "stop"}), 0);
    }

    void placement() {
        // The picture's width and height, the printable area on the page, where it is placed, landscape.
        const std::tuple<double, double, QRectF, QRectF, bool> cases[] = {
            // Ratio 4:3 on a square area: the wider picture fills the width (1000 x 750), then 80 %.
            {400, 300, {0, 0, 1000, 1000}, {100, 200, 800, 600}, true},
            // Ratio 1:2 on 800 x 1100: fills the height (550 x 1100), then 80 % = 440 x 880, centred.
            {300, 600, {0, 0, 800, 1100}, {180, 110, 440, 880}, false},
            // A square on a portrait A4 page printable to its edges (points): the width decides, 476 x 476.
            {300, 300, {0, 0, 595, 842}, {59.5, 183, 476, 476}, false},
            // A4 less margins 18 l, 36 t, 12 r, 24 b: 0.8 x 565 = 452, centred on the area, not the paper.
            {300, 300, {18, 36, 565, 782}, {74.5, 201, 452, 452}, false},
            // Same ratio as the area: 80 % of both sides and exactly 10 % margin on every side.
            {4, 3, {0, 0, 1200, 900}, {120, 90, 960, 720}, true},
            // Without extent: no size, at the area's centre, and no division by zero.
            {0, 0, {10, 20, 1000, 800}, {510, 420, 0, 0}, false},
            {0, 3, {10, 20, 1000, 800}, {510, 420, 0, 0}, false}, // without width
            {4, 0, {10, 20, 1000, 800}, {510, 420, 0, 0}, true},  // without height
            {4, 3, {10, 20, 0, 800}, {10, 420, 0, 0}, true},      // an area without width
            {4, 3, {10, 20, 1000, 0}, {510, 20, 0, 0}, true},     // an area without height
        };
        for (const auto& [width, height, area, placed, landscape] : cases) {
            QCOMPARE(OrientationFor(width, height) == PageOrientation::Landscape, landscape);
            const auto p =
                PlacePicture(width, height, {area.left(), area.top(), area.width(), area.height()});
            const QRectF rect(p.left, p.top, p.width, p.height);
            QCOMPARE(rect, placed);
        }
    }

    void startChoice() {
        const Names three{"Laser", " PDF  ", "Plotter"};
        // The default name may carry NULs; checked member i is printer i - 1, 0: the menu disabled.
        const std::tuple<Names, std::string, int> cases[] = {
            {three, " PDF ", 2},      // blanks on both names are trimmed
            {three, "PDF\0\0"s, 2},   // two trailing NULs dropped
            {three, "PDF\0\0\0"s, 1}, // only two are dropped; the name then matches nothing: first printer
            {three, "", 1},           // no default: first printer
            {{}, "PDF", 0},           // no printer disables the menu
        };
        for (const auto& [printers, defaultName, checked] : cases) {
            const PrinterMenuModel model(printers, defaultName);
            QCOMPARE(model.checkedMember(), checked);
            QCOMPARE(model.enabled(), checked != 0);
            QCOMPARE(model.currentPrinter(), checked == 0 ? std::string() : printers[size_t(checked - 1)]);
        }
    }

    // Start-up builds the menu while "&Setup" has the main window disabled; "Done" enables it again. A click
    // moves the check mark; triggering the checked action (which would uncheck it) keeps exactly one checked.
    void printerMenu() {
        QMainWindow window;
        QMenu* ChoosePrn = window.menuBar()->addMenu("Printers");
        QAction* PrnPlot = window.menuBar()->addAction("To Printer");
        window.setEnabled(false);
        PrinterMenu none(*ChoosePrn, *PrnPlot, PrinterMenuModel({}, ""));
        window.setEnabled(true);
        QVERIFY(!ChoosePrn->menuAction()->isEnabled() && !PrnPlot->isEnabled()); // no printer stays greyed
        QMenu choose;
        PrinterMenu menu(choose, *PrnPlot, PrinterMenuModel({"Laser", "PDF", "Plotter"}, "PDF"));
        const QList<QAction*> members = choose.actions(); // 0: the separator; PDF checked: startChoice
        members[1]->trigger();                            // the first printer
        QCOMPARE(menu.model().currentPrinter(), std::string("Laser"));
        members[3]->trigger();
        QVERIFY(!members[2]->isChecked() && members[3]->isChecked());
        QCOMPARE(menu.model().currentPrinter(), std::string("Plotter"));
        members[3]->trigger();
        QVERIFY(members[3]->isChecked());
    }

    // A printer that cannot start a page (here: no file possible) is the printer error; nothing is written.
    void pageThatCannotStartIsAPrinterError() {
        QPrinter printer;
        printer.setOutputFileName(dir_.filePath("no-such-folder/plot.pdf"));
        MessageRecorder messages;
        PrnPlot_Click(
            printer, [] { return MakeTestPlot(QSize(320, 200)); }, messages);
        QCOMPARE(messages.messages.size(), size_t(1));
        QCOMPARE(messages.messages[0].text, std::string("Printer Error or Printing Cancelled"));
        QVERIFY(!QFile::exists(printer.outputFileName()));
    }

    // Starts the scheduler once for both prints; skips the test with the script's reason when it cannot.
    void printedThroughCups() {
        if (QStandardPaths::findExecutable("pdftoppm").isEmpty())
            QSKIP("pdftoppm (poppler-utils) not installed: cannot check the printed PDF");
        QString output;
        if (Run("sh", {CUPS_PDF_SERVER, "start"}, &output) != 0)
            QSKIP(qPrintable("no print scheduler with a PDF queue here: " + output));
        cupsOut_ = output.split('\n').last();
        // The PPD: A4, 595 x 842 pt, all printable; the plot spans 80 % of the page side that limits the fit.
        // Ratio 1.6 > 842 / 595 = 1.42 on landscape: 0.8 x 842 = 673.6 pt along, 673.6 / 1.6 = 421 across.
        PrintAndCheck(cupsOut_, QSize(480, 300), true, true, 421.0);
        // A square on portrait 595 x 842: fills the 595 pt side, 0.8 x 595 = 476 pt, and 476 pt across.
        PrintAndCheck(cupsOut_, QSize(300, 300), false, false, 476.0);
    }

    // First, with dir_ empty: a cancelled (empty) name must not become "./.bmp"; a bare name gets ".bmp".
    void bitmapFileHasTheImagesPixelsAndCancelWritesNothing() {
        QDir::setCurrent(dir_.path());
        const QImage plot = MakeTestPlot(QSize(333, 211)); // odd width: BMP rows are padded to 4 bytes
        QString typed;
        const auto dialog = [&](QWidget*, const auto&) { return typed; };
        QVERIFY(!SaveBMP_Click(nullptr, plot, dialog));
        QVERIFY(QDir(dir_.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        typed = dir_.filePath("typed");
        QVERIFY(SaveBMP_Click(nullptr, plot, dialog));
        QImageReader reader(typed + ".bmp");
        QCOMPARE(reader.format(), QByteArray("bmp"));
        QCOMPARE(reader.read().convertToFormat(QImage::Format_RGB32), plot); // same size and pixels
    }

    void nameFilters() {
        // The second ends in a description without pattern.
        QCOMPARE(NameFilters("Bitmap | *.bmp") + NameFilters("Bitmap|*.bmp|Orphan"),
                 (QStringList{"Bitmap (*.bmp)", "Bitmap (*.bmp)"}));
        // Descriptions that already name their patterns are kept; "*.*" is every file.
        QCOMPARE(NameFilters("Data Files (*.dat)|*.dat|All Files (*.*)|*.*|Text Files (*.txt)|*.txt"),
                 (QStringList{"Data Files (*.dat)", "All Files (*)", "Text Files (*.txt)"}));
    }
};

QTEST_MAIN(TstOutput)
#include "tst_output.moc"

// "To Clipboard", "To File (Bitmap)", the save dialog behind them, and the client-area capture.

#include "TestPicture.h"

#include "output/PlotCapture.h"
#include "output/PlotCopies.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace corvex;
using namespace corvex::testing;

class TstPlotCopies : public QObject {
    Q_OBJECT
  private slots:
    void clipboardHoldsThePlot();
    void clipboardClearedBeforeCopy();
    void bitmapFileHasTheImagesPixels();
    void bitmapDialogRequest();
    void nameWithoutExtensionGetsBmp();
    void cancelWritesNothing();
    void failedWriteIsSilent();
    void defaultExtension_data();
    void defaultExtension();
    void nameFilters_data();
    void nameFilters();
    void realDialogAddsExtension();
    void realDialogAsksBeforeOverwriting();
    void captureIsTheClientAreaAsShown();

  private:
    QTemporaryDir dir_;
};

namespace {
// Runs `act` on the first modal widget of type T once it shows; gives up after 5 s.
template <typename T> void WhenModal(std::function<void(T*)> act) {
    auto* poll = new QTimer;
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, waited, act] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            act(modal);
        } else if (++*waited > 500) {
            poll->deleteLater();
        }
    });
    poll->start(10);
}

QImage AsRgb32(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}
} // namespace

void TstPlotCopies::clipboardHoldsThePlot() {
    const QImage plot = MakeTestPlot(QSize(321, 203));
    ClipPrn_Click(plot);
    const QImage pasted = QGuiApplication::clipboard()->image();
    QCOMPARE(pasted.size(), plot.size());
    QCOMPARE(AsRgb32(pasted), plot);
}

// The clipboard is cleared first: old text does not survive next to the bitmap, and a null image leaves
// the clipboard empty rather than keeping the last copy.
void TstPlotCopies::clipboardClearedBeforeCopy() {
    QGuiApplication::clipboard()->setText(QStringLiteral("old text"));
    ClipPrn_Click(MakeTestPlot(QSize(50, 40)));
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
    ClipPrn_Click(QImage());
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
}

void TstPlotCopies::bitmapFileHasTheImagesPixels() {
    const QImage plot = MakeTestPlot(QSize(333, 211)); // odd width: BMP rows are padded to 4 bytes
    const QString path = dir_.filePath("plot.bmp");
    QVERIFY(SaveBMP_Click(nullptr, plot, [&](QWidget*, const SaveDialogRequest&) { return path; }));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(2), QByteArray("BM")); // Windows bitmap file header
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("bmp"));
    const QImage read = reader.read();
    QCOMPARE(read.size(), plot.size());
    QCOMPARE(AsRgb32(read), plot);
}

void TstPlotCopies::bitmapDialogRequest() {
    SaveDialogRequest seen;
    int asked = 0;
    SaveBMP_Click(nullptr, MakeTestPlot(QSize(10, 10)), [&](QWidget*, const SaveDialogRequest& request) {
        ++asked;
        seen = request;
        return QString();
    });
    QCOMPARE(asked, 1);
    QCOMPARE(seen.fileName, QString()); // no name proposed
    QCOMPARE(seen.filter, QStringLiteral("Bitmap | *.bmp"));
    QCOMPARE(seen.defaultExtension, QStringLiteral("bmp"));
    QVERIFY(seen.confirmOverwrite);
}

void TstPlotCopies::nameWithoutExtensionGetsBmp() {
    const QString typed = dir_.filePath("typed");
    QVERIFY(
        SaveBMP_Click(nullptr, MakeTestPlot(QSize(20, 10)), [&](QWidget*, const auto&) { return typed; }));
    QVERIFY(QFile::exists(typed + ".bmp"));
    QVERIFY(!QFile::exists(typed));
}

void TstPlotCopies::cancelWritesNothing() {
    QTemporaryDir empty;
    QVERIFY(!SaveBMP_Click(nullptr, MakeTestPlot(QSize(20, 10)),
                           [](QWidget*, const auto&) { return QString(); }));
    QVERIFY(QDir(empty.path()).isEmpty());
}

// A write that cannot happen (folder missing) ends the command without a message or an exception.
void TstPlotCopies::failedWriteIsSilent() {
    const QString path = dir_.filePath("missing-folder/plot.bmp");
    QVERIFY(
        !SaveBMP_Click(nullptr, MakeTestPlot(QSize(20, 10)), [&](QWidget*, const auto&) { return path; }));
    QVERIFY(!QFile::exists(path));
    QVERIFY(
        !SaveBMP_Click(nullptr, QImage(), [&](QWidget*, const auto&) { return dir_.filePath("null.bmp"); }));
}

void TstPlotCopies::defaultExtension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension gets one") << "/data/plot"
                                           << "/data/plot.bmp";
    QTest::newRow("bmp kept") << "/data/plot.bmp"
                              << "/data/plot.bmp";
    QTest::newRow("other extension kept") << "/data/plot.v2"
                                          << "/data/plot.v2";
    QTest::newRow("dot in a folder name does not count") << "/data.old/plot"
                                                         << "/data.old/plot.bmp";
    QTest::newRow("cancelled stays empty") << ""
                                           << "";
}

void TstPlotCopies::defaultExtension() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(WithDefaultExtension(path, QStringLiteral("bmp")), expected);
}

void TstPlotCopies::nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("bitmap") << "Bitmap | *.bmp" << QStringList{"Bitmap (*.bmp)"};
    QTest::newRow("two pairs; every file") << "Data|*.dat|All|*.*" << QStringList{"Data (*.dat)", "All (*)"};
    QTest::newRow("open dialog: descriptions already name their patterns")
        << "Data Files (*.dat)|*.dat|All Files (*.*)|*.*|Text Files (*.txt)|*.txt"
        << QStringList{"Data Files (*.dat)", "All Files (*)", "Text Files (*.txt)"};
    QTest::newRow("description without pattern ignored") << "Bitmap" << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
}

void TstPlotCopies::nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(NameFilters(filter), expected);
}

// The toolkit dialog gets the request's settings and appends the default extension itself.
void TstPlotCopies::realDialogAddsExtension() {
    QFileDialog* seen = nullptr;
    QString filters, suffix;
    bool confirms = false;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        seen = dialog;
        filters = dialog->nameFilters().join(";;");
        suffix = dialog->defaultSuffix();
        confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(dir_.filePath("fresh"));
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen = ShowSaveFileDialog(
        nullptr, {QString(), QStringLiteral("Bitmap | *.bmp"), QStringLiteral("bmp"), true});
    QVERIFY(seen);
    QCOMPARE(filters, QStringLiteral("Bitmap (*.bmp)"));
    QCOMPARE(suffix, QStringLiteral("bmp"));
    QVERIFY(confirms);
    QCOMPARE(chosen, dir_.filePath("fresh.bmp"));
}

// Choosing an existing file asks first; answering No keeps the dialog open, and cancelling it gives no name.
void TstPlotCopies::realDialogAsksBeforeOverwriting() {
    QTemporaryDir other; // a folder the earlier dialog did not show
    const QString existing = other.filePath("existing.bmp");
    QVERIFY(MakeTestPlot(QSize(8, 8)).save(existing, "BMP"));
    bool asked = false;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        WhenModal<QMessageBox>([&, dialog](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::No)->click();
            QTimer::singleShot(0, dialog, &QDialog::reject);
        });
        static_cast<QDialog*>(dialog)->accept();
        if (!asked && dialog->isVisible())
            dialog->reject(); // no question came: end the dialog instead of hanging
    });
    const QString chosen = ShowSaveFileDialog(
        nullptr, {existing, QStringLiteral("Bitmap | *.bmp"), QStringLiteral("bmp"), true});
    QVERIFY(asked);
    QCOMPARE(chosen, QString());
}

void TstPlotCopies::captureIsTheClientAreaAsShown() {
    const QImage plot = MakeTestPlot(QSize(240, 160));
    QLabel area;
    area.setContentsMargins(0, 0, 0, 0);
    area.setPixmap(QPixmap::fromImage(plot));
    area.setFixedSize(plot.size());
    const QImage captured = GrabClientArea(area);
    QCOMPARE(captured.format(), QImage::Format_RGB32);
    QCOMPARE(captured, plot);
}

QTEST_MAIN(TstPlotCopies)
#include "tst_plotcopies.moc"

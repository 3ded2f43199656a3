// The printer menu as data: which member start-up checks, and how a choice moves the check mark.

#include "output/PrinterMenuModel.h"

#include <QStringList>
#include <QTest>

using namespace corvex;

namespace {
std::vector<std::string> Names(const QStringList& list) {
    std::vector<std::string> names;
    for (const QString& name : list)
        names.push_back(name.toStdString());
    return names;
}
} // namespace

class TstPrinterMenuModel : public QObject {
    Q_OBJECT
  private slots:
    void startChoice_data();
    void startChoice();
    void stripTrailingNuls_data();
    void stripTrailingNuls();
    void choosePrinter_data();
    void choosePrinter();
};

void TstPrinterMenuModel::startChoice_data() {
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QByteArray>("defaultName"); // QByteArray, so it can carry NUL characters
    QTest::addColumn<int>("checked");            // member index; member i is printer i - 1
    QTest::addColumn<bool>("enabled");
    const QStringList three{"Laser", "PDF", "Plotter"};
    QTest::newRow("default found in the middle") << three << QByteArray("PDF") << 2 << true;
    QTest::newRow("blanks around the default are trimmed") << three << QByteArray("  PDF ") << 2 << true;
    QTest::newRow("blanks around the printer name are trimmed")
        << QStringList{"Laser", " PDF  "} << QByteArray("PDF") << 2 << true;
    QTest::newRow("one trailing NUL dropped") << three << QByteArray("PDF\0", 4) << 2 << true;
    QTest::newRow("two trailing NULs dropped") << three << QByteArray("PDF\0\0", 5) << 2 << true;
    // Only two are dropped; the third stays and the name then matches nothing.
    QTest::newRow("third trailing NUL stays, first printer")
        << three << QByteArray("PDF\0\0\0", 6) << 1 << true;
    // NULs go before blanks are trimmed: "PDF \0" -> "PDF " -> "PDF".
    QTest::newRow("NUL after a blank") << three << QByteArray("PDF \0", 5) << 2 << true;
    // A blank after the NUL hides it from the NUL test, and trimming leaves "PDF\0".
    QTest::newRow("blank after a NUL, first printer") << three << QByteArray("PDF\0 ", 5) << 1 << true;
    QTest::newRow("no default recorded, first printer") << three << QByteArray() << 1 << true;
    QTest::newRow("unreadable default, first printer") << three << QByteArray("--Not String--") << 1 << true;
    QTest::newRow("names compare case-sensitively") << three << QByteArray("pdf") << 1 << true;
    QTest::newRow("last printer can be the default") << three << QByteArray("Plotter") << 3 << true;
    // Exactly one member is checked even if two printers carry the name.
    QTest::newRow("duplicate names check only the first")
        << QStringList{"Laser", "PDF", "PDF"} << QByteArray("PDF") << 2 << true;
    QTest::newRow("single printer not the default") << QStringList{"Laser"} << QByteArray("PDF") << 1 << true;
    QTest::newRow("no printer disables the menu") << QStringList{} << QByteArray("PDF") << 0 << false;
    QTest::newRow("no printer and no default") << QStringList{} << QByteArray() << 0 << false;
}

void TstPrinterMenuModel::startChoice() {
    QFETCH(QStringList, printers);
    QFETCH(QByteArray, defaultName);
    QFETCH(int, checked);
    QFETCH(bool, enabled);
    const PrinterMenuModel model(Names(printers), defaultName.toStdString());
    QCOMPARE(model.checkedMember(), checked);
    QCOMPARE(model.enabled(), enabled);
    QCOMPARE(QString::fromStdString(model.currentPrinter()),
             checked == 0 ? QString() : printers[checked - 1]);
    QCOMPARE(model.printers(), Names(printers)); // captions keep their blanks and order
}

void TstPrinterMenuModel::stripTrailingNuls_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("stripped");
    QTest::newRow("none") << QByteArray("PDF") << QByteArray("PDF");
    QTest::newRow("one") << QByteArray("PDF\0", 4) << QByteArray("PDF");
    QTest::newRow("two") << QByteArray("PDF\0\0", 5) << QByteArray("PDF");
    QTest::newRow("three keeps one") << QByteArray("PDF\0\0\0", 6) << QByteArray("PDF\0", 4);
    QTest::newRow("inner NUL kept") << QByteArray("P\0DF", 4) << QByteArray("P\0DF", 4);
    QTest::newRow("only NULs") << QByteArray("\0\0", 2) << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TstPrinterMenuModel::stripTrailingNuls() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, stripped);
    QCOMPARE(QByteArray::fromStdString(StripTrailingNuls(name.toStdString())), stripped);
}

void TstPrinterMenuModel::choosePrinter_data() {
    QTest::addColumn<int>("printerCount");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("checked"); // start: member 2 checked (default "P2")
    QTest::newRow("choose another printer moves the check") << 3 << 3 << true << 3;
    QTest::newRow("choose the first") << 3 << 1 << true << 1;
    QTest::newRow("choose the checked one keeps it") << 3 << 2 << true << 2;
    QTest::newRow("separator is not a printer") << 3 << 0 << false << 2;
    QTest::newRow("beyond the last member") << 3 << 4 << false << 2;
    QTest::newRow("negative index") << 3 << -1 << false << 2;
    QTest::newRow("no printers: nothing to choose") << 0 << 1 << false << 0;
}

void TstPrinterMenuModel::choosePrinter() {
    QFETCH(int, printerCount);
    QFETCH(int, index);
    QFETCH(bool, taken);
    QFETCH(int, checked);
    std::vector<std::string> printers;
    for (int i = 1; i <= printerCount; ++i)
        printers.push_back("P" + std::to_string(i));
    PrinterMenuModel model(printers, "P2");
    QCOMPARE(model.PrnArray_Click(static_cast<int16_t>(index)), taken);
    QCOMPARE(model.checkedMember(), checked);
    QCOMPARE(model.currentPrinter(), checked == 0 ? std::string() : "P" + std::to_string(checked));
}

QTEST_APPLESS_MAIN(TstPrinterMenuModel)
#include "tst_printermenumodel.moc"

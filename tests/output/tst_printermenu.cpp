// The "Printers" submenu built from a printer list: members, check marks and the disabled state.

#include "output/PrinterMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace corvex;

class TstPrinterMenu : public QObject {
    Q_OBJECT
  private slots:
    void membersFollowThePrinters();
    void clickMovesTheCheckMark();
    void clickOnTheCheckedMemberKeepsIt();
    void noPrinterDisablesBothItems();
    void noPrinterMenuStaysGreyedWhenTheWindowIsEnabledAgain();
    void systemMenuMatchesThePrintSystem();
};

namespace {
QList<bool> CheckMarks(const QMenu& menu, int count) {
    QList<bool> marks;
    for (int i = 1; i <= count; ++i)
        marks.append(menu.findChild<QAction*>(QStringLiteral("PrnArray%1").arg(i))->isChecked());
    return marks;
}
} // namespace

void TstPrinterMenu::membersFollowThePrinters() {
    QMenu ChoosePrn;
    QAction PrnPlot;
    PrinterMenu menu(ChoosePrn, PrnPlot, PrinterMenuModel({"Laser", " PDF ", "Plotter"}, "PDF"));
    const QList<QAction*> members = ChoosePrn.actions();
    QCOMPARE(members.size(), 4); // separator + three printers
    QVERIFY(members[0]->isSeparator());
    QCOMPARE(members[0]->objectName(), QStringLiteral("PrnArray0"));
    // Captions are the printers' own names, blanks and all, in the print system's order.
    QCOMPARE(members[1]->text(), QStringLiteral("Laser"));
    QCOMPARE(members[2]->text(), QStringLiteral(" PDF "));
    QCOMPARE(members[3]->text(), QStringLiteral("Plotter"));
    QCOMPARE(CheckMarks(ChoosePrn, 3), (QList<bool>{false, true, false})); // matched after trimming
    QVERIFY(ChoosePrn.menuAction()->isEnabled());
    QVERIFY(PrnPlot.isEnabled());
}

void TstPrinterMenu::clickMovesTheCheckMark() {
    QMenu ChoosePrn;
    QAction PrnPlot;
    PrinterMenu menu(ChoosePrn, PrnPlot, PrinterMenuModel({"Laser", "PDF", "Plotter"}, "PDF"));
    ChoosePrn.findChild<QAction*>(QStringLiteral("PrnArray3"))->trigger();
    QCOMPARE(CheckMarks(ChoosePrn, 3), (QList<bool>{false, false, true}));
    QCOMPARE(menu.model().currentPrinter(), std::string("Plotter"));
    menu.PrnArray_Click(1);
    QCOMPARE(CheckMarks(ChoosePrn, 3), (QList<bool>{true, false, false}));
    QCOMPARE(menu.model().currentPrinter(), std::string("Laser"));
}

// Triggering a checkable action unchecks it by itself; exactly one member must stay checked.
void TstPrinterMenu::clickOnTheCheckedMemberKeepsIt() {
    QMenu ChoosePrn;
    QAction PrnPlot;
    PrinterMenu menu(ChoosePrn, PrnPlot, PrinterMenuModel({"Laser", "PDF"}, "PDF"));
    ChoosePrn.findChild<QAction*>(QStringLiteral("PrnArray2"))->trigger();
    QCOMPARE(CheckMarks(ChoosePrn, 2), (QList<bool>{false, true}));
    menu.PrnArray_Click(7); // no such member: nothing changes
    QCOMPARE(CheckMarks(ChoosePrn, 2), (QList<bool>{false, true}));
}

void TstPrinterMenu::noPrinterDisablesBothItems() {
    QMenu ChoosePrn;
    QAction PrnPlot;
    PrinterMenu menu(ChoosePrn, PrnPlot, PrinterMenuModel({}, "PDF"));
    QVERIFY(!ChoosePrn.menuAction()->isEnabled());
    QVERIFY(!PrnPlot.isEnabled());
    QVERIFY(ChoosePrn.actions().isEmpty());
}

// Start-up builds the menu while "&Setup" has the main window disabled; "Done" enables it again.
void TstPrinterMenu::noPrinterMenuStaysGreyedWhenTheWindowIsEnabledAgain() {
    QMainWindow window;
    QMenu* ChoosePrn = window.menuBar()->addMenu("Printers");
    QAction* PrnPlot = window.menuBar()->addAction("To Printer");
    window.setEnabled(false);
    PrinterMenu menu(*ChoosePrn, *PrnPlot, PrinterMenuModel({}, ""));
    window.setEnabled(true);
    QVERIFY(!ChoosePrn->menuAction()->isEnabled());
    QVERIFY(!PrnPlot->isEnabled());
}

// Whatever printers this machine has: one member each, and disabled exactly when there are none.
void TstPrinterMenu::systemMenuMatchesThePrintSystem() {
    QMenu ChoosePrn;
    QAction PrnPlot;
    const auto menu = BuildPrinterMenu(ChoosePrn, PrnPlot);
    const qsizetype printers = static_cast<qsizetype>(menu->model().printers().size());
    QCOMPARE(PrnPlot.isEnabled(), printers > 0);
    QCOMPARE(ChoosePrn.actions().size(), printers == 0 ? 0 : printers + 1);
    if (printers > 0)
        QCOMPARE(menu->currentPrinter().printerName(),
                 QString::fromStdString(menu->model().currentPrinter()));
}

QTEST_MAIN(TstPrinterMenu)
#include "tst_printermenu.moc"

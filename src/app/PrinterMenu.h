#pragma once
// The "Printers" submenu and the current printer that "To Printer" prints on.

#include "output/PrinterMenuModel.h"

#include <QList>
#include <QObject>
#include <QPrinter>

#include <memory>

class QAction;
class QMenu;

namespace corvex {

class PrinterMenu : public QObject {
    Q_OBJECT
  public:
    // Fills the empty menu `ChoosePrn` with the separator (member 0, object name "PrnArray0") and one
    // checkable member per printer of `model` (object names "PrnArray1".., captions the printer names) and
    // points the current printer at the checked one. With no printer, disables `ChoosePrn` and `PrnPlot`.
    PrinterMenu(QMenu& ChoosePrn, QAction& PrnPlot, PrinterMenuModel model, QObject* parent = nullptr);

    // Choosing member `Index`: moves the check mark and makes its printer current. Other indices do nothing.
    void PrnArray_Click(int16_t Index);

    // The program-wide printer object all printing goes to.
    QPrinter& currentPrinter() { return m_printer; }
    const PrinterMenuModel& model() const { return m_model; }

  private:
    void showChoice();

    PrinterMenuModel m_model;
    QList<QAction*> m_members; // m_members[i] is menu member i; member 0 is the separator
    QPrinter m_printer{QPrinter::HighResolution};
};

// Start-up step: the printer menu built from the installed printers with the default printer checked.
std::unique_ptr<PrinterMenu> BuildPrinterMenu(QMenu& ChoosePrn, QAction& PrnPlot, QObject* parent = nullptr);

} // namespace corvex

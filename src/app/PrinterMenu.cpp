#include "app/PrinterMenu.h"

#include "output/SystemPrinters.h"

#include <QAction>
#include <QMenu>

namespace corvex {

PrinterMenu::PrinterMenu(QMenu& ChoosePrn, QAction& PrnPlot, PrinterMenuModel model, QObject* parent)
    : QObject(parent), m_model(std::move(model)) {
    m_printer.setDocName(QStringLiteral("Corvex plot"));
    if (!m_model.enabled()) {
        // The menu itself, not only its action: re-enabling the window would switch the action on again.
        ChoosePrn.setEnabled(false);
        ChoosePrn.menuAction()->setEnabled(false);
        PrnPlot.setEnabled(false);
        return;
    }
    m_members.append(ChoosePrn.addSeparator());
    m_members.back()->setObjectName(QStringLiteral("PrnArray0"));
    for (const std::string& name : m_model.printers()) {
        const auto Index = static_cast<int16_t>(m_members.size());
        QAction* member = ChoosePrn.addAction(QString::fromStdString(name));
        member->setObjectName(QStringLiteral("PrnArray%1").arg(Index));
        member->setCheckable(true);
        connect(member, &QAction::triggered, this, [this, Index] { PrnArray_Click(Index); });
        m_members.append(member);
    }
    showChoice();
}

void PrinterMenu::PrnArray_Click(int16_t Index) {
    m_model.PrnArray_Click(Index);
    // Also after a refused index: a click toggles the action's own check mark, which must be put back.
    showChoice();
}

void PrinterMenu::showChoice() {
    for (int i = 1; i < m_members.size(); ++i)
        m_members[i]->setChecked(i == m_model.checkedMember());
    m_printer.setPrinterName(QString::fromStdString(m_model.currentPrinter()));
}

std::unique_ptr<PrinterMenu> BuildPrinterMenu(QMenu& ChoosePrn, QAction& PrnPlot, QObject* parent) {
    return std::make_unique<PrinterMenu>(
        ChoosePrn, PrnPlot, PrinterMenuModel(InstalledPrinterNames(), DefaultPrinterName()), parent);
}

} // namespace corvex

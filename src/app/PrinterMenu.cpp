#include "app/PrinterMenu.h"

#include "output/SystemPrinters.h"

#include <QAction>
#include <QMenu>

namespace corvex {

PrinterMenu::PrinterMenu(QMenu& ChoosePrn, QAction& PrnPlot, PrinterMenuModel model, QObject* parent)
    : QObject(parent), model_(std::move(model)) {
    printer_.setDocName(QStringLiteral("Corvex plot"));
    if (!model_.enabled()) {
        // The menu itself, not only its action: re-enabling the window would switch the action on again.
        ChoosePrn.setEnabled(false);
        ChoosePrn.menuAction()->setEnabled(false);
        PrnPlot.setEnabled(false);
        return;
    }
    members_.append(ChoosePrn.addSeparator());
    members_.back()->setObjectName(QStringLiteral("PrnArray0"));
    for (const std::string& name : model_.printers()) {
        const auto Index = static_cast<int16_t>(members_.size());
        QAction* member = ChoosePrn.addAction(QString::fromStdString(name));
        member->setObjectName(QStringLiteral("PrnArray%1").arg(Index));
        member->setCheckable(true);
        connect(member, &QAction::triggered, this, [this, Index] { PrnArray_Click(Index); });
        members_.append(member);
    }
    showChoice();
}

void PrinterMenu::PrnArray_Click(int16_t Index) {
    model_.PrnArray_Click(Index);
    // Also after a refused index: a click toggles the action's own check mark, which must be put back.
    showChoice();
}

void PrinterMenu::showChoice() {
    for (int i = 1; i < members_.size(); ++i)
        members_[i]->setChecked(i == model_.checkedMember());
    printer_.setPrinterName(QString::fromStdString(model_.currentPrinter()));
}

std::unique_ptr<PrinterMenu> BuildPrinterMenu(QMenu& ChoosePrn, QAction& PrnPlot, QObject* parent) {
    return std::make_unique<PrinterMenu>(
        ChoosePrn, PrnPlot, PrinterMenuModel(InstalledPrinterNames(), DefaultPrinterName()), parent);
}

} // namespace corvex

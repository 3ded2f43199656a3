#include "app/MenuBar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace corvex {

namespace {

enum StartState { Normal = 0, Disabled = 1, Hidden = 2, Checkable = 4 };

QAction* item(QWidget* parent, const char* name, const char* caption, int state = Normal,
              const QKeySequence& shortcut = {}) {
    auto* action = new QAction(QString::fromLatin1(caption), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(!(state & Disabled));
    action->setVisible(!(state & Hidden));
    action->setCheckable(state & Checkable);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

QMenu* submenu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

PlotMenus buildPlotMenus(QMenuBar* bar) {
    PlotMenus m{};
    bar->addAction(m.SetupPlt = item(bar, "SetupPlt", "&Setup"));

    m.ChoosePrn = submenu(bar, "ChoosePrn", "Printers");
    bar->addMenu(m.ChoosePrn);

    bar->addAction(m.Mnu2File = item(bar, "Mnu2File", "&File"));
    bar->addAction(m.Zoomout = item(bar, "Zoomout", "&ZoomOut", Disabled));

    QMenu* special = submenu(bar, "XYShow", "S&pecial");
    special->addAction(m.ShowEm = item(special, "ShowEm", "&Display (X,Y)", Checkable));
    special->addAction(m.Nolines = item(special, "Nolines", "&Omit Lines", Checkable));
    special->addAction(m.LargePoints = item(special, "LargePoints", "Plot Small Points"));
    special->addAction(m.UseFilled = item(special, "UseFilled", "Filled Symbols", Checkable));
    special->addSeparator()->setObjectName("dummy1");
    QMenu* labelSize = submenu(special, "LblSze", "LabelSize");
    QMenu* xFont = submenu(labelSize, "XLgndFnt", "Title/X-Legend");
    xFont->addAction(m.XLgndFntInc = item(xFont, "XLgndFntInc", "Increase", Normal, QKeySequence("Ctrl+F1")));
    xFont->addAction(m.XLgndFntDec =
                         item(xFont, "XLgndFntDec", "Decrease", Normal, QKeySequence("Shift+F1")));
    QMenu* yFont = submenu(labelSize, "YLgndFnt", "Y-Legend");
    yFont->addAction(m.YLgndFntInc = item(yFont, "YLgndFntInc", "Increase", Normal, QKeySequence("Ctrl+F2")));
    yFont->addAction(m.YLgndFntDec =
                         item(yFont, "YLgndFntDec", "Decrease", Normal, QKeySequence("Shift+F2")));
    labelSize->addMenu(xFont);
    labelSize->addMenu(yFont);
    special->addMenu(labelSize);
    bar->addMenu(special);

    QMenu* copy = submenu(bar, "Copyit", "&CopyPlot");
    copy->addAction(m.PrnPlot = item(copy, "PrnPlot", "To Printer"));
    copy->addAction(m.ClipPrn = item(copy, "ClipPrn", "To Clipboard"));
    copy->addAction(m.SaveBMP = item(copy, "SaveBMP", "To File (Bitmap)"));
    bar->addMenu(copy);

    bar->addAction(m.NextPlt = item(bar, "NextPlt", "&NextPlot", Disabled | Hidden));
    bar->addAction(m.HoldPlot = item(bar, "HoldPlot", "&Hold", Disabled | Hidden));
    bar->addAction(m.SavePlotNow = item(bar, "SavePlotNow", "SaveData", Disabled | Hidden));
    bar->addAction(m.ShowIt = item(bar, "ShowIt", "Show &Legend"));
    return m;
}

} // namespace corvex

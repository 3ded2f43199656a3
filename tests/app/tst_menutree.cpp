#include "app/MenuBar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace corvex;

namespace {

// One line per item in display order: depth dashes, name, caption, state letters (D disabled, H hidden,
// S separator), shortcut.
QStringList describe(const QList<QAction*>& actions, int depth) {
    QStringList lines;
    for (QAction* a : actions) {
        QString state;
        if (a->isSeparator()) state += "S";
        if (!a->isEnabled()) state += "D";
        if (!a->isVisible()) state += "H";
        lines << QString(depth, '-') + a->objectName() + "|" + a->text() + "|" + state + "|" +
                     a->shortcut().toString();
        if (a->menu()) lines += describe(a->menu()->actions(), depth + 1);
    }
    return lines;
}

} // namespace

class TstMenuTree : public QObject {
    Q_OBJECT
  private slots:
    void treeInDisplayOrder();
};

void TstMenuTree::treeInDisplayOrder() {
    QMainWindow window;
    buildPlotMenus(window.menuBar());
    const QStringList expected = {
        "SetupPlt|&Setup||",
        "ChoosePrn|Printers||", // its members are added at start-up, one per printer
        "Mnu2File|&File||",
        "Zoomout|&ZoomOut|D|",
        "XYShow|S&pecial||",
        "-ShowEm|&Display (X,Y)||",
        "-Nolines|&Omit Lines||",
        "-LargePoints|Plot Small Points||",
        "-UseFilled|Filled Symbols||",
        "-dummy1||S|",
        "-LblSze|LabelSize||",
        "--XLgndFnt|Title/X-Legend||",
        "---XLgndFntInc|Increase||Ctrl+F1",
        "---XLgndFntDec|Decrease||Shift+F1",
        "--YLgndFnt|Y-Legend||",
        "---YLgndFntInc|Increase||Ctrl+F2",
        "---YLgndFntDec|Decrease||Shift+F2",
        "Copyit|&CopyPlot||",
        "-PrnPlot|To Printer||",
        "-ClipPrn|To Clipboard||",
        "-SaveBMP|To File (Bitmap)||",
        "NextPlt|&NextPlot|DH|",
        "HoldPlot|&Hold|DH|",
        "SavePlotNow|SaveData|DH|",
        "ShowIt|Show &Legend||",
    };
    QCOMPARE(describe(window.menuBar()->actions(), 0), expected);
}

QTEST_MAIN(TstMenuTree)
#include "tst_menutree.moc"

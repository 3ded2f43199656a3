#pragma once
// The main window's menu tree, built in display order with the captions, access keys, start states
// and shortcuts of the design. Every action's objectName is its item name.

class QAction;
class QMenu;
class QMenuBar;

namespace corvex {

struct PlotMenus {
    QAction* SetupPlt;
    QMenu* ChoosePrn; // "Printers": filled at start-up (the separator PrnArray(0), then the printers)
    QAction* Mnu2File;
    QAction* Zoomout;
    QAction* ShowEm;
    QAction* Nolines;
    QAction* LargePoints;
    QAction* UseFilled;
    QAction* XLgndFntInc;
    QAction* XLgndFntDec;
    QAction* YLgndFntInc;
    QAction* YLgndFntDec;
    QAction* PrnPlot;
    QAction* ClipPrn;
    QAction* SaveBMP;
    QAction* NextPlt;
    QAction* HoldPlot;
    QAction* SavePlotNow;
    QAction* ShowIt;
};

PlotMenus buildPlotMenus(QMenuBar* bar);

} // namespace corvex

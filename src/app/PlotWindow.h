#pragma once
// The main plot window (Plotit): menus, the drawing area with its persistent image, the readout strip,
// the plotting timer, and the handlers of start-up, redraw, close and the display options. Plotting
// commands, zoom and the file selection window are driven through MainWindowHost.

#include "app/MainWindowHost.h"
#include "app/MenuBar.h"
#include "app/PlotState.h"
#include "platform/FileService.h"
#include "platform/Services.h"
#include "zoom/ZoomController.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>

class QTimer;

namespace corvex {

class FileFrm;
class PlotArea;
class PlotLegend;
class PlotSequencer;
class PrinterMenu;
class ProgressWindow;
class ReadoutStrip;

struct AppServices {
    FileService& files;
    MessageService& messages;
    Clock& clock;
};

class Plotit : public QMainWindow {
    Q_OBJECT
  public:
    Plotit(PlotState& state, AppServices services, QWidget* parent = nullptr);
    ~Plotit() override;

    void Form_Load();   // start-up, run once
    void Form_Resize(); // redraw from scratch, only while data are loaded
    void Form_Paint();  // draw the plot into the persistent image and show it

    PlotState& state() { return m_state; }
    PlotWindowFields& fields() { return m_fields; }
    const PlotMenus& menus() const { return m_menus; }
    PlotArea* plotArea() const { return m_plotArea; }
    ReadoutStrip* readout() const { return XYCoords; }
    ProgressWindow* progressWindow() const { return cmpltfrm; }
    QTimer* plotTimer() const { return PlotTimer; }
    FileFrm* fileSelection() const { return m_fileFrm.get(); }
    PrinterMenu* printers() const { return m_printers.get(); }
    PlotLegend* legend() const;
    PlotSequencer* sequencer() const { return m_sequencer.get(); }
    AppServices& services() { return m_services; }

    // Outer size of the window in twips (1/1440 inch).
    QSizeF outerSizeTwips() const;
    double twipsPerPixel() const;

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private slots:
    void SetupPlt_Click();
    void ShowEm_Click();
    void Nolines_Click();
    void LargePoints_Click();
    void UseFilled_Click();
    void XLgndFntInc_Click();
    void XLgndFntDec_Click();
    void YLgndFntInc_Click();
    void YLgndFntDec_Click();
    void HoldPlot_Click();
    void ShowIt_Click();

  private:
    void createFileSelection();
    void connectOutputCommands();
    void Form_Unload();
    void paintOnce();
    void repaintIfLoaded();
    void refreshLegend();
    void storePixelSize();
    bool dataBeingRead() const;
    void reportRedrawError(int errorNumber);

    PlotState& m_state;
    PlotWindowFields m_fields;
    AppServices m_services;
    PlotMenus m_menus;
    PlotArea* m_plotArea;
    ReadoutStrip* XYCoords;
    ProgressWindow* cmpltfrm;
    QTimer* PlotTimer;
    MainWindowHost m_host;
    ZoomController m_zoom;
    std::unique_ptr<FileFrm> m_fileFrm;
    std::unique_ptr<PlotSequencer> m_sequencer;
    std::unique_ptr<PrinterMenu> m_printers;
    QPointer<PlotLegend> m_legend;
    bool m_painting = false;
    bool m_repaintPending = false;
};

} // namespace corvex

#pragma once
// The main plot window (Plotit): menus, the drawing area with its persistent image, the readout strip,
// the plotting timer, and the handlers of start-up, redraw, close and the display options. It is the
// host of the plot sequence and of the zoom, which change it only through those interfaces.

#include "app/CommandLine.h"
#include "app/CommandLineStart.h"
#include "app/MenuBar.h"
#include "datafile/SequencerHost.h"
#include "model/PlotState.h"
#include "platform/FileService.h"
#include "platform/Services.h"
#include "zoom/ZoomController.h"
#include "zoom/ZoomHost.h"

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

// What the main window shows: the points, the range to plot and the display options. The window
// lends each part to the code that reads or changes it.
struct PlotModel {
    PlotData data;
    PlotRange range;
    DisplayOptions options;
};

class Plotit : public QMainWindow, private SequencerHost, private ZoomHost {
    Q_OBJECT
  public:
    Plotit(PlotModel& model, AppServices services, QWidget* parent = nullptr);
    ~Plotit() override;

    void Form_Load();   // start-up, run once
    void Form_Resize(); // redraw from scratch, only while data are loaded
    void Form_Paint();  // lay out and draw the plot into the persistent image and show it

    // Makes the start the command line asked for, after Form_Load, from the event loop: FILE is plotted
    // after "Done" in Manual File Select, as "&File" would; --watch sets Auto File Select, the directory,
    // pattern, plotting mode and delay in Setup and presses its "Done", with Done's checks and messages
    // (on the stream). Returns 0 when started, 2 when the file cannot be opened or Done refused.
    int applyStartRequest(const StartRequest& request, StartMessages& messages);

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private slots:
    void ShowEm_Click();
    void Nolines_Click();
    void LargePoints_Click();
    void UseFilled_Click();
    void XLgndFntInc_Click();
    void XLgndFntDec_Click();
    void YLgndFntInc_Click();
    void YLgndFntDec_Click();
    void ShowIt_Click();

  private:
    void createFileSelection();
    void connectCommands();
    void connectOutputCommands();
    void Form_Unload();
    void paintOnce();
    void repaintIfLoaded();
    void refreshLegend();
    void stepFont(bool titleFont, int direction);
    void storePixelSize();
    bool dataBeingRead() const;
    QSizeF outerSizeTwips() const; // outer size of the window in twips (1/1440 inch)
    double twipsPerPixel() const;

    // SequencerHost
    void setMenuVisible(MenuItem item, bool visible) override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void setHoldCaption(const std::string& caption) override;
    void setTimerInterval(int ms) override;
    void startTimer() override;
    void stopTimer() override;
    bool timerRunning() const override;
    void redrawFromScratch() override;
    void showMainWindow() override;
    void showSetup() override;
    void hideSetup() override;
    void rememberFocus() override;
    void restoreFocus() override;
    void setCaption(const std::string& caption) override;
    void setOutFileLabel(const std::string& text) override;
    MessageService& messages() override;
    ProgressView& progress() override;
    Clock& clock() override;
    // ZoomHost
    void drawBand(float x1, float y1, float x2, float y2, Rgb colour) override;
    void clearBand() override;
    void setReadout(const std::string& text) override;
    void setZoomoutEnabled(bool enabled) override;
    void repaintPlot() override;

    PlotModel& m_model;
    DrawnAxes m_axes;           // as the last repaint drew them
    DrawingAreaSize m_areaSize; // PixWidth, PixHeight of the last redraw
    AppServices m_services;
    PlotMenus m_menus;
    PlotArea* m_plotArea;
    ReadoutStrip* XYCoords;
    ProgressWindow* cmpltfrm;
    QTimer* PlotTimer;
    ZoomController m_zoom;
    std::unique_ptr<FileFrm> m_fileFrm;
    std::unique_ptr<PlotSequencer> m_sequencer;
    std::unique_ptr<PrinterMenu> m_printers;
    QPointer<PlotLegend> m_legend; // LegendLoaded while set
    QPointer<QWidget> m_focus;
    bool m_painting = false;
    bool m_repaintPending = false;
};

} // namespace corvex

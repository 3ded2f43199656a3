#pragma once
// The main plot window (Plotit): menus, the drawing area with its persistent image, the readout strip,
// the plotting timer, and the handlers of start-up, redraw, close and the display options.

#include "app/MenuBar.h"
#include "app/PlotState.h"
#include "platform/FileService.h"
#include "platform/Services.h"

#include <QMainWindow>

class QTimer;

namespace corvex {

class PlotArea;
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
    ProgressWindow* progress() const { return cmpltfrm; }
    QTimer* plotTimer() const { return PlotTimer; }
    AppServices& services() { return m_services; }

    // Outer size of the window in twips (1/1440 inch).
    QSizeF outerSizeTwips() const;
    double twipsPerPixel() const;

  protected:
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
    void HoldPlot_Click();

  private:
    void Form_Unload();
    void repaintIfLoaded();
    void storePixelSize();
    void reportRedrawError(int errorNumber);

    PlotState& m_state;
    PlotWindowFields m_fields;
    AppServices m_services;
    PlotMenus m_menus;
    PlotArea* m_plotArea;
    ReadoutStrip* XYCoords;
    ProgressWindow* cmpltfrm;
    QTimer* PlotTimer;
};

} // namespace corvex

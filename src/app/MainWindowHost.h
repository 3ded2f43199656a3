#pragma once
// The main window as the plot sequence, the file selection window and the zoom see it.

#include "filesel/FileSelectionHost.h"
#include "zoom/ZoomHost.h"

#include <QPointer>

class QWidget;

namespace corvex {

class Plotit;

class MainWindowHost : public FileSelectionHost, public ZoomHost {
  public:
    explicit MainWindowHost(Plotit& window) : m_window(window) {}

    void setMenuVisible(MenuItem item, bool visible) override;
    void setMenuEnabled(MenuItem item, bool enabled) override;
    void setHoldCaption(const std::string& caption) override;
    void setTimerInterval(int ms) override;
    void startTimer() override;
    void stopTimer() override;
    bool timerRunning() const override;
    void redrawFromScratch() override;
    void showMainWindow() override;
    void rememberFocus() override;
    void restoreFocus() override;
    void setCaption(const std::string& caption) override;
    void setOutFileLabel(const std::string& text) override;
    MessageService& messages() override;
    ProgressView& progress() override;
    Clock& clock() override;
    void enableMainWindowAndFocus() override;

    void drawBand(float x1, float y1, float x2, float y2, Rgb colour) override;
    void clearBand() override;
    void setReadout(const std::string& text) override;
    void setZoomoutEnabled(bool enabled) override;
    void repaint() override;

  private:
    Plotit& m_window;
    QPointer<QWidget> m_focus;
};

} // namespace corvex

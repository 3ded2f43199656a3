#pragma once
// The legend window (PlotLegend, "Plot Legend"): a modeless, resizable top-level window that shows the
// legend image drawn by drawLegend. It exists from its creation until it is closed; closing destroys
// it, so the main window creates a new one for the next "Show &Legend".

#include "model/PlotState.h"

#include <QImage>
#include <QWidget>

namespace corvex {

class PlotLegend : public QWidget {
    Q_OBJECT
  public:
    // Creates the window (Form_Load): drawing area of the designed 3300 x 5970 twips, top edge at
    // mainWindowTop (pixels, the main window's top edge), left edge at 0.05 x the screen width. Not
    // shown yet. It draws with the symbol options and colours of `options`.
    PlotLegend(const DisplayOptions& options, int mainWindowTop, QWidget* parent = nullptr);

    // Redraws the legend from the current options at the current size (the repaint the main window
    // asks for after changing the symbol options).
    void repaintLegend();

    // The legend as last drawn; the window shows exactly this image.
    const QImage& image() const { return m_image; }

  signals:
    // The window is being closed (Form_Unload): the main window enables "Show &Legend" again.
    void unloaded();

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void Form_Load(int mainWindowTop);
    void Form_Unload();
    void redraw(); // repaintLegend without asking the window system for a repaint

    const DisplayOptions& m_options;
    QImage m_image;
};

} // namespace corvex

#include "app/PlotLegend.h"

#include "legend/LegendDrawing.h"
#include "model/Twips.h"
#include "platform/NumberText.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>

namespace corvex {

PlotLegend::PlotLegend(const DisplayOptions& options, int mainWindowTop, QWidget* parent)
    : QWidget(parent, Qt::Window), m_options(options) {
    setObjectName("PlotLegend");
    setWindowTitle("Plot Legend");
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    Form_Load(mainWindowTop);
}

void PlotLegend::Form_Load(int mainWindowTop) {
    resize(twipsToPixels(kLegendWidthTwips, logicalDpiX()), twipsToPixels(kLegendHeightTwips, logicalDpiY()));
    const QScreen* screen = this->screen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    move(int(roundHalfEven(0.05 * screenWidth)), mainWindowTop);
}

void PlotLegend::repaintLegend() {
    redraw();
    update();
}

void PlotLegend::redraw() {
    // The window can be resized, so the polygon symbols take the size of this repaint, not the one
    // of creation; otherwise they would drift away from the circles, squares and numbers.
    m_image = renderLegend(m_options, size(), logicalDpiY());
}

void PlotLegend::paintEvent(QPaintEvent*) {
    if (m_image.size() != size()) redraw(); // shown before any resize event reached us
    QPainter painter(this);
    if (m_image.isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(0, 0, m_image);
}

void PlotLegend::resizeEvent(QResizeEvent*) {
    redraw(); // the window repaints itself after a resize
}

void PlotLegend::closeEvent(QCloseEvent* e) {
    Form_Unload();
    e->accept();
}

void PlotLegend::Form_Unload() {
    emit unloaded();
}

} // namespace corvex

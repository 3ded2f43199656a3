// The main window as the plot sequence and the zoom see it.

#include "app/PlotWindow.h"

#include "app/FileFrm.h"
#include "app/PlotArea.h"
#include "app/ProgressWindow.h"
#include "app/ReadoutStrip.h"
#include "platform/QtColor.h"
#include "platform/Text.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace corvex {

namespace {

QAction* menuAction(const PlotMenus& menus, MenuItem item) {
    switch (item) {
    case MenuItem::Mnu2File:
        return menus.Mnu2File;
    case MenuItem::NextPlt:
        return menus.NextPlt;
    case MenuItem::HoldPlot:
        return menus.HoldPlot;
    case MenuItem::SavePlotNow:
        return menus.SavePlotNow;
    case MenuItem::Zoomout:
        return menus.Zoomout;
    }
    return menus.Mnu2File;
}

} // namespace

void Plotit::setMenuVisible(MenuItem item, bool visible) {
    menuAction(m_menus, item)->setVisible(visible);
}

void Plotit::setMenuEnabled(MenuItem item, bool enabled) {
    menuAction(m_menus, item)->setEnabled(enabled);
}

void Plotit::setHoldCaption(const std::string& caption) {
    m_menus.HoldPlot->setText(toQString(caption));
}

void Plotit::setTimerInterval(int ms) {
    PlotTimer->setInterval(ms);
}

void Plotit::startTimer() {
    PlotTimer->start();
}

void Plotit::stopTimer() {
    PlotTimer->stop();
}

bool Plotit::timerRunning() const {
    return PlotTimer->isActive();
}

void Plotit::redrawFromScratch() {
    Form_Resize();
}

void Plotit::showMainWindow() {
    show();
}

void Plotit::showSetup() {
    setEnabled(false);
    m_fileFrm->show();
    m_fileFrm->raise();
    m_fileFrm->activateWindow();
}

void Plotit::hideSetup() {
    m_fileFrm->hide();
    setEnabled(true);
    activateWindow();
    setFocus();
}

void Plotit::rememberFocus() {
    m_focus = QApplication::focusWidget();
}

void Plotit::restoreFocus() {
    if (!m_focus) return;
    m_focus->window()->activateWindow(); // the progress window took the activation
    m_focus->setFocus();
}

void Plotit::setCaption(const std::string& caption) {
    setWindowTitle(toQString(caption));
}

void Plotit::setOutFileLabel(const std::string& text) {
    XYCoords->OutFileLbl->setText(toQString(text));
}

MessageService& Plotit::messages() {
    return m_services.messages;
}

ProgressView& Plotit::progress() {
    return *cmpltfrm;
}

Clock& Plotit::clock() {
    return m_services.clock;
}

void Plotit::drawBand(float x1, float y1, float x2, float y2, Rgb colour) {
    PlotArea* area = m_plotArea;
    const QRectF band = QRectF(area->toPixels(x1, y1), area->toPixels(x2, y2)).normalized();
    const QColor pen = toQColor(colour);
    area->setOverlay([band, pen](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(band);
    });
}

void Plotit::clearBand() {
    m_plotArea->setOverlay(nullptr);
}

void Plotit::setReadout(const std::string& text) {
    XYCoords->XYLabel->setText(toQString(text));
}

void Plotit::setZoomoutEnabled(bool enabled) {
    m_menus.Zoomout->setEnabled(enabled);
}

void Plotit::repaintPlot() {
    Form_Paint();
}

} // namespace corvex

#include "app/MainWindowHost.h"

#include "app/PlotArea.h"
#include "app/PlotWindow.h"
#include "app/ProgressWindow.h"
#include "app/ReadoutStrip.h"

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

QString latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace

void MainWindowHost::setMenuVisible(MenuItem item, bool visible) {
    menuAction(m_window.menus(), item)->setVisible(visible);
}

void MainWindowHost::setMenuEnabled(MenuItem item, bool enabled) {
    menuAction(m_window.menus(), item)->setEnabled(enabled);
}

void MainWindowHost::setHoldCaption(const std::string& caption) {
    m_window.menus().HoldPlot->setText(latin1(caption));
}

void MainWindowHost::setTimerInterval(int ms) {
    m_window.plotTimer()->setInterval(ms);
}

void MainWindowHost::startTimer() {
    m_window.plotTimer()->start();
}

void MainWindowHost::stopTimer() {
    m_window.plotTimer()->stop();
}

bool MainWindowHost::timerRunning() const {
    return m_window.plotTimer()->isActive();
}

void MainWindowHost::redrawFromScratch() {
    m_window.Form_Resize();
}

void MainWindowHost::showMainWindow() {
    m_window.show();
}

void MainWindowHost::rememberFocus() {
    m_focus = QApplication::focusWidget();
}

void MainWindowHost::restoreFocus() {
    if (!m_focus) return;
    m_focus->window()->activateWindow(); // the progress window took the activation
    m_focus->setFocus();
}

void MainWindowHost::setCaption(const std::string& caption) {
    m_window.setWindowTitle(latin1(caption));
}

void MainWindowHost::setOutFileLabel(const std::string& text) {
    m_window.readout()->OutFileLbl->setText(latin1(text));
}

MessageService& MainWindowHost::messages() {
    return m_window.services().messages;
}

ProgressView& MainWindowHost::progress() {
    return *m_window.progressWindow();
}

Clock& MainWindowHost::clock() {
    return m_window.services().clock;
}

void MainWindowHost::enableMainWindowAndFocus() {
    m_window.setEnabled(true);
    m_window.activateWindow();
    m_window.setFocus();
}

void MainWindowHost::drawBand(float x1, float y1, float x2, float y2, Rgb colour) {
    PlotArea* area = m_window.plotArea();
    const QRectF band = QRectF(area->toPixels(x1, y1), area->toPixels(x2, y2)).normalized();
    const QColor pen(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    area->setOverlay([band, pen](QPainter& p) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(band);
    });
}

void MainWindowHost::clearBand() {
    m_window.plotArea()->setOverlay(nullptr);
}

void MainWindowHost::setReadout(const std::string& text) {
    m_window.readout()->XYLabel->setText(latin1(text));
}

void MainWindowHost::setZoomoutEnabled(bool enabled) {
    m_window.menus().Zoomout->setEnabled(enabled);
}

void MainWindowHost::repaint() {
    m_window.Form_Paint();
}

} // namespace corvex

#include "app/ProgressWindow.h"

#include "platform/Text.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

namespace corvex {

ProgressWindow::ProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), Label3(new QLabel("Reading Data", this)),
      Label1(new QLabel("0", this)), Label2(new QLabel("100", this)), ProgressBar1(new QProgressBar(this)) {
    setObjectName("cmpltfrm");
    setWindowTitle("% Complete");
    Label3->setObjectName("Label3");
    Label1->setObjectName("Label1");
    Label2->setObjectName("Label2");
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setTextVisible(false);
    Label3->setAlignment(Qt::AlignCenter);
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label3, 0, 0, 1, 3);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(ProgressBar1, 1, 1);
    grid->addWidget(Label2, 1, 2);
    resize(300, 80);
}

void ProgressWindow::setLabel(const std::string& text) {
    Label3->setText(toQString(text));
}

void ProgressWindow::setValue(int percent) {
    ProgressBar1->setValue(percent);
}

void ProgressWindow::showAndFocus() {
    show();
    activateWindow();
    repaint();
}

void ProgressWindow::hide() {
    QWidget::hide();
}

void ProgressWindow::yield() {
    QCoreApplication::processEvents();
}

void ProgressWindow::placeInCorner() {
    const QRect screen = this->screen()->geometry();
    move(screen.right() + 1 - frameGeometry().width(), screen.bottom() + 1 - frameGeometry().height());
}

} // namespace corvex

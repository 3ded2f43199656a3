#include "app/QtServices.h"

#include "platform/Text.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QString>
#include <QTimer>

namespace corvex {

void QtMessageService::show(const std::string& text, const std::string& title, MessageIcon icon) {
    QString body = toQString(text);
    body.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    toQString(title.empty() ? kProgramTitle : title), body, QMessageBox::Ok, m_parent);
    box.exec();
}

void QtMessageService::beep() {
    QApplication::beep();
}

bool EventLoopClock::sleepMs(int ms) {
    if (m_cancelled) return false;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    m_loop = &loop;
    loop.exec(); // all events: a close request must get through while a file keeps growing
    m_loop = nullptr;
    return !m_cancelled;
}

void EventLoopClock::cancelWaits() {
    m_cancelled = true;
    if (m_loop) m_loop->quit();
}

} // namespace corvex

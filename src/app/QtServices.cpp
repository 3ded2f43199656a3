#include "app/QtServices.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QThread>

namespace corvex {

void QtMessageService::show(const std::string& text, const std::string& title, MessageIcon icon) {
    QString body = QString::fromLatin1(text.data(), qsizetype(text.size()));
    body.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title.empty() ? QString::fromLatin1(kProgramTitle) : QString::fromLatin1(title.c_str()),
                    body, QMessageBox::Ok, m_parent);
    box.exec();
}

void QtMessageService::beep() {
    QApplication::beep();
}

void ThreadClock::sleepMs(int ms) {
    QThread::msleep(ulong(ms));
}

} // namespace corvex

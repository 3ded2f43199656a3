#include "app/QtServices.h"

#include "platform/Text.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

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

} // namespace corvex

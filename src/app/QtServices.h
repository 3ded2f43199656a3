#pragma once
// The Qt message box service.

#include "platform/Services.h"

class QWidget;

namespace corvex {

// Modal QMessageBox with an OK button; "\n\r" line breaks become one line break.
class QtMessageService : public MessageService {
  public:
    explicit QtMessageService(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void show(const std::string& text, const std::string& title, MessageIcon icon) override;
    void beep() override;

  private:
    QWidget* m_parent;
};

} // namespace corvex

#pragma once
// Qt implementations of the message box and settling clock services.

#include "platform/Services.h"

class QEventLoop;
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

// Waits in a local event loop that leaves out mouse and keyboard input, so the windows keep
// repainting (and a timer tick finds the plot sequence busy) while a file settles.
class EventLoopClock : public Clock {
  public:
    bool sleepMs(int ms) override;
    void cancelWaits() override;

  private:
    bool m_cancelled = false;
    QEventLoop* m_loop = nullptr;
};

} // namespace corvex

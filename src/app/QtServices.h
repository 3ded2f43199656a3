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

// Waits in a local event loop, so the windows keep repainting and answering while a file settles: a
// tick or a plotting command then finds the plot sequence busy, and a close request cuts the wait short.
class EventLoopClock : public Clock {
  public:
    bool sleepMs(int ms) override;
    void cancelWaits() override;

  private:
    bool m_cancelled = false;
    QEventLoop* m_loop = nullptr;
};

} // namespace corvex

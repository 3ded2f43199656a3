#include "platform/EventLoopClock.h"

#include <QEventLoop>
#include <QTimer>

namespace corvex {

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

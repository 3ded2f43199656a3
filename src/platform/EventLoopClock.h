#pragma once
// The settling clock of the program: waits in a local event loop, so windows keep repainting and
// answering (and a headless service its signals) while a file settles; a close request or a stop cuts
// the wait short.

#include "platform/Services.h"

class QEventLoop;

namespace corvex {

class EventLoopClock : public Clock {
  public:
    bool sleepMs(int ms) override;
    void cancelWaits() override;

  private:
    bool m_cancelled = false;
    QEventLoop* m_loop = nullptr;
};

} // namespace corvex

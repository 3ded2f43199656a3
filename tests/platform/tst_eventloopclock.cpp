#include "platform/EventLoopClock.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using namespace corvex;

class TstEventLoopClock : public QObject {
    Q_OBJECT
  private slots:
    void waitKeepsEventsRunning() {
        EventLoopClock clock;
        bool ticked = false;
        QTimer::singleShot(10, [&] { ticked = true; }); // a repaint or timer tick meanwhile
        QVERIFY(clock.sleepMs(60));
        QVERIFY(ticked);
    }
    void cancelEndsTheRunningWaitAndLaterOnes() {
        EventLoopClock clock;
        QTimer::singleShot(10, [&] { clock.cancelWaits(); }); // the window closes during the wait
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(!clock.sleepMs(5000));
        QVERIFY(elapsed.elapsed() < 4000); // cut short, not waited out
        QVERIFY(!clock.sleepMs(5000));
    }
};

QTEST_GUILESS_MAIN(TstEventLoopClock)
#include "tst_eventloopclock.moc"

// The Qt timers the program runs on (the engine on them: the real line's test, tests/e2e).

#include "core_application.h"
#include "link/qt_timer_source.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <map>

using namespace mqx;

namespace {

struct Recorder : TimerClient {
    void onTimer(int id) override { ++ticks[id]; }
    std::map<int, int> ticks;
};

} // namespace

TEST(QtTimers, DeliverNumberedTicksAndLeaveNoQtTimerBehindAStoppedOne) {
    mqx::test::ensureCoreApplication();
    QtTimerSource source;
    Recorder r;
    const auto timers = source.createTimers(r);
    timers->start(9, 1);
    timers->start(9, 1); // a restart replaces the running one
    timers->start(7, 1);
    timers->stop(9); // stopped before it can fire
    const QDeadlineTimer patience(10000);
    while (r.ticks[7] < 3 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(std::pair(r.ticks[7] >= 3, r.ticks[9]), std::pair(true, 0));
    timers->stop(7);
    auto* object = dynamic_cast<QObject*>(timers.get());
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(object).isEmpty());
}

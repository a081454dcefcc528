// The Qt timers the program runs on. (The virtual clock the other tests run on is a test
// double: what it does shows in the tests that use it.)

#include "core_application.h"
#include "link/qt_timer_source.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <map>

using namespace mqx;

namespace {

// Counts the ticks of each timer; 7 hands over to 8 at its first tick.
struct Recorder : TimerClient {
    void onTimer(int id) override {
        ++ticks[id];
        if (id == 7) {
            timers->stop(7);
            timers->start(8, 1);
        }
    }
    std::map<int, int> ticks;
    Timers* timers = nullptr;
};

} // namespace

TEST(QtTimers, DeliverNumberedTicksToTheClient) {
    mqx::test::ensureCoreApplication();
    QtTimerSource source;
    Recorder r;
    const auto timers = source.createTimers(r);
    r.timers = timers.get();
    timers->start(7, 1);
    timers->start(9, 1);
    timers->stop(9); // stopped before it can fire
    EXPECT_TRUE(timers->isActive(7));
    EXPECT_FALSE(timers->isActive(9));
    const QDeadlineTimer patience(10000);
    while (r.ticks[8] < 3 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(std::tuple(r.ticks[7], r.ticks[8] >= 3, r.ticks[9]), std::tuple(1, true, 0));
    timers->stop(8);
    EXPECT_FALSE(timers->isActive(8));
    // and no Qt timer is left running behind the stopped ones
    auto* object = dynamic_cast<QObject*>(timers.get());
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(object).isEmpty());
}

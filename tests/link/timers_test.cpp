// The Qt timers the program runs on. (The virtual clock the other tests run on is a test
// double: what it does shows in the tests that use it.)

#include "core_application.h"
#include "link/qt_timer_source.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace mqx;

namespace {

// Counts the ticks of each timer and runs an optional action on each.
class Recorder : public TimerClient {
public:
    void onTimer(int id) override {
        ++ticks[id];
        if (action)
            action(id);
    }
    std::map<int, int> ticks;
    std::function<void(int)> action;
};

} // namespace

TEST(QtTimers, DeliverNumberedTicksToTheClient) {
    mqx::test::ensureCoreApplication();
    QtTimerSource source;
    Recorder r;
    auto timers = source.createTimers(r);
    // 7 fires once and hands over to 8; 9 is stopped before it can fire.
    r.action = [&](int id) {
        if (id == 7) {
            timers->stop(7);
            timers->start(8, 1);
        }
    };
    timers->start(7, 1);
    timers->start(9, 1);
    timers->stop(9);
    EXPECT_TRUE(timers->isActive(7));
    EXPECT_FALSE(timers->isActive(9));

    const QDeadlineTimer patience(10000);
    while (r.ticks[8] < 3 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(r.ticks[8], 3);
    EXPECT_EQ(r.ticks[7], 1);
    EXPECT_EQ(r.ticks[9], 0);
    timers->stop(8);
    EXPECT_FALSE(timers->isActive(8));
}

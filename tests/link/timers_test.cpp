// The virtual clock the engine tests run on, and the Qt timers the program runs on.

#include "core_application.h"
#include "link/qt_timer_source.h"
#include "virtual_clock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

using namespace mqx;
using mqx::test::VirtualClock;

namespace {

// Records (time, id) of every tick and runs an optional action on it.
class Recorder : public TimerClient {
public:
    explicit Recorder(const Clock* clock = nullptr) : m_clock(clock) {}
    void onTimer(int id) override {
        ticks.emplace_back(m_clock ? m_clock->nowMs() : 0, id);
        if (action)
            action(id);
    }
    int count(int id) const {
        return static_cast<int>(std::count_if(ticks.begin(), ticks.end(),
                                              [id](const auto& t) { return t.second == id; }));
    }
    std::vector<std::pair<qint64, int>> ticks;
    std::function<void(int)> action;

private:
    const Clock* m_clock;
};

using Ticks = std::vector<std::pair<qint64, int>>;

} // namespace

TEST(VirtualClock, FiresByDueTimeThenInTheOrderScheduled) {
    VirtualClock clock;
    Recorder a(&clock);
    Recorder b(&clock);
    auto ta = clock.createTimers(a);
    auto tb = clock.createTimers(b);
    ta->start(1, 100);
    tb->start(2, 50);
    tb->start(3, 100);
    clock.advance(100);
    // 2 was scheduled again at 50, after 1 and 3 were
    EXPECT_EQ(a.ticks, (Ticks{{100, 1}}));
    EXPECT_EQ(b.ticks, (Ticks{{50, 2}, {100, 3}, {100, 2}}));
    EXPECT_EQ(clock.nowMs(), 100);
    clock.advance(49);
    EXPECT_EQ(b.count(2), 2);
    EXPECT_EQ(clock.nextDueMs(), 150);
}

TEST(VirtualClock, RestartingStoppingAndClientsThatChangeTheirTimers) {
    VirtualClock clock;
    Recorder r(&clock);
    auto timers = clock.createTimers(r);
    timers->start(1, 100);
    clock.advance(60);
    timers->start(1, 100); // restarts the period
    clock.advance(99);
    EXPECT_TRUE(r.ticks.empty());
    clock.advance(1);
    EXPECT_EQ(r.ticks, (Ticks{{160, 1}}));

    // a one-shot that hands over to a faster timer
    r.ticks.clear();
    r.action = [&](int id) {
        if (id == 1) {
            timers->stop(1);
            timers->start(2, 10);
        }
    };
    clock.advance(130);
    EXPECT_EQ(r.ticks, (Ticks{{260, 1}, {270, 2}, {280, 2}, {290, 2}}));
    EXPECT_FALSE(timers->isActive(1));
    EXPECT_TRUE(timers->isActive(2));

    timers.reset(); // gone with their owner
    EXPECT_EQ(clock.activeTimerCount(), 0);
    clock.advance(100);
    EXPECT_EQ(r.count(2), 3);
}

TEST(VirtualClock, RunUntilStopsAtTheConditionOrTheLimit) {
    VirtualClock clock;
    Recorder r(&clock);
    auto timers = clock.createTimers(r);
    timers->start(7, 30);
    EXPECT_TRUE(clock.runUntil([&] { return r.count(7) == 4; }, 1000));
    EXPECT_EQ(clock.nowMs(), 120);
    EXPECT_FALSE(clock.runUntil([] { return false; }, 500));
    EXPECT_EQ(clock.nowMs(), 620);
    EXPECT_EQ(r.count(7), 20);
}

TEST(VirtualClock, TimersOutlivingTheClockAreHarmless) {
    Recorder r;
    std::unique_ptr<Timers> timers;
    {
        VirtualClock clock;
        timers = clock.createTimers(r);
        timers->start(1, 10);
    }
    EXPECT_FALSE(timers->isActive(1));
    timers->start(1, 10);
    timers->stop(1);
}

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
    while (r.count(8) < 3 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GE(r.count(8), 3);
    EXPECT_EQ(r.count(7), 1);
    EXPECT_EQ(r.count(9), 0);
    timers->stop(8);
    EXPECT_FALSE(timers->isActive(8));
}

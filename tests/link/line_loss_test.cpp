// When the link engine gives the line up for lost, and what it leaves behind.

#include "engine_fixture.h"

#include <optional>

namespace mqx::test {
namespace {

enum class Trouble {
    PortFault,     // the adapter reports its device gone
    UnitSilent,    // nothing comes back any more
    EditsOnly,     // the unit is silent but the operator keeps editing, 10 edits a second
    LevelsFlowing, // a healthy unit
};

using LineLossTest = EngineTest;

TEST_F(LineLossTest, TheLineIsLostOnlyByTheRulesForItsState) {
    std::vector<LineLoss> losses;
    qint64 lostAtMs = -1;
    engine.setLineLostCallback([&](LineLoss how) {
        losses.push_back(how);
        lostAtMs = clock.nowMs();
    });
    const auto streamLevels = [this](qint64 untilMs) { // a level frame every 100 ms
        for (qint64 t = clock.nowMs() + 100; t <= untilMs; t += 100)
            port.deliverAt(t, "(01M" + QByteArray(48, '0'));
    };
    const struct {
        const char* name;
        Trouble trouble;
        bool metering, watching;
        std::optional<LineLoss> expected;
        qint64 noticedWithinMs; // from the trouble; for no loss, how long nothing happens
    } cases[] = {
        {"port fault, idle", Trouble::PortFault, false, false, LineLoss::PortFault, 1},
        {"port fault while metering", Trouble::PortFault, true, true, LineLoss::PortFault, 1},
        {"no level frame for 2 s", Trouble::UnitSilent, true, true, LineLoss::NoLevels, 2000},
        {"an unanswered exchange, metering off", Trouble::UnitSilent, false, true,
         LineLoss::NoAnswer, 5050},
        {"before the unit is watched a silence is the caller's", Trouble::UnitSilent, true, false,
         std::nullopt, 8000},
        {"edits ask for levels anew each time", Trouble::EditsOnly, true, true, std::nullopt, 4000},
        {"a unit that streams its levels", Trouble::LevelsFlowing, true, true, std::nullopt, 8000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        losses.clear();
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        engine.setMeteringOn(c.metering);
        engine.watchUnit(c.watching);
        if (c.metering) {
            engine.StartLevelReading();
            streamLevels(clock.nowMs() + 500);
            clock.advance(500);
        }
        const qint64 from = clock.nowMs();
        if (c.trouble == Trouble::PortFault)
            port.raiseFault();
        if (c.trouble == Trouble::UnitSilent && !c.metering)
            engine.IssueCommand(CmdHello);
        if (c.trouble == Trouble::LevelsFlowing)
            streamLevels(from + c.noticedWithinMs);
        if (c.trouble == Trouble::EditsOnly) {
            for (qint64 t = 0; t < c.noticedWithinMs; t += 100) {
                edit("0492", "010");
                clock.advance(100);
            }
        } else {
            clock.runUntil([&] { return !losses.empty(); }, c.noticedWithinMs);
        }

        if (!c.expected) {
            EXPECT_TRUE(losses.empty() && port.isOpen());
            engine.CloseLink();
            continue;
        }
        ASSERT_EQ(losses.size(), 1u);
        // Level ticks and exchange polls come every 50 ms: the tick before is too soon.
        EXPECT_LE(lostAtMs - from, c.noticedWithinMs);
        EXPECT_GT(lostAtMs - from, c.noticedWithinMs - 50);
        EXPECT_EQ(std::tuple(losses[0], port.isOpen(), engine.done(), engine.isWatchingUnit(),
                             clock.activeTimerCount()), // nothing of the lost link keeps running
                  std::tuple(*c.expected, false, true, false, 0));
        losses.clear();
        port.raiseFault();
        EXPECT_TRUE(losses.empty()) << "a fault after the loss is no second one";
    }
}

} // namespace
} // namespace mqx::test

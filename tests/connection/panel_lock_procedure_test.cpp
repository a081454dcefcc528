
#include "connection/panel_lock_procedure.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

using sim::LineFault;
using sim::UnitCommand;

struct PanelLockTest : UnitBench {
    void SetUp() override {
        UnitBench::SetUp();
        openLine(3);
    }
};

const auto garbled = [](int n) { return LineFault{.kind = K::Garbled, .remaining = n}; };

TEST_F(PanelLockTest, EveryAnswerOfTheUnitEndsInItsMessageAndKnownState) {
    const QString locked = QStringLiteral("Panel operation was locked.");
    const QString failed = QStringLiteral("The lock of panel operation failed.");
    const QString nonErr = QStringLiteral("Non Err Code.");
    constexpr auto Ok = ProcedureOutcome::Ok, Cancel = ProcedureOutcome::Cancel;
    const QString Info = QStringLiteral("i"), Warn = QStringLiteral("!");
    constexpr auto Lock = UnitCommand::PanelLock, State = UnitCommand::PanelLockState;
    const struct {
        const char* name;
        std::optional<std::pair<UnitCommand, LineFault>> fault;
        ProcedureOutcome outcome;
        int requests, queries;
        QString text;
        QString icon;
        char state;
        bool releasing = false;
    } cases[] = {
        {"locked", {}, Ok, 1, 1, locked, Info, 'D'},
        {"released", {}, Ok, 1, 1, "The lock of panel operation was canceled.", Info, 'E', true},
        {"a known error is told at once", std::pair{Lock, LineFault{K::Error, 13}}, Ok, 1, 1,
         "The program is protected.", Warn, 'E'},
        {"garbled twice, then read", std::pair{Lock, garbled(2)}, Ok, 3, 1, locked, Info, 'D'},
        {"garbled once, then read", std::pair{Lock, garbled(1)}, Ok, 2, 1, locked, Info, 'D'},
        {"garbled three times", std::pair{Lock, LineFault{K::Garbled}}, Ok, 3, 1, nonErr, Warn,
         'D'},
        {"an unknown error three times", std::pair{Lock, LineFault{K::Error, 99}}, Ok, 3, 1, nonErr,
         Warn, 'E'},
        {"the state unreadable", std::pair{State, LineFault{K::Garbled}}, Cancel, 1, 3, failed,
         Warn, 'E'},
        {"no answer to the lock is not retried", std::pair{Lock, LineFault{K::Silent}}, Cancel, 1,
         0, failed, Warn, 'E'},
        {"no answer to the state", std::pair{State, LineFault{K::Silent}}, Cancel, 1, 1, failed,
         Warn, 'E'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool locking = !c.releasing;
        nextRow(c.fault);
        sim.unit(3)->handle(locking ? "CE" : "CD");
        session.PanelLockState = locking ? 'E' : 'D';
        int refreshes = 0;
        PanelLockProcedure lock(session, engine, prompts, clock);
        lock.setStatusCallback([&refreshes] { ++refreshes; });
        ASSERT_TRUE(lock.start(locking));
        EXPECT_FALSE(lock.start(!locking)) << "OK acts once";
        ASSERT_TRUE(runToEnd(lock));
        EXPECT_EQ(std::tuple(lock.outcome(), count(locking ? "(03CD" : "(03CE"), count("(03K")),
                  std::tuple(c.outcome, c.requests, c.queries));
        // Releasing writes the ID without its leading zero.
        EXPECT_EQ(messages(), QStringList{c.icon + " Panel Operation Lock: " + c.text +
                                          (locking ? "\nMQX-T410 ID = 03" : "\nMQX-T410 ID = 3")});
        EXPECT_EQ(std::pair(session.PanelLockState, refreshes),
                  std::pair(c.state, c.outcome == ProcedureOutcome::Ok ? 1 : 0));
    }
}

// A lock pressed while the engine's own levon is on the line waits in the queue.
TEST_F(PanelLockTest, ARequestQueuedBehindTheLevelStreamIsJudgedByItsOwnReply) {
    engine.setMeteringOn(true);
    ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
    PanelLockProcedure lock(session, engine, prompts, clock);
    ASSERT_TRUE(lock.start(true) && runToEnd(lock));
    EXPECT_EQ(std::tuple(lock.outcome(), count("(03CD"), session.PanelLockState),
              std::tuple(ProcedureOutcome::Ok, 1, 'D'));
    EXPECT_EQ(prompts.shown().back().text, "Panel operation was locked.\nMQX-T410 ID = 03");
}

} // namespace
} // namespace mqx::test

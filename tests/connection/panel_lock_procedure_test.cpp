// Locking and releasing the front panel: messages, retries of unreadable replies and the
// state read back afterwards.

#include "connection/panel_lock_procedure.h"
#include "unit_bench.h"

#include <optional>

namespace mqx::test {
namespace {

using sim::LineFault;
using sim::UnitCommand;
using K = LineFault::Kind;

class PanelLockTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        session.ConnectedUnitId = 3;
        session.PanelLockState = 'E';
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }
};

LineFault garbledTimes(int times) {
    LineFault f{K::Garbled};
    f.remaining = times;
    return f;
}

TEST_F(PanelLockTest, EveryAnswerOfTheUnitEndsInItsMessageAndKnownState) {
    const QString failed = QStringLiteral("The lock of panel operation failed.");
    const struct {
        const char* name;
        bool locking;
        std::optional<std::pair<UnitCommand, LineFault>> fault;
        ProcedureOutcome outcome;
        int requests; // of the lock itself
        int queries;  // of the state after it
        QString text; // before "\nMQX-T410 ID = 03"
        PromptIcon icon;
        char state;
    } cases[] = {
        {"locked",
         true,
         {},
         ProcedureOutcome::Ok,
         1,
         1,
         "Panel operation was locked.",
         PromptIcon::Information,
         'D'},
        {"released",
         false,
         {},
         ProcedureOutcome::Ok,
         1,
         1,
         "The lock of panel operation was canceled.",
         PromptIcon::Information,
         'E'},
        {"a known error is told at once, the state still read", true,
         std::pair{UnitCommand::PanelLock, LineFault{K::Error, 13}}, ProcedureOutcome::Ok, 1, 1,
         "The program is protected.", PromptIcon::Exclamation, 'E'},
        {"garbled twice, then read", true, std::pair{UnitCommand::PanelLock, garbledTimes(2)},
         ProcedureOutcome::Ok, 3, 1, "Panel operation was locked.", PromptIcon::Information, 'D'},
        {"garbled once, then read", true, std::pair{UnitCommand::PanelLock, garbledTimes(1)},
         ProcedureOutcome::Ok, 2, 1, "Panel operation was locked.", PromptIcon::Information, 'D'},
        {"garbled three times", true, std::pair{UnitCommand::PanelLock, LineFault{K::Garbled}},
         ProcedureOutcome::Ok, 3, 1, "Non Err Code.", PromptIcon::Exclamation, 'D'},
        {"an unknown error three times", true,
         std::pair{UnitCommand::PanelLock, LineFault{K::Error, 99}}, ProcedureOutcome::Ok, 3, 1,
         "Non Err Code.", PromptIcon::Exclamation, 'E'},
        {"the state unreadable three times", true,
         std::pair{UnitCommand::PanelLockState, LineFault{K::Garbled}}, ProcedureOutcome::Cancel, 1,
         3, failed, PromptIcon::Exclamation, 'E'},
        {"no answer to the lock is not retried", true,
         std::pair{UnitCommand::PanelLock, LineFault{K::Silent}}, ProcedureOutcome::Cancel, 1, 0,
         failed, PromptIcon::Exclamation, 'E'},
        {"no answer to the state", true,
         std::pair{UnitCommand::PanelLockState, LineFault{K::Silent}}, ProcedureOutcome::Cancel, 1,
         1, failed, PromptIcon::Exclamation, 'E'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim.clearFaults();
        sim.unit(3)->handle(c.locking ? "CE" : "CD");
        session.PanelLockState = c.locking ? 'E' : 'D';
        if (c.fault)
            sim.setFault(c.fault->first, c.fault->second);
        received.clear();
        prompts.clear();
        int refreshes = 0;
        PanelLockProcedure lock(session, engine, prompts, clock);
        lock.setStatusCallback([&refreshes] { ++refreshes; });
        ASSERT_TRUE(lock.start(c.locking));
        EXPECT_FALSE(lock.start(!c.locking)) << "OK acts once";
        ASSERT_TRUE(runToEnd(lock));
        EXPECT_EQ(lock.outcome(), c.outcome);
        EXPECT_EQ(count(c.locking ? "(03CD" : "(03CE"), c.requests);
        EXPECT_EQ(count("(03K"), c.queries);
        ASSERT_EQ(prompts.shown().size(), 1u);
        // Releasing writes the ID without its leading zero.
        EXPECT_EQ(lastShown().text,
                  c.text + (c.locking ? "\nMQX-T410 ID = 03" : "\nMQX-T410 ID = 3"));
        EXPECT_EQ(lastShown().title, QStringLiteral("Panel Operation Lock"));
        EXPECT_EQ(lastShown().icon, c.icon);
        EXPECT_EQ(session.PanelLockState, c.state);
        EXPECT_EQ(refreshes, c.outcome == ProcedureOutcome::Ok ? 1 : 0);
    }
}

// A fault found before: the engine restarts the level stream after every exchange, and a
// lock pressed while that levon is on the line waits in the queue slot. Its own reply,
// not the levon's, must be what it is judged by.
TEST_F(PanelLockTest, ARequestQueuedBehindTheLevelStreamIsJudgedByItsOwnReply) {
    engine.setMeteringOn(true);
    ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
    PanelLockProcedure lock(session, engine, prompts, clock);
    ASSERT_TRUE(lock.start(true));
    ASSERT_TRUE(runToEnd(lock));
    EXPECT_EQ(lock.outcome(), ProcedureOutcome::Ok);
    EXPECT_EQ(count("(03CD"), 1);
    EXPECT_EQ(session.PanelLockState, 'D');
    EXPECT_EQ(lastShown().text, QStringLiteral("Panel operation was locked.\nMQX-T410 ID = 03"));
}

} // namespace
} // namespace mqx::test

// Locking and releasing the front panel: messages, retries of unreadable replies and the
// state read back afterwards.

#include "connection/panel_lock_procedure.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

using sim::LineFault;
using sim::UnitCommand;

class PanelLockTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        session.ConnectedUnitId = 3;
        session.PanelLockState = 'E';
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        lock.setStatusCallback([this] { ++statusRefreshes; });
    }
    ProcedureOutcome run(bool locking) {
        EXPECT_TRUE(lock.start(locking));
        EXPECT_TRUE(runToEnd(lock));
        return lock.outcome();
    }

    PanelLockProcedure lock{session, engine, prompts, clock};
    int statusRefreshes = 0;
};

TEST_F(PanelLockTest, LockingShowsTheIdWithTwoDigitsAndReadsTheStateBack) {
    EXPECT_EQ(run(true), ProcedureOutcome::Ok);
    EXPECT_EQ(requests(), (QStringList{QStringLiteral("(03CD"), QStringLiteral("(03K")}));
    EXPECT_EQ(sim.unit(3)->panelLock(), 'D');
    EXPECT_EQ(session.PanelLockState, 'D');
    EXPECT_EQ(statusRefreshes, 1);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(lastShown().text, QStringLiteral("Panel operation was locked.\nMQX-T410 ID = 03"));
    EXPECT_EQ(lastShown().title, QStringLiteral("Panel Operation Lock"));
    EXPECT_EQ(lastShown().icon, PromptIcon::Information);
}

TEST_F(PanelLockTest, ReleasingShowsTheIdWithoutALeadingZero) {
    sim.unit(3)->handle("CD");
    session.PanelLockState = 'D';
    EXPECT_EQ(run(false), ProcedureOutcome::Ok);
    EXPECT_EQ(requests().first(), QStringLiteral("(03CE"));
    EXPECT_EQ(session.PanelLockState, 'E');
    EXPECT_EQ(lastShown().text,
              QStringLiteral("The lock of panel operation was canceled.\nMQX-T410 ID = 3"));
}

TEST_F(PanelLockTest, AKnownErrorIsReportedAtOnceAndTheStateStillRead) {
    sim.setFault(UnitCommand::PanelLock, {LineFault::Kind::Error, 13});
    EXPECT_EQ(run(true), ProcedureOutcome::Ok);
    EXPECT_EQ(requests(), (QStringList{QStringLiteral("(03CD"), QStringLiteral("(03K")}));
    EXPECT_EQ(lastShown().text, QStringLiteral("The program is protected.\nMQX-T410 ID = 03"));
    EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
    EXPECT_EQ(session.PanelLockState, 'E') << "the unit says it is still free";
}

TEST_F(PanelLockTest, UnreadableRepliesAreAskedAgainUpToThreeRequests) {
    struct Case {
        LineFault fault;
        int requests;
        const char* message;
    };
    for (const Case& c :
         {Case{{LineFault::Kind::Garbled, 0, 100, 4, 2}, 3, "Panel operation was locked."},
          Case{{LineFault::Kind::Garbled}, 3, "Non Err Code."},
          Case{{LineFault::Kind::Error, 99}, 3, "Non Err Code."},
          Case{{LineFault::Kind::Garbled, 0, 100, 4, 1}, 2, "Panel operation was locked."}}) {
        SCOPED_TRACE(c.requests);
        PanelLockProcedure again(session, engine, prompts, clock);
        received.clear();
        prompts.clear();
        sim.setFault(UnitCommand::PanelLock, c.fault);
        ASSERT_TRUE(again.start(true));
        ASSERT_TRUE(runToEnd(again));
        EXPECT_EQ(again.outcome(), ProcedureOutcome::Ok);
        EXPECT_EQ(count("(03CD"), c.requests);
        EXPECT_EQ(count("(03K"), 1);
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_EQ(lastShown().text, QString::fromLatin1(c.message) + "\nMQX-T410 ID = 03");
        sim.clearFaults();
    }
}

TEST_F(PanelLockTest, StateQueryIsAskedThreeTimesThenTheLockFails) {
    sim.setFault(UnitCommand::PanelLockState, {LineFault::Kind::Garbled});
    EXPECT_EQ(run(true), ProcedureOutcome::Cancel);
    EXPECT_EQ(count("(03K"), 3);
    EXPECT_EQ(texts(),
              QStringList{QStringLiteral("The lock of panel operation failed.\nMQX-T410 ID = 03")});
    EXPECT_EQ(session.PanelLockState, 'E') << "a failure leaves the known state";
    EXPECT_EQ(statusRefreshes, 0);
}

TEST_F(PanelLockTest, SilenceFailsAtEitherStep) {
    for (UnitCommand silent : {UnitCommand::PanelLock, UnitCommand::PanelLockState}) {
        PanelLockProcedure again(session, engine, prompts, clock);
        prompts.clear();
        received.clear();
        sim.setFault(silent, {LineFault::Kind::Silent});
        ASSERT_TRUE(again.start(true));
        ASSERT_TRUE(runToEnd(again));
        EXPECT_EQ(again.outcome(), ProcedureOutcome::Cancel);
        EXPECT_EQ(texts(), QStringList{QStringLiteral(
                               "The lock of panel operation failed.\nMQX-T410 ID = 03")});
        EXPECT_EQ(count("(03CD"), 1) << "no answer is not retried";
        sim.clearFaults();
    }
}

TEST_F(PanelLockTest, ASecondOkSendsNothing) {
    EXPECT_TRUE(lock.start(true));
    EXPECT_FALSE(lock.start(false));
    ASSERT_TRUE(runToEnd(lock));
    EXPECT_EQ(count("(03CD"), 1);
    EXPECT_EQ(count("(03CE"), 0);
}

} // namespace
} // namespace mqx::test

namespace mqx::test {
namespace {

TEST_F(PanelLockTest, ARequestQueuedBehindTheLevelStreamIsJudgedByItsOwnReply) {
    // The engine restarts the level stream after every exchange; a lock pressed while that
    // levon is on the line waits in the queue slot.
    engine.setMeteringOn(true);
    ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
    EXPECT_EQ(run(true), ProcedureOutcome::Ok);
    EXPECT_EQ(count("(03CD"), 1);
    EXPECT_EQ(session.PanelLockState, 'D');
    EXPECT_EQ(lastShown().text, QStringLiteral("Panel operation was locked.\nMQX-T410 ID = 03"));
}

} // namespace
} // namespace mqx::test

// The pace of exchanges (a procedure going on as its exchange ends: the unit scan's test).

#include "engine_fixture.h"

#include "link/link_procedure.h"

#include <string_view>

namespace mqx::test {
namespace {

TEST_F(EngineTest, AReplyIsJudgedWhenItsCharactersArriveWithinTheUsualBounds) {
    const struct {
        const char* name;
        QByteArray reply;
        bool signalled; // else the port gives no arrival event and the poll finds it
        bool doneAtArrival, succeeded;
        qint64 endsAfterMs; // from the arrival
    } cases[] = {
        {"whole", "(01hello", true, true, true, 0},
        {"error reply", "(01e13", true, true, true, 0},
        {"garbled", "x01h", true, true, false, 0},
        // Part of it: 1 s of silence ends it, from the event or from the poll (at 50 ms).
        {"part", "(01he", true, false, false, 1000},
        {"part found by the poll", "(01he", false, false, false, 1043},
        {"whole found by the poll", "(01hello", false, false, true, 43},
        // plock's own reply is 4 characters: "(01e" is only the head of an error reply
        {"plock: an error head", "(01e", true, false, false, 1000},
        {"plock: an error reply without its code", "(01e0", true, false, false, 1000},
        {"plock: error code 0", "(01e00", true, true, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool plock = std::string_view(c.name).starts_with("plock");
        ASSERT_EQ(engine.IssueCommand(plock ? CmdPlock : CmdHello), 1);
        clock.advance(7); // before the first 50 ms poll
        port.feed(c.reply);
        if (c.signalled)
            port.signalArrival();
        EXPECT_EQ(engine.done(), c.doneAtArrival);
        const qint64 arrival = clock.nowMs();
        ASSERT_TRUE(waitDone(5000));
        EXPECT_EQ(engine.succeeded(), c.succeeded);
        EXPECT_EQ(clock.nowMs() - arrival, c.endsAfterMs);
        clock.advance(1000);
    }
}

TEST_F(EngineTest, ArrivalWithoutAnAwaitedReplyIsLeftToItsReader) {
    edit("0531", "000"); // no reply awaited: the level reader drops the echo
    port.feed("(01$053");
    port.signalArrival();
    EXPECT_TRUE(engine.done());
    EXPECT_EQ(port.waiting(), 7) << "left in the port";
}

TEST_F(EngineTest, NoRequestWithinTheGapAfterAReply) {
    const struct {
        const char* name;
        bool issueDuringExchange; // else as the reply has just been judged
        int command;              // CmdParedt for an edit
        bool replyFoundByPoll;    // the port gave no arrival event
    } cases[] = {
        {"command after the reply", false, CmdPnllock, false},
        {"edit after the reply", false, CmdParedt, false},
        {"command queued meanwhile", true, CmdPnllock, false},
        {"edit queued meanwhile", true, CmdParedt, false},
        {"reply found by the poll", false, CmdPnllock, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        port.clearWritten();
        const auto issue = [&] {
            if (c.command == CmdParedt)
                edit("0531", "000");
            else
                ASSERT_EQ(engine.IssueCommand(c.command), 1);
        };
        ASSERT_EQ(engine.IssueCommand(CmdHello), 1);
        if (c.issueDuringExchange)
            issue();
        ASSERT_EQ(framesWritten(), 1);
        clock.advance(10);
        port.feed("(01hello");
        if (!c.replyFoundByPoll)
            port.signalArrival();
        ASSERT_TRUE(waitDone(100));
        const qint64 replyEnd = clock.nowMs();
        if (!c.issueDuringExchange)
            issue();
        clock.advanceTo(replyEnd + LinkEngine::kReplyGapMs - 1);
        EXPECT_EQ(framesWritten(), 1) << "nothing within the gap";
        clock.advanceTo(replyEnd + LinkEngine::kReplyGapMs);
        ASSERT_EQ(framesWritten(), 2) << "and at once after it";
        EXPECT_EQ(lastFrame().left(4), c.command == CmdParedt ? "(01$" : "(01K");
        clock.advance(2000);
    }
}

TEST_F(EngineTest, AHeldRequestWaitsForItsFirstCharactersFromTheWrite) {
    ASSERT_EQ(engine.IssueCommand(CmdHello), 1);
    port.feed("(01hello");
    port.signalArrival();
    ASSERT_TRUE(engine.done());
    ASSERT_EQ(engine.IssueCommand(CmdBye), 1); // 20 ticks of 50 ms for its first characters
    port.feed("(01M");                         // what comes in while it is held is no answer to it
    EXPECT_FALSE(engine.done()) << "its exchange has begun";
    ASSERT_TRUE(waitDone(5000));
    EXPECT_EQ(std::tuple(engine.succeeded(), engine.exchange().received,
                         clock.nowMs() - port.writtenAtMs().back()),
              std::tuple(false, 0, 1050));
}

// Issues hello, then devinfget once hello has been answered, noting when each step ran.
struct TwoStepProcedure : LinkProcedure {
    TwoStepProcedure(LinkEngine& engine, VirtualClock& clock)
        : LinkProcedure(engine, clock), m_clock(clock) {
        begin();
        startTimer(1);
    }
    void step(int id) override {
        steps.emplace_back(id, m_clock.nowMs());
        if (id != 1 && !pollDone(id))
            return;
        if (id == 3)
            return finish(ProcedureOutcome::Ok);
        engine().IssueCommand(id == 1 ? CmdHello : CmdDevinfget);
        startTimer(id + 1);
    }
    std::vector<std::pair<int, qint64>> steps;
    const Clock& m_clock;
};

TEST_F(EngineTest, AProcedureWaitsOutACommandQueuedBehindAnotherExchange) {
    ASSERT_EQ(engine.IssueCommand(CmdLevon), 1); // hello goes to the queue slot behind it
    port.deliverIn(100, "(01M");
    port.setResponder([this](const QByteArray& frame) {
        port.deliverIn(10, frame == "(01hello" ? frame : "(01X" + QByteArray(256, '.'));
    });
    TwoStepProcedure procedure(engine, clock);
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 1000));
    // A poll that finds the queued command still waiting comes again a period later, not at once.
    const auto& steps = procedure.steps;
    for (std::size_t i = 1; i < steps.size(); ++i)
        EXPECT_GE(steps[i].second - steps[i - 1].second, 10) << "step " << i;
}

} // namespace
} // namespace mqx::test

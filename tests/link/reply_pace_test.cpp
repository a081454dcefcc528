// The pace of exchanges: a reply is judged when the port tells of its last character, the
// next request keeps the rest after it, and a procedure goes on as its exchange ends.

#include "engine_fixture.h"

#include "link/link_procedure.h"

namespace mqx::test {
namespace {

struct ArrivalCase {
    const char* name;
    QByteArray reply;
    bool signalled; // else the port gives no arrival event and the poll finds it
    bool doneAtArrival;
    bool succeeded;
    qint64 endsAfterMs; // from the arrival
};

class ReplyArrival : public EngineTest, public ::testing::WithParamInterface<ArrivalCase> {};

TEST_P(ReplyArrival, IsJudgedWhenItsCharactersArriveWithinTheUsualBounds) {
    const ArrivalCase& c = GetParam();
    ASSERT_EQ(engine.IssueCommand(CmdHello), 1);
    clock.advance(7); // before the first 50 ms poll
    port.feed(c.reply);
    if (c.signalled)
        port.signalArrival();
    EXPECT_EQ(engine.done(), c.doneAtArrival);
    const qint64 arrival = clock.nowMs();
    ASSERT_TRUE(waitDone(5000));
    EXPECT_EQ(engine.succeeded(), c.succeeded);
    EXPECT_EQ(clock.nowMs() - arrival, c.endsAfterMs);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReplyArrival,
    ::testing::Values(ArrivalCase{"Whole", "(01hello", true, true, true, 0},
                      ArrivalCase{"ErrorReply", "(01e13", true, true, true, 0},
                      ArrivalCase{"Garbled", "x01h", true, true, false, 0},
                      // Part of it: the 1 s of silence still bounds the rest, counted from
                      // the event or from the poll (at 50 ms) that found it.
                      ArrivalCase{"Part", "(01he", true, false, false, 1000},
                      ArrivalCase{"PartFoundByThePoll", "(01he", false, false, false, 1043},
                      ArrivalCase{"WholeFoundByThePoll", "(01hello", false, false, true, 43}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(EngineTest, ArrivalWithoutAnAwaitedReplyIsLeftToItsReader) {
    edit("0531", "000"); // no reply awaited: the level reader drops the echo
    port.feed("(01$053");
    port.signalArrival();
    EXPECT_TRUE(engine.done());
    EXPECT_EQ(port.waiting(), 7) << "left in the port";
}

struct GapCase {
    const char* name;
    bool issueDuringExchange; // else as the reply has just been judged
    int command;              // CmdParedt for an edit
    bool replyFoundByPoll;    // the port gave no arrival event
};

class ReplyGap : public EngineTest, public ::testing::WithParamInterface<GapCase> {
protected:
    void issue(int command) {
        if (command == CmdParedt)
            edit("0531", "000");
        else
            ASSERT_EQ(engine.IssueCommand(command), 1);
    }
};

TEST_P(ReplyGap, NoRequestWithinTheGapAfterAReply) {
    const GapCase& c = GetParam();
    ASSERT_EQ(engine.IssueCommand(CmdHello), 1);
    if (c.issueDuringExchange)
        issue(c.command);
    ASSERT_EQ(framesWritten(), 1);
    clock.advance(10);
    port.feed("(01hello");
    if (!c.replyFoundByPoll)
        port.signalArrival();
    ASSERT_TRUE(waitDone(100));
    const qint64 replyEnd = clock.nowMs();
    if (!c.issueDuringExchange)
        issue(c.command);

    clock.advanceTo(replyEnd + LinkEngine::kReplyGapMs - 1);
    EXPECT_EQ(framesWritten(), 1) << "nothing within the gap";
    clock.advanceTo(replyEnd + LinkEngine::kReplyGapMs);
    ASSERT_EQ(framesWritten(), 2) << "and at once after it";
    EXPECT_EQ(port.writtenAtMs()[1], replyEnd + LinkEngine::kReplyGapMs);
    EXPECT_EQ(lastFrame().left(4), c.command == CmdParedt ? "(01$" : "(01K");
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ReplyGap,
    ::testing::Values(GapCase{"CommandAfterTheReply", false, CmdPnllock, false},
                      GapCase{"EditAfterTheReply", false, CmdParedt, false},
                      GapCase{"CommandQueuedMeanwhile", true, CmdPnllock, false},
                      GapCase{"EditQueuedMeanwhile", true, CmdParedt, false},
                      GapCase{"ReplyFoundByThePoll", false, CmdPnllock, true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(EngineTest, AHeldRequestWaitsForItsFirstCharactersFromTheWrite) {
    ASSERT_EQ(engine.IssueCommand(CmdHello), 1);
    port.feed("(01hello");
    port.signalArrival();
    ASSERT_TRUE(engine.done());
    ASSERT_EQ(engine.IssueCommand(CmdBye), 1); // 20 ticks of 50 ms for its first characters
    EXPECT_FALSE(engine.done()) << "its exchange has begun";
    ASSERT_TRUE(waitDone(5000));
    EXPECT_FALSE(engine.succeeded());
    EXPECT_EQ(clock.nowMs() - port.writtenAtMs().back(), 1050);
}

// Issues hello, then devinfget once hello has been answered, noting when each step ran.
class TwoStepProcedure : public LinkProcedure {
public:
    using LinkProcedure::LinkProcedure;
    void start() {
        begin();
        startTimer(1);
    }
    std::vector<std::pair<int, qint64>> steps;
    const Clock* clock = nullptr;

private:
    void step(int id) override {
        steps.emplace_back(id, clock->nowMs());
        if (id == 1) {
            engine().IssueCommand(CmdHello);
            startTimer(2);
        } else if (id == 2 && pollDone(id)) {
            engine().IssueCommand(CmdDevinfget);
            startTimer(3);
        } else if (id == 3 && pollDone(id)) {
            finish(ProcedureOutcome::Ok);
        }
    }
};

TEST_F(EngineTest, AProcedureGoesOnAsItsExchangeEnds) {
    TwoStepProcedure procedure(engine, clock);
    procedure.clock = &clock;
    procedure.start();
    clock.advance(1);
    clock.advance(9);
    port.feed("(01hello");
    port.signalArrival();
    ASSERT_TRUE(clock.runUntil([&] { return framesWritten() == 2; }, 1000));
    clock.advance(5);
    port.feed("(01X" + QByteArray(256, '.'));
    port.signalArrival();
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 1000));
    // Started at once while the line was idle; each poll brought forward to the end of
    // its exchange, not left to its 60 ms period.
    const std::vector<std::pair<int, qint64>> expected{{1, 1}, {2, 11}, {3, 36}};
    EXPECT_EQ(procedure.steps, expected);
    EXPECT_EQ(port.writtenAtMs()[1], 10 + LinkEngine::kReplyGapMs);
}

} // namespace
} // namespace mqx::test

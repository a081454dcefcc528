// Exchanges of the link engine: sending, the queue slot, time limits and replies in bursts.

#include "engine_fixture.h"

namespace mqx::test {
namespace {

using Exchange = EngineTest;

QByteArray programData() {
    return "(01Q" + QByteArray("0123456789").repeated(103).left(1026);
}

// A port that does not open: the connect procedure's test.
TEST_F(Exchange, OpensAt19200EightNoneOneAndACompleteReplyEndsTheWait) {
    EXPECT_EQ(port.openArguments(), (QStringList{"1", "19200", "0", "8", "1"}));
    unitId = 0; // nothing goes out without a connected unit, nor for no command
    const int noUnit = engine.IssueCommand(CmdHello);
    unitId = 7;
    EXPECT_EQ((std::vector{noUnit, engine.IssueCommand(-1), engine.IssueCommand(24),
                           framesWritten(), clock.activeTimerCount()}),
              (std::vector{0, 0, 0, 0, 0}));
    EXPECT_TRUE(engine.done());
    EXPECT_EQ(engine.IssueCommand(CmdHello), 1);
    EXPECT_EQ(std::tuple(lastFrame(), engine.done(), busyChanges),
              std::tuple("(07hello", false, std::vector<bool>{true}));

    port.deliverIn(120, "(07hello"); // gathered from several reads: the bursts below
    ASSERT_TRUE(waitDone(200));
    EXPECT_EQ(std::tuple(engine.succeeded(), engine.ReplyBuffer(),
                         engine.CheckReply(CmdHello).isMatch(), engine.CurrentCommand(),
                         busyChanges),
              std::tuple(true, "(07hello", true, CmdHello, std::vector<bool>{true, false}));
    clock.advance(LinkEngine::kReplyGapMs); // the line's rest after the reply
    EXPECT_EQ(clock.activeTimerCount(), 0);

    busyChanges.clear(); // edits wait for no reply and show no busy cursor
    edit("036", "012");
    EXPECT_EQ(std::tuple(lastFrame(), engine.done(), busyChanges.empty()),
              std::tuple("(07$036012(07ME", true, true));
    edit("036", "013"); // the line is still free: out at once
    EXPECT_EQ(framesWritten(), 3);
}

TEST_F(Exchange, AQueuedCommandGoesAnywayAfterTenSecondsOfABusyLine) {
    engine.setProgramArg(1);
    engine.IssueCommand(CmdPdatget);
    const QByteArray reply = programData();
    for (int i = 0; i * 10 < reply.size(); ++i)
        port.deliverAt(200 + i * 900, reply.mid(i * 10, 10));
    clock.advance(300);
    edit("036", "007");
    const qint64 issued = clock.nowMs();

    clock.advanceTo(issued + 10000 - 1);
    EXPECT_EQ(framesWritten(), 1);
    EXPECT_FALSE(engine.done());
    clock.advanceTo(issued + 10000 + 200);
    ASSERT_EQ(framesWritten(), 2);
    EXPECT_EQ(lastFrame(), "(01$036007(01ME");
    // the abandoned exchange counts as failed, and nobody waits for it any more
    EXPECT_EQ(std::tuple(engine.done(), engine.succeeded(), busyChanges.back()),
              std::tuple(true, false, false));
}

TEST_F(Exchange, EveryCommandWaitsItsTimeLimitForASilentUnit) {
    // Ticks of 50 ms, as many as the command table gives (its figures are checked there).
    for (int index = 0; index < kCommandCount; ++index) {
        if (index == CmdParedt)
            continue; // waits for nothing
        const qint64 limit = engine.commandTable()[index].timeLimit * 50;
        SCOPED_TRACE(index);
        ASSERT_EQ(engine.IssueCommand(index), 1);
        clock.advance(limit - 1);
        EXPECT_FALSE(engine.done());
        clock.advance(51); // the tick that finds the count run out
        EXPECT_EQ(std::tuple(engine.done(), engine.succeeded(), busyChanges.back()),
                  std::tuple(true, false, false));
    }
}

// A gap of more than a second ends a reply: the reply pace test's "part" rows.
TEST_F(Exchange, RepliesInBurstsAreGatheredWholeAndKeepTheirFirst1040Characters) {
    engine.setProgramArg(3);
    engine.IssueCommand(CmdPdatget);
    EXPECT_EQ(lastFrame(), "(01Q003");
    const QByteArray reply = programData();
    qint64 at = clock.nowMs() + 4000; // the first after 4 s: in time
    for (int i = 0; i * 100 < reply.size(); ++i, at += 900)
        port.deliverAt(at, reply.mid(i * 100, 100));
    ASSERT_TRUE(waitDone(20000));
    EXPECT_EQ(std::tuple(engine.succeeded(), engine.ReplyBuffer(), engine.payload(),
                         engine.CheckReply(CmdPdatget).isMatch()),
              std::tuple(true, reply, reply.mid(4), true));

    clock.advance(1000);
    engine.IssueCommand(CmdPdatget);
    const QByteArray flood = reply + QByteArray(70, 'z');
    port.deliverIn(100, flood);
    ASSERT_TRUE(waitDone(500));
    EXPECT_EQ(std::tuple(engine.succeeded(), engine.exchange().received, engine.ReplyBuffer()),
              std::tuple(true, flood.size(), flood.left(1040))); // the buffer keeps its first 1040
}

TEST_F(Exchange, AFailedWriteEndsByTheTimeLimitAndClosingTheLinkStopsEverything) {
    port.setWriteFails(true);
    engine.IssueCommand(CmdPnllock);
    EXPECT_FALSE(engine.done());
    ASSERT_TRUE(waitDone(1100));
    EXPECT_FALSE(engine.succeeded());
    port.setWriteFails(false);

    engine.IssueCommand(CmdHello);
    edit("036", "001");
    engine.CloseLink();
    EXPECT_EQ(std::tuple(engine.done(), engine.succeeded(), engine.PendingCommand(), port.isOpen(),
                         clock.activeTimerCount(), busyChanges.back()),
              std::tuple(true, false, -1, false, 0, false));
}

} // namespace
} // namespace mqx::test

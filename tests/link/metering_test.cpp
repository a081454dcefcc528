// Level metering around exchanges, and the gathering and decoding of level frames.

#include "engine_fixture.h"
#include "link/level_reader.h"

namespace mqx::test {
namespace {

// in 2, out 6, peq 2, comp 2, geq 2 (three digits each), state 6 (one digit each)
const QByteArray kDigits = "010020101102103104105106030031085086040041123456";
const QByteArray kFrame = "(01M" + kDigits;
const MeterLevels kLevels{.inputMeter = {10, 20},
                          .outputMeter = {101, 102, 103, 104, 105, 106},
                          .peqMeter = {30, 31},
                          .compReduction = {85, 86},
                          .geqMeter = {40, 41},
                          .outputState = {1, 2, 3, 4, 5, 6}};

TEST(LevelDecoding, GroupsFillTheMeterBlockInOrder) {
    MeterLevels m;
    ASSERT_TRUE(DecodeMeterLevels(kDigits, m));
    EXPECT_EQ(m, kLevels);
    ASSERT_TRUE(DecodeMeterLevels("300" + kDigits.mid(3), m)); // pinned to a byte, not wrapped
    EXPECT_EQ(m.inputMeter[0], 255);
    const MeterLevels before = m;
    EXPECT_FALSE(DecodeMeterLevels(QByteArray(kDigits).replace(20, 1, " "), m) ||
                 DecodeMeterLevels(kDigits.left(47), m));
    EXPECT_EQ(m, before);
}

TEST(LevelReader, GathersFramesOutOfWhateverTheReadsBring) {
    const QByteArray other = QByteArray(kDigits).replace(3, 3, "077");
    const struct {
        const char* name;
        std::vector<QByteArray> reads;
        std::vector<QByteArray> taken; // the digits of each frame completed, in order
    } cases[] = {
        {"one frame, one read", {kFrame}, {kDigits}},
        {"split over two reads", {kFrame.left(30), kFrame.mid(30)}, {kDigits}},
        {"two in one read: the second goes with the buffer",
         {kFrame + "(01M" + other, ""},
         {kDigits}},
        {"an edit's echo before it", {"(01$", kFrame}, {kDigits}},
        {"an error reply breaks a frame", {kFrame.left(20), "(01e13", kFrame.mid(20)}, {}},
        {"a tail without a head", {kFrame.mid(20), "(01M" + other}, {other}},
        {"a frame one short waits", {kFrame.chopped(1)}, {}},
    };
    for (const auto& c : cases) {
        LevelReader reader;
        std::vector<QByteArray> taken;
        for (const QByteArray& read : c.reads)
            if (reader.take(read))
                taken.push_back(reader.levelDigits());
        EXPECT_EQ(taken, c.taken) << c.name;
    }
}

class Metering : public EngineTest {
protected:
    // Metering on and the level stream running, as after connecting.
    void SetUp() override {
        EngineTest::SetUp();
        engine.setMeteringOn(true);
        engine.IssueCommand(CmdLevon);
        port.deliverIn(50, "(01M");
        ASSERT_TRUE(waitDone(100));
        ASSERT_TRUE(engine.isLevelReading());
        clock.advance(LinkEngine::kReplyGapMs);
        port.clearWritten();
    }
    // Lets the level reader take one read.
    void readOnce(const QByteArray& bytes) {
        port.feed(bytes);
        clock.advance(50);
    }
};

TEST_F(Metering, AnEditPausesTheStreamAndResumesItAtOnceLevelTicksReadNothingWhileOff) {
    const int purges = port.purgeCount();
    edit("036", "012");
    EXPECT_GT(port.purgeCount(), purges);
    EXPECT_TRUE(engine.isLevelReading());
    readOnce("(01$"); // the edit's echo is not a level frame
    readOnce(kFrame);
    EXPECT_EQ(std::pair(meters, meterUpdates), std::pair(kLevels, 1));
}

TEST_F(Metering, OtherExchangesPauseTheStreamUntilHalfASecondAfterThemAndTheLineIsFree) {
    const qint64 issued = clock.nowMs();
    engine.IssueCommand(CmdPnllock);
    EXPECT_FALSE(engine.isLevelReading());
    port.deliverIn(100, "(01KE");
    ASSERT_TRUE(waitDone(200));
    const qint64 ended = clock.nowMs();
    clock.advanceTo(ended + 500);
    EXPECT_EQ(std::pair(framesWritten(), engine.isLevelReading()), std::pair(1, false));
    clock.advanceTo(ended + 800);
    ASSERT_EQ(std::pair(framesWritten(), lastFrame()), std::pair(2, QByteArray("(01ME")));
    // The reply at 100 ms, five 100 ms ticks of countdown, a sixth, and 80 ms to the request.
    EXPECT_EQ(port.writtenAtMs().back() - issued, 100 + 600 + 80);
    port.deliverIn(50, "(01M");
    ASSERT_TRUE(waitDone(100));
    EXPECT_TRUE(engine.isLevelReading());
}

TEST_F(Metering, NoLevonAfterLevoffByeOrAnyExchangeWithMeteringOff) {
    const struct {
        int command;
        const char* reply;
        bool metering;
    } cases[] = {{CmdLevoff, "(01M", true}, {CmdBye, "(01bye", true}, {CmdPnllock, "(01KE", false}};
    for (const auto& c : cases) {
        engine.setMeteringOn(c.metering);
        const int before = framesWritten();
        engine.IssueCommand(c.command);
        port.deliverIn(50, c.reply);
        ASSERT_TRUE(waitDone(100));
        clock.advance(2000);
        EXPECT_EQ(framesWritten(), before + 1) << c.reply;
    }
}

TEST_F(Metering, AnEditWaitingInTheQueueLeavesTheReplyToTheWait) {
    engine.IssueCommand(CmdDevinfget);
    edit("036", "005");
    EXPECT_FALSE(engine.isLevelReading()); // it would read the reply away
    const QByteArray reply = "(01X" + QByteArray(256, 'i');
    port.deliverIn(120, reply);
    ASSERT_TRUE(waitDone(200));
    EXPECT_TRUE(engine.succeeded());
    EXPECT_EQ(engine.ReplyBuffer(), reply);
    clock.advance(100);
    EXPECT_EQ(lastFrame(), "(01$036005(01ME");
    EXPECT_TRUE(engine.isLevelReading());
}

TEST_F(Metering, AnEditQueuedWhileTheReplyArrivesDoesNotDiscardIt) {
    engine.setProgramArg(0);
    engine.IssueCommand(CmdPinfget);
    const QByteArray reply = "(01I0000297" + QByteArray(297, 'h');
    port.deliverIn(60, reply.left(100)); // read by the poll at 100 ms
    port.deliverIn(120, reply.mid(100)); // waiting in the port when the edit comes
    clock.advance(130);
    const int purges = port.purgeCount();
    edit("036", "005");
    EXPECT_EQ(port.purgeCount(), purges);
    ASSERT_TRUE(waitDone(200));
    EXPECT_TRUE(engine.succeeded());
    EXPECT_EQ(engine.ReplyBuffer(), reply);
    clock.advance(100);
    EXPECT_EQ(lastFrame(), "(01$036005(01ME");
    EXPECT_GT(port.purgeCount(), purges) << "the edit clears the line as it goes out";
}

} // namespace
} // namespace mqx::test

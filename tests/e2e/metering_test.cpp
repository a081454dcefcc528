// Level metering between the engine and the simulated unit: the stream started by levon,
// frames gathered from reads that cut them anywhere, the pause around every exchange and
// the resumption after it, and edits whose own levon keeps the meters moving.

#include "simulated_link.h"

#include "link/level_reader.h"

#include <algorithm>

using namespace mqx;
using mqx::test::LevelsOf;
using mqx::test::SimulatedLink;

namespace {

class Meters : public SimulatedLink {
protected:
    void SetUp() override {
        SimulatedLink::SetUp();
        engine.setMetersCallback([this](const MeterLevels& m) { shown.push_back(m); });
    }

    // Metering on and the stream running, as after connecting.
    void startMetering() {
        engine.setMeteringOn(true);
        ASSERT_TRUE(exchange(CmdLevon));
        ASSERT_TRUE(engine.CheckReply(CmdLevon).isMatch());
        ASSERT_TRUE(engine.isLevelReading());
        clock.advance(500);
        ASSERT_FALSE(shown.empty());
    }

    // The levels of every level frame the unit has sent so far, in order.
    std::vector<MeterLevels> levelsSent() const {
        std::vector<MeterLevels> out;
        for (const QByteArray& frame : sent)
            if (const std::optional<MeterLevels> m = LevelsOf(frame))
                out.push_back(*m);
        return out;
    }

    // Every value the meters showed is one the unit sent, in the order it sent them: no
    // echo, error reply or torn frame was ever taken for levels.
    ::testing::AssertionResult shownInOrderOfSending() const {
        const std::vector<MeterLevels> all = levelsSent();
        auto from = all.begin();
        for (std::size_t i = 0; i < shown.size(); ++i) {
            from = std::find(from, all.end(), shown[i]);
            if (from == all.end())
                return ::testing::AssertionFailure()
                       << "meter update " << i << " of " << shown.size()
                       << " is no frame the unit sent after the one before it";
            ++from;
        }
        return ::testing::AssertionSuccess();
    }

    std::vector<MeterLevels> shown;
};

bool isLevelFrameStart(const QByteArray& read) {
    return read.size() > 3 && read[0] == '(' && read[3] == 'M';
}

} // namespace

TEST_F(Meters, EveryFrameOfTheStreamReachesTheMetersAlsoWhenReadsCutIt) {
    startMetering();
    clock.advance(2000);

    const std::vector<MeterLevels> all = levelsSent();
    ASSERT_GE(all.size(), 20u);
    // A frame takes 27 ms on the wire and is read every 50 ms: reads end inside frames.
    ASSERT_TRUE(std::any_of(line.reads().begin(), line.reads().end(), [](const QByteArray& r) {
        return isLevelFrameStart(r) && r.size() < kLevelFrameLength;
    }));
    // All but possibly the frame still on the wire.
    EXPECT_GE(shown.size() + 1, all.size());
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), all.begin()));
    EXPECT_EQ(session.meterLevels, shown.back());

    // As at disconnection: the stream stops and stays stopped.
    engine.setMeteringOn(false);
    engine.StopLevelReading();
    ASSERT_TRUE(exchange(CmdLevoff));
    EXPECT_TRUE(engine.CheckReply(CmdLevoff).isMatch()) << engine.ReplyBuffer().constData();
    EXPECT_FALSE(unit().isMetering());
    const std::size_t framesAtStop = levelsSent().size();
    idle(1000);
    EXPECT_EQ(levelsSent().size(), framesAtStop);
}

TEST_F(Meters, AfterAStalledThreadTheReaderPicksTheStreamUpAgain) {
    startMetering();
    const std::size_t readsBefore = line.reads().size();
    // The window thread busy for 250 ms: several frames wait in the port.
    line.holdReads(5);
    clock.advance(250);
    const std::size_t shownAfterStall = shown.size();
    clock.advance(1000);

    ASSERT_GT(line.reads().size(), readsBefore);
    const QByteArray& firstAfter = line.reads()[readsBefore];
    ASSERT_GE(firstAfter.count("(01M"), 2) << "two frames came in one read";
    EXPECT_GE(shown.size(), shownAfterStall + 8) << "the meters move on after the stall";
    EXPECT_TRUE(shownInOrderOfSending());
}

TEST_F(Meters, EveryExchangePausesTheStreamAndMeteringResumesAfterIt) {
    startMetering();
    // At every phase of the level stream, so that requests meet frames on the wire.
    const int commands[] = {CmdHello, CmdPnllock, CmdPdatget, CmdDevinfget, CmdCpinf};
    for (int phase = 0; phase < 10; ++phase) {
        const int index = commands[phase % 5];
        SCOPED_TRACE(phase);
        clock.advance(11 * phase);
        engine.setProgramArg(0);
        ASSERT_EQ(engine.IssueCommand(index), 1);
        EXPECT_FALSE(engine.isLevelReading());
        const std::size_t shownAtIssue = shown.size();
        ASSERT_TRUE(waitDone());
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[index].replyLength);
        EXPECT_TRUE(engine.CheckReply(index).isMatch()) << engine.ReplyBuffer().constData();
        EXPECT_FALSE(unit().isMetering());
        EXPECT_EQ(shown.size(), shownAtIssue) << "no meters while the reply was awaited";

        // The controller asks for the stream again and the unit obliges.
        const std::size_t writes = line.written().size();
        clock.advance(1000);
        ASSERT_EQ(line.written().size(), writes + 1);
        EXPECT_EQ(line.written().back(), "(01ME");
        EXPECT_TRUE(unit().isMetering());
        EXPECT_TRUE(engine.isLevelReading());
        EXPECT_GT(shown.size(), shownAtIssue);
    }
    EXPECT_TRUE(shownInOrderOfSending());
}

TEST_F(Meters, EditsRestartTheStreamWithTheirLevonAndTheMetersFollowThem) {
    startMetering();
    const MeterLevels before = shown.back();
    const auto loud = std::find_if(before.outputMeter.begin(), before.outputMeter.end(),
                                   [](std::uint8_t v) { return v > 0; });
    ASSERT_NE(loud, before.outputMeter.end()) << "some output plays";
    const int channel = static_cast<int>(loud - before.outputMeter.begin());

    for (int phase = 0; phase < 5; ++phase) {
        SCOPED_TRACE(phase);
        clock.advance(200 + 17 * phase);
        edit("053" + QByteArray::number(channel), phase % 2 == 0 ? "000" : "001");
        EXPECT_EQ(line.written().back(), "(01$053" + QByteArray::number(channel) +
                                             (phase % 2 == 0 ? "000" : "001") + "(01ME");
        EXPECT_TRUE(engine.isLevelReading());
        const std::size_t shownAtEdit = shown.size();
        clock.advance(600);
        EXPECT_TRUE(unit().isMetering());
        ASSERT_GT(shown.size(), shownAtEdit + 3);
        const std::uint8_t level = shown.back().outputMeter[static_cast<std::size_t>(channel)];
        if (phase % 2 == 0)
            EXPECT_EQ(level, 0) << "a muted output reads silence";
        else
            EXPECT_GT(level, 0);
    }
    EXPECT_TRUE(shownInOrderOfSending());
    const std::size_t levons =
        std::count(line.written().begin(), line.written().end(), QByteArray("(01ME"));
    EXPECT_EQ(levons, 1u) << "only the first levon went alone; edits carry their own";
}

// Level metering between the engine and the paced simulated unit, which only the whole
// chain shows: requests meeting level frames on the wire at every phase of the stream, the
// pause around each exchange and the resumption after it, and meters that only ever show
// what the unit sent, in its order. The rules themselves are the engine's (tests/link).

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

} // namespace

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

// Level metering between the engine and the paced simulated unit, which only the whole
// chain shows: requests meeting level frames on the wire at every phase of the stream, and
// meters that only ever show what the unit sent, in its order. The rules themselves are
// the engine's (tests/link).

#include "simulated_link.h"

#include "link/level_reader.h"

#include <algorithm>

using namespace mqx;

namespace {

struct Meters : test::SimulatedLink {
    // Every value the meters showed is one the unit sent, in the order it sent them: no
    // echo, error reply or torn frame was ever taken for levels.
    ::testing::AssertionResult shownInOrderOfSending() const {
        std::vector<MeterLevels> all;
        for (const QByteArray& frame : sent)
            if (MeterLevels m; frame.size() == kLevelFrameLength && frame[3] == 'M' &&
                               DecodeMeterLevels(QByteArrayView(frame).sliced(4), m))
                all.push_back(m);
        auto from = all.begin();
        for (std::size_t i = 0; i < shown.size(); ++i, ++from)
            if ((from = std::find(from, all.end(), shown[i])) == all.end())
                return ::testing::AssertionFailure()
                       << "meter update " << i << " is no frame sent after the one before it";
        return ::testing::AssertionSuccess();
    }

    std::vector<MeterLevels> shown;
};

} // namespace

TEST_F(Meters, EveryExchangePausesTheStreamAndMeteringResumesAfterIt) {
    engine.setMetersCallback([this](const MeterLevels& m) { shown.push_back(m); });
    engine.setMeteringOn(true);
    ASSERT_TRUE(exchange(CmdLevon));
    clock.advance(500);
    ASSERT_FALSE(shown.empty());
    // At every phase of the level stream, so that requests meet frames on the wire.
    const int commands[] = {CmdHello, CmdPnllock, CmdPdatget, CmdDevinfget, CmdCpinf};
    for (int phase = 0; phase < 10; ++phase) {
        const int index = commands[phase % 5];
        SCOPED_TRACE(phase);
        clock.advance(11 * phase);
        engine.setProgramArg(0);
        ASSERT_EQ(engine.IssueCommand(index), 1);
        const std::size_t shownAtIssue = shown.size();
        ASSERT_TRUE(waitDone());
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[index].replyLength);
        EXPECT_TRUE(engine.CheckReply(index).isMatch()) << engine.ReplyBuffer().constData();
        EXPECT_FALSE(unit().isMetering());
        EXPECT_EQ(shown.size(), shownAtIssue) << "no meters while the reply was awaited";

        // The controller asks for the stream again and the unit obliges.
        const std::size_t heardBefore = heard.size();
        clock.advance(1000);
        EXPECT_EQ(std::vector<QByteArray>(heard.begin() + heardBefore, heard.end()),
                  std::vector<QByteArray>{"(01ME"});
        EXPECT_TRUE(unit().isMetering());
        EXPECT_GT(shown.size(), shownAtIssue);
    }
    EXPECT_TRUE(shownInOrderOfSending());
}

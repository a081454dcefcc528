// Every request the controller builds, as the simulated unit understands it, and the reply
// as the engine gathers and judges it. The unit's refusals are its own tests' (tests/sim).

#include "simulated_link.h"

#include "command_samples.h"
#include "program/record_text.h"

using namespace mqx;

namespace {

// Unit 5, so that the ID is seen to travel as two digits.
struct UnitFive : test::SimulatedLink {
    UnitFive() : SimulatedLink({5}, 5) {}
};

} // namespace

TEST_F(UnitFive, EveryRequestReachesTheUnitAsSentAndItsReplyChecksAsTheEcho) {
    // A stored, unprotected program in slot 7 to work on.
    ProgramRecord& slot = unit(5).slot(7);
    slot = unit(5).currentProgram();
    slot.program_number = 7;
    slot.empty_flag = 0;
    slot.write_enable = 255;
    slot.recall_lock = 0;
    const QByteArray upload = EncodeRecordText(slot, RecordImage::Upload);
    for (const test::CommandSample& sample : test::CommandSamples(upload)) {
        SCOPED_TRACE(sample.frame.left(12).constData());
        engine.arguments() = ArgumentSlots{};
        sample.arguments(engine.arguments());
        const std::size_t heardBefore = heard.size();
        if (sample.index == CmdParedt) {
            // The edit and its levon request reach the unit as two frames.
            ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
            idle(200);
            EXPECT_EQ(std::vector<QByteArray>(heard.begin() + heardBefore, heard.end()),
                      (std::vector<QByteArray>{"(05$0532000", "(05ME"}));
            EXPECT_EQ(unit(5).currentProgram().out[2].on, 0);
            continue;
        }
        ASSERT_TRUE(exchange(sample.index));
        EXPECT_EQ(std::vector<QByteArray>(heard.begin() + heardBefore, heard.end()),
                  std::vector<QByteArray>{sample.frame});
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[sample.index].replyLength)
            << engine.ReplyBuffer().constData();
        EXPECT_TRUE(engine.CheckReply(sample.index).isMatch()) << engine.ReplyBuffer().constData();
    }
    // Named in slot 7, recalled from there, then deleted.
    EXPECT_EQ(QByteArray(unit(5).currentProgram().name.data(), 7), "Evening");
    EXPECT_TRUE(unit(5).slotIsEmpty(7));
    EXPECT_EQ(unit(5).deviceInfo().left(18), "Rack 2, stage left");
}

// Whole exchanges between the link engine and the simulated unit: every request as the
// unit understands it, the replies as the engine gathers and judges them, and program
// transfers both ways. The unit's refusals are its own tests' (tests/sim).

#include "simulated_link.h"

#include "command_samples.h"
#include "program/record_text.h"

using namespace mqx;
using mqx::test::SimulatedLink;

namespace {

// Unit 5, so that the ID is seen to travel as two digits.
class UnitFive : public SimulatedLink {
protected:
    UnitFive() : SimulatedLink({5}, 5) {}
};

class OneUnit : public SimulatedLink {};

// A stored, unprotected program in slot 7 to work on.
void fillSlotSeven(sim::SimulatedUnit& unit) {
    ProgramRecord& slot = unit.slot(7);
    slot = unit.currentProgram();
    slot.program_number = 7;
    slot.empty_flag = 0;
    slot.write_enable = 255;
    slot.recall_lock = 0;
}

} // namespace

TEST_F(UnitFive, EveryRequestReachesTheUnitAsSentAndItsReplyChecksAsTheEcho) {
    fillSlotSeven(unit(5));
    const QByteArray upload = EncodeRecordText(mqx::test::UploadSample(), RecordImage::Upload);
    for (const mqx::test::CommandSample& sample : mqx::test::CommandSamples(upload)) {
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
            EXPECT_TRUE(unit(5).isMetering());
            continue;
        }
        ASSERT_TRUE(exchange(sample.index));
        ASSERT_EQ(heard.size(), heardBefore + 1);
        EXPECT_EQ(heard.back(), sample.frame) << "the unit heard something else";
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

TEST_F(OneUnit, DownloadsDecodeIntoTheUnitsProgramsAndUploadsComeBackUnchanged) {
    const std::optional<ProgramRecord> current = download(0);
    ASSERT_TRUE(current);
    EXPECT_EQ(EncodeRecordText(*current), EncodeRecordText(unit().currentProgram()));

    const std::optional<ProgramRecord> stored = download(2);
    ASSERT_TRUE(stored);
    EXPECT_EQ(EncodeRecordText(*stored), EncodeRecordText(unit().slot(2)));
    EXPECT_NE(EncodeRecordText(*stored), EncodeRecordText(*current));

    // Number and empty flag are the unit's own; everything else an upload carries.
    const ProgramRecord sample = mqx::test::UploadSample();
    ASSERT_TRUE(upload(0, sample));
    const std::optional<ProgramRecord> back = download(0);
    ASSERT_TRUE(back);
    EXPECT_EQ(EncodeRecordText(*back, RecordImage::Upload),
              EncodeRecordText(sample, RecordImage::Upload));
    EXPECT_EQ(back->program_number, current->program_number);

    fillSlotSeven(unit());
    ASSERT_TRUE(upload(7, sample));
    const std::optional<ProgramRecord> slotBack = download(7);
    ASSERT_TRUE(slotBack);
    EXPECT_EQ(EncodeRecordText(*slotBack, RecordImage::Upload),
              EncodeRecordText(sample, RecordImage::Upload));
    EXPECT_EQ(slotBack->program_number, 7);
}

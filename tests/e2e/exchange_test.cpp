// Whole exchanges between the link engine and the simulated unit: every request as it
// goes on the line and as the unit understands it, the replies as the engine gathers
// and judges them, program transfers both ways, edits, and the unit's refusals.

#include "simulated_link.h"

#include "app/main_editor.h"
#include "link/engine_edit_sink.h"
#include "link/error_text.h"
#include "program/record_text.h"

#include <functional>

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

TEST_F(UnitFive, EveryRequestGoesOutByteExactAndItsReplyChecksAsTheEcho) {
    fillSlotSeven(unit(5));
    const QByteArray upload = EncodeRecordText(mqx::test::UploadSample(), RecordImage::Upload);
    struct Row {
        int index;
        std::function<void(ArgumentSlots&)> arguments;
        QByteArray frame;
    };
    auto program = [](int n) { return [n](ArgumentSlots& a) { a.setProgram(n); }; };
    auto code = [](QByteArray c) { return [c](ArgumentSlots& a) { a.ArgCode = c; }; };
    auto none = [](ArgumentSlots&) {};
    const std::vector<Row> rows = {
        {CmdHello, none, "(05hello"},
        {CmdVer, none, "(05A"},
        {CmdCpinf, none, "(05N"},
        {CmdPnllock, none, "(05K"},
        {CmdPlock, none, "(05CD"},
        {CmdAplock, none, "(05CE"},
        {CmdPargiv,
         [](ArgumentSlots& a) {
             a.ArgCode = "036";
             a.ArgExtra1 = "1";
             a.ArgExtra2 = "";
         },
         "(05%0361"},
        {CmdPdatget, program(0), "(05Q000"},
        {CmdPdatset,
         [&](ArgumentSlots& a) {
             a.setProgram(0);
             a.ArgData = upload;
         },
         "(05P000" + upload},
        {CmdPinfget, program(7), "(05I007"},
        {CmdPinfset,
         [](ArgumentSlots& a) {
             a.setProgram(7);
             a.ArgCode = "2";
             a.ArgText = "Evening";
         },
         "(05J0072Evening"},
        {CmdRecall, program(7), "(05R007"},
        {CmdStore, program(7), "(05S007"},
        {CmdRcallrDisable, code("007"), "(05L007D"},
        {CmdRcallrEnable, code("007"), "(05L007E"},
        {CmdPprtDisable, code("007"), "(05W007D"},
        {CmdPprtEnable, code("007"), "(05W007E"},
        {CmdPgdell, program(7), "(05G007"},
        {CmdDevinfget, none, "(05X"},
        {CmdDevinfset, [](ArgumentSlots& a) { a.ArgText = "Rack 2, stage left"; },
         "(05YRack 2, stage left"},
        {CmdLevon, none, "(05ME"},
        {CmdLevoff, none, "(05MD"},
        {CmdBye, none, "(05bye"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.frame.left(12).constData());
        engine.arguments() = ArgumentSlots{};
        row.arguments(engine.arguments());
        const std::size_t heardBefore = heard.size();
        ASSERT_TRUE(exchange(row.index));
        EXPECT_EQ(line.written().back(), row.frame);
        ASSERT_EQ(heard.size(), heardBefore + 1);
        EXPECT_EQ(heard.back(), row.frame) << "the unit heard something else";
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, engine.commandTable()[row.index].replyLength)
            << engine.ReplyBuffer().constData();
        EXPECT_TRUE(engine.CheckReply(row.index).isMatch()) << engine.ReplyBuffer().constData();
    }
    // Named in slot 7, recalled from there, then deleted.
    EXPECT_EQ(QByteArray(unit(5).currentProgram().name.data(), 7), "Evening");
    EXPECT_TRUE(unit(5).slotIsEmpty(7));
    EXPECT_EQ(unit(5).deviceInfo().left(18), "Rack 2, stage left");

    // An edit waits for no reply; its frame carries the unit's levon request, and the unit
    // hears both.
    edit("0532", "000");
    idle(200);
    EXPECT_EQ(line.written().back(), "(05$0532000(05ME");
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[heard.size() - 2], "(05$0532000");
    EXPECT_EQ(heard.back(), "(05ME");
    EXPECT_EQ(unit(5).currentProgram().out[2].on, 0);
    EXPECT_TRUE(unit(5).isMetering());
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

TEST_F(OneUnit, EditsOfTheControllersRecordLeaveTheUnitWithTheSameProgram) {
    // Connected with metering on, as the controller runs after a download.
    std::optional<ProgramRecord> start = download(0);
    ASSERT_TRUE(start);
    session.CurrentRecord() = *start;
    engine.setMeteringOn(true);
    ASSERT_TRUE(exchange(CmdLevon));

    EngineEditSink sink(engine);
    MainEditor editor(session, sink);
    const int eqMode = session.CurrentRecord().eq_mode;
    ASSERT_TRUE(editor.selectEqMode(1 - eqMode));
    idle(120);
    editor.setMute(1, true);
    idle(70);
    editor.setMute(4, true);
    editor.setMute(1, false); // in the same moment: frames back to back on the line
    idle(300);
    // A GEQ fader of both linked channels and an output delay, as their pages send them.
    sink.sendEdit("012005", "030");
    session.CurrentRecord().geq_level[5] = {30, 30};
    idle(90);
    EXPECT_NE(EncodeRecordText(session.CurrentRecord()), EncodeRecordText(*start));
    EXPECT_EQ(line.written().size(), 2u + 5u) << "edits go out at once, waiting for nothing";

    idle(500);
    const std::optional<ProgramRecord> after = download(0);
    ASSERT_TRUE(after);
    EXPECT_EQ(EncodeRecordText(*after), EncodeRecordText(session.CurrentRecord()));
    EXPECT_EQ(EncodeRecordText(*after), EncodeRecordText(unit().currentProgram()));
    EXPECT_EQ(after->out[4].on, 0);
    EXPECT_EQ(after->out[1].on, 1);

    editor.allMuting();
    idle(500);
    const std::optional<ProgramRecord> muted = download(0);
    ASSERT_TRUE(muted);
    EXPECT_EQ(EncodeRecordText(*muted), EncodeRecordText(session.CurrentRecord()));
    for (const OutputChannel& out : muted->out)
        EXPECT_EQ(out.on, 0);
}

TEST_F(OneUnit, RefusalsOfEmptyAndProtectedSlotsArriveAsTheirErrorTexts) {
    fillSlotSeven(unit());
    auto slotCommand = [&](int index, int slot) {
        engine.setProgramArg(slot);
        engine.arguments().ArgCode = QByteArray::number(slot).rightJustified(3, '0');
        const qint64 issued = clock.nowMs();
        EXPECT_TRUE(exchange(index));
        EXPECT_TRUE(engine.succeeded());
        // A six-character error reply ends even the longest wait on the first poll after it.
        EXPECT_LE(clock.nowMs() - issued, 100);
        return engine.CheckReply(index);
    };
    const QString isProtected = QStringLiteral("The program is protected.");
    const QString notThere = QStringLiteral("The program of the number is not effective.");

    ASSERT_TRUE(slotCommand(CmdPprtDisable, 7).isMatch());
    ReplyCheck check = slotCommand(CmdStore, 7);
    EXPECT_EQ(check.kind(), ReplyCheck::Kind::UnitError);
    EXPECT_EQ(ErrorText(check.code()), isProtected);
    check = slotCommand(CmdPgdell, 7);
    EXPECT_EQ(ErrorText(check.code()), isProtected);
    EXPECT_FALSE(unit().slotIsEmpty(7));
    EXPECT_TRUE(slotCommand(CmdRecall, 7).isMatch()) << "protection does not keep a recall away";

    ASSERT_TRUE(slotCommand(CmdPprtEnable, 7).isMatch());
    ASSERT_TRUE(slotCommand(CmdPgdell, 7).isMatch());
    for (int index : {CmdRecall, CmdPgdell, CmdPdatget, CmdPinfget}) {
        SCOPED_TRACE(index);
        check = slotCommand(index, 7);
        EXPECT_EQ(check.kind(), ReplyCheck::Kind::UnitError);
        EXPECT_EQ(ErrorText(check.code()), notThere);
    }
    check = slotCommand(CmdRecall, 51);
    EXPECT_EQ(ErrorText(check.code()),
              QStringLiteral("The program number that I sent is wrong.  "));

    // The unit refuses an edit it cannot carry out; the engine waits for no reply, so
    // nothing but the unit's program tells.
    const ProgramRecord before = unit().currentProgram();
    edit("0539", "000");
    idle(100);
    EXPECT_EQ(unit().currentProgram(), before);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[sent.size() - 2], "(01e20") << "the refusal goes to the level reader";
}

// The pages' editors driving a simulated unit through the real link engine on virtual
// time: after any run of edits, the program downloaded from the unit must be the
// controller's own record, field by field.

#include "core/session.h"
#include "link/engine_edit_sink.h"
#include "link/link_engine.h"
#include "pages/delay_editor.h"
#include "pages/input_editor.h"
#include "program/record_text.h"
#include "scripted_prompts.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

using namespace mqx;
using Box = InputEditor::Box;

namespace {

constexpr DelayTarget kIn1{DelayGroup::Master, 0};
constexpr DelayTarget kIn2{DelayGroup::Master, 1};
DelayTarget channel(int c) {
    return {DelayGroup::Channel, c};
}

class PagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyDefaults(session);
        // Outputs B, C and E form one link group, as the CH Link dialog would leave them.
        const auto group = static_cast<std::uint8_t>(OutputBit(1) | OutputBit(2) | OutputBit(4));
        for (int c : {1, 2, 4})
            record().out[static_cast<std::size_t>(c)].link_mask = group;
        sim.unit(1)->currentProgram() = record();
        sim.setFrameObserver([this](sim::UnitSimulator::Direction d, QByteArrayView frame, qint64) {
            if (d == sim::UnitSimulator::Direction::Received && frame.size() > 4 && frame[3] == '$')
                ++editsReceived;
        });
        // Connected the way the connection leaves the link: metering on, so the level
        // reader takes the unit's level frames and the echoes of the edits off the line.
        session.ConnectedUnitId = 1;
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        engine.setMeteringOn(true);
        ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
        ASSERT_TRUE(clock.runUntil([this] { return engine.done(); }, 2000));
    }
    ProgramRecord& record() { return session.CurrentRecord(); }
    // The operator's pace: a moment between one action and the next.
    void pause() { clock.advance(250); }

    // Metering stops first, as for every program transfer, then the current program comes
    // back with "pdatget" for program 0.
    ProgramRecord download() {
        clock.advance(500);
        engine.setMeteringOn(false);
        engine.StopLevelReading();
        line.PurgeInput();
        EXPECT_EQ(engine.IssueCommand(CmdLevoff), 1);
        EXPECT_TRUE(clock.runUntil([this] { return engine.done(); }, 2000));
        clock.advance(200);
        line.PurgeInput();
        engine.setProgramArg(0);
        EXPECT_EQ(engine.IssueCommand(CmdPdatget), 1);
        EXPECT_TRUE(clock.runUntil([this] { return engine.done(); }, 20000));
        EXPECT_TRUE(engine.CheckReply(CmdPdatget).isMatch());
        ProgramRecord downloaded;
        EXPECT_TRUE(DecodeRecordText(QByteArrayView(engine.ReplyBuffer()).sliced(11), downloaded));
        return downloaded;
    }
    void expectUnitHoldsTheRecord() {
        const ProgramRecord unit = download();
        for (const RecordField& f : RecordFields()) {
            if (!f.carried)
                continue;
            if (f.kind == FieldKind::Text)
                EXPECT_EQ(FieldText(unit, f), FieldText(record(), f)) << f.name.toStdString();
            else
                EXPECT_EQ(FieldValue(unit, f), FieldValue(record(), f)) << f.name.toStdString();
        }
    }

    test::VirtualClock clock;
    sim::UnitSimulator sim{{1}};
    sim::SimulatedLine line{sim, clock, &clock};
    Session session;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    test::ScriptedPrompts prompts;
    InputEditor input{session, sink, prompts};
    DelayEditor delay{session, sink, prompts, clock};
    int editsReceived = 0;
};

} // namespace

TEST_F(PagesEndToEnd, InputPageEditsLeaveTheUnitWithTheControllersProgram) {
    input.selectInputMode(1);
    pause();
    input.selectWave(false);
    pause();
    for (int i = 0; i < 3; ++i) {
        input.stepSpin(Box::PinkLevel, false);
        clock.advance(60);
    }
    input.setMuting(false);
    pause();
    input.commitText(Box::SineFreq, u"440 Hz");
    pause();
    input.commitText(Box::SineLevel, u"-30");
    pause();
    input.stepSpin(Box::SineLevel, true);
    pause();
    input.selectInput(2);
    pause();
    input.commitText(Box::PinkLevel, u"loud"); // refused: nothing sent
    pause();

    EXPECT_EQ(editsReceived, 12);
    EXPECT_EQ(record().input_mode, 1);
    EXPECT_EQ(record().sg_mute, 1);
    expectUnitHoldsTheRecord();
}

TEST_F(PagesEndToEnd, DelayPageEditsAndHeldArrowsLeaveTheUnitWithTheControllersProgram) {
    delay.commitEntry(kIn1, DelayBox::Ms, u"12.5");
    pause();
    delay.commitEntry(kIn2, DelayBox::Metres, u"10");
    pause();
    delay.commitEntry(channel(1), DelayBox::Feet, u"3'");
    pause();
    delay.commitEntry(channel(4), DelayBox::Inches, u"6.5\"");
    pause();
    delay.commitEntry(channel(0), DelayBox::Ms, u"1365.33"); // refused
    pause();

    // Held for 7.5 s: the steps of 10 and 100 go out as one edit on release.
    delay.pressArrow(channel(2), true);
    clock.advance(7500);
    delay.releaseArrow();
    pause();
    delay.pressArrow(kIn2, false);
    clock.advance(3000);
    delay.releaseArrow();
    pause();
    delay.pressArrow(channel(5), true);
    delay.releaseArrow();
    pause();

    EXPECT_EQ(editsReceived, 7);
    EXPECT_EQ(record().out[1].delay, record().out[4].delay);
    EXPECT_GT(record().out[2].delay, 1000u);
    expectUnitHoldsTheRecord();
}

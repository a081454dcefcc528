// The engine's time limits, queue slot and reply gathering against a unit whose line
// misbehaves in the ways the simulator can inject, and two units sharing one line.

#include "simulated_link.h"

#include "program/record_text.h"

using namespace mqx;
using mqx::sim::LineFault;
using mqx::sim::UnitCommand;
using mqx::test::SimulatedLink;

namespace {

class Faults : public SimulatedLink {
protected:
    // The unit's name of the command at `index`, found from the engine's own table.
    UnitCommand unitCommand(int index) {
        const QByteArray name = engine.commandTable()[index].fileName.chopped(4);
        const std::optional<UnitCommand> command = sim::CommandFromName(QString::fromLatin1(name));
        EXPECT_TRUE(command) << name.constData();
        return command.value_or(UnitCommand::Hello);
    }
    void inject(int index, LineFault fault) { simulator.setFault(unitCommand(index), fault); }
    static LineFault bursts(int count, int gapMs) {
        LineFault f;
        f.kind = LineFault::Kind::Bursts;
        f.burstCount = count;
        f.gapMs = gapMs;
        return f;
    }
    static LineFault ofKind(LineFault::Kind kind) {
        LineFault f;
        f.kind = kind;
        return f;
    }
};

class TwoUnits : public SimulatedLink {
protected:
    TwoUnits() : SimulatedLink({1, 2}, 2) {}
};

} // namespace

TEST_F(Faults, ASilentUnitIsWaitedForExactlyTheTimeLimitOfEachCommand) {
    engine.setProgramArg(1);
    engine.arguments().ArgCode = "001";
    for (int index = 0; index < kCommandCount; ++index) {
        if (index == CmdParedt)
            continue; // waits for nothing
        SCOPED_TRACE(engine.commandTable()[index].fileName.constData());
        inject(index, ofKind(LineFault::Kind::Silent));
        const qint64 issued = clock.nowMs();
        ASSERT_TRUE(exchange(index));
        EXPECT_FALSE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, 0);
        // One 50 ms poll per tick of the limit, and the poll that finds it run out.
        const qint64 limitMs = engine.commandTable()[index].timeLimit * 50;
        EXPECT_GT(clock.nowMs() - issued, limitMs);
        EXPECT_LE(clock.nowMs() - issued, limitMs + 50);
        simulator.clearFaults();
    }
}

TEST_F(Faults, GarbledAndWrongIdRepliesAreGatheredWholeAndJudgedGarbled) {
    for (const LineFault::Kind kind : {LineFault::Kind::Garbled, LineFault::Kind::WrongId}) {
        SCOPED_TRACE(static_cast<int>(kind));
        inject(CmdHello, ofKind(kind));
        inject(CmdPdatget, ofKind(kind));
        ASSERT_TRUE(exchange(CmdHello));
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, 8);
        EXPECT_EQ(engine.CheckReply(CmdHello), ReplyCheck::garbled());

        engine.setProgramArg(0);
        ASSERT_TRUE(exchange(CmdPdatget));
        EXPECT_TRUE(engine.succeeded());
        EXPECT_EQ(engine.exchange().received, 1030);
        EXPECT_EQ(engine.CheckReply(CmdPdatget), ReplyCheck::garbled());
        simulator.clearFaults();
    }
    // The line is clean again afterwards.
    ASSERT_TRUE(exchange(CmdHello));
    EXPECT_TRUE(engine.CheckReply(CmdHello).isMatch());
}

TEST_F(Faults, ADownloadInBurstsSucceedsWithGapsUnderASecondAndFailsOnLongerOnes) {
    const QByteArray whole = "(01Q0001019" + EncodeRecordText(unit().currentProgram());
    inject(CmdPdatget, bursts(6, 900));
    engine.setProgramArg(0);
    const qint64 issued = clock.nowMs();
    ASSERT_TRUE(exchange(CmdPdatget));
    EXPECT_TRUE(engine.succeeded());
    EXPECT_EQ(engine.ReplyBuffer(), whole);
    EXPECT_TRUE(engine.CheckReply(CmdPdatget).isMatch());
    EXPECT_GT(clock.nowMs() - issued, 5 * 900) << "all five gaps were waited through";

    // Metering on, so that the exchange after the failed one starts from a purged line.
    engine.setMeteringOn(true);
    inject(CmdPdatget, bursts(4, 1200));
    ASSERT_TRUE(exchange(CmdPdatget));
    EXPECT_FALSE(engine.succeeded());
    EXPECT_EQ(engine.ReplyBuffer(), whole.left(whole.size() / 4));

    // The rest of that answer still comes; once the line is quiet the unit is reached again.
    simulator.clearFaults();
    clock.advance(6000);
    ASSERT_TRUE(exchange(CmdHello));
    EXPECT_TRUE(engine.succeeded());
    EXPECT_TRUE(engine.CheckReply(CmdHello).isMatch()) << engine.ReplyBuffer().constData();
}

TEST_F(Faults, AnErrorFaultEndsAnyWaitAtOnceWithTheUnitsCode) {
    LineFault error = ofKind(LineFault::Kind::Error);
    error.errorCode = 30;
    inject(CmdPdatget, error);
    engine.setProgramArg(0);
    const qint64 issued = clock.nowMs();
    ASSERT_TRUE(exchange(CmdPdatget));
    EXPECT_LE(clock.nowMs() - issued, 100);
    EXPECT_TRUE(engine.succeeded());
    EXPECT_EQ(engine.CheckReply(CmdPdatget), ReplyCheck::unitError(30));
}

TEST_F(Faults, AFaderDraggedThroughADownloadLeavesItIntactAndTheUnitAtTheLastStep) {
    engine.setMeteringOn(true);
    const ProgramRecord before = unit().currentProgram();
    // A unit slow to answer, so that the whole drag falls within the download.
    inject(CmdPdatget, bursts(4, 300));
    engine.setProgramArg(0);
    ASSERT_EQ(engine.IssueCommand(CmdPdatget), 1);
    // The level of output C, 200 steps 5 ms apart, while the program comes in.
    for (int step = 0; step < 200; ++step) {
        clock.advance(5);
        edit("0492", QByteArray::number(step).rightJustified(3, '0'));
    }
    EXPECT_EQ(engine.PendingCommand(), CmdParedt);
    ASSERT_TRUE(waitDone(3000));
    EXPECT_TRUE(engine.succeeded());
    EXPECT_EQ(engine.payload().mid(7), EncodeRecordText(before)) << "no edit ran into the reply";
    idle(1000);

    EXPECT_EQ(unit().currentProgram().out[2].level, 199);
    EXPECT_EQ(line.written().back(), "(01$0492199(01ME");
    EXPECT_EQ(line.written().size(), 2u) << "the steps that waited were replaced";
    EXPECT_TRUE(unit().isMetering()) << "the edit's levon restarted the stream";
}

TEST_F(Faults, AfterTenSecondsOfABusyLineTheWaitingCommandGoesAnyway) {
    // Twenty pieces 900 ms apart keep the answer coming, and the line busy, for 17 s.
    inject(CmdPdatget, bursts(20, 900));
    engine.setProgramArg(0);
    ASSERT_EQ(engine.IssueCommand(CmdPdatget), 1);
    clock.advance(1000);
    ASSERT_EQ(unit().currentProgram().out[3].on, 1);
    edit("0533", "000");
    const qint64 queued = clock.nowMs();

    clock.advanceTo(queued + 10000);
    EXPECT_EQ(line.written().size(), 1u);
    EXPECT_FALSE(engine.done());
    clock.advanceTo(queued + 10000 + 200);
    ASSERT_EQ(line.written().size(), 2u);
    EXPECT_EQ(line.written()[1], "(01$0533000(01ME");
    EXPECT_FALSE(engine.succeeded()) << "the download was given up";
    idle(100);
    EXPECT_EQ(unit().currentProgram().out[3].on, 0) << "the unit carried the edit out";
}

TEST_F(TwoUnits, EachUnitAnswersOnlyToItsOwnId) {
    ASSERT_TRUE(exchange(CmdHello));
    EXPECT_TRUE(engine.CheckReply(CmdHello).isMatch());
    EXPECT_EQ(sent, std::vector<QByteArray>{"(02hello"}) << "unit 1 kept quiet";

    // Connected to unit 2 with the meters on; the edit's levon restarts unit 2 alone.
    engine.setMeteringOn(true);

    ASSERT_EQ(unit(2).currentProgram().out[0].on, 1);
    const ProgramRecord oneBefore = unit(1).currentProgram();
    edit("0530", "000");
    idle(200);
    EXPECT_EQ(unit(2).currentProgram().out[0].on, 0);
    EXPECT_EQ(unit(1).currentProgram(), oneBefore);
    EXPECT_TRUE(unit(2).isMetering());
    EXPECT_FALSE(unit(1).isMetering());

    // Disconnected as the controller does it, then connected to unit 1.
    engine.setMeteringOn(false);
    engine.StopLevelReading();
    ASSERT_TRUE(exchange(CmdLevoff));
    EXPECT_TRUE(engine.CheckReply(CmdLevoff).isMatch());
    EXPECT_FALSE(unit(2).isMetering());
    session.ConnectedUnitId = 1;
    const std::optional<ProgramRecord> one = download(0);
    ASSERT_TRUE(one);
    EXPECT_EQ(EncodeRecordText(*one), EncodeRecordText(unit(1).currentProgram()));

    session.ConnectedUnitId = 3; // nobody on the line answers to 3
    const qint64 issued = clock.nowMs();
    ASSERT_TRUE(exchange(CmdHello));
    EXPECT_FALSE(engine.succeeded());
    EXPECT_GT(clock.nowMs() - issued, 5000);
}

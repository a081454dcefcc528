#include "program/program_list_procedure.h"
#include "program/program_list_text.h"
#include "program/program_store_procedure.h"
#include "program/program_text_procedure.h"
#include "program/record_text.h"
#include "unit_bench.h"

#include <cstring>

namespace mqx::test {
namespace {

using sim::UnitCommand;
using Kind = sim::LineFault::Kind;

class ProgramManagementTest : public UnitBench {
protected:
    ProgramManagementTest() : UnitBench({1}) {}
    void SetUp() override {
        UnitBench::SetUp();
        openLine(1);
        engine.setMeteringOn(true);
        engine.IssueCommand(CmdLevon);
        clock.advance(500);
        received.clear();
        // As the connection flow does: a lost line ends the dialog that holds it.
        engine.watchUnit(true);
        engine.setLineLostCallback([this](LineLoss) {
            session.ConnectedUnitId = 0;
            list.lineLost();
        });
    }
    sim::SimulatedUnit& unit() { return *sim.unit(1); }
    void openList() {
        ASSERT_TRUE(list.start());
        clock.runUntil([this] { return list.phase() != ProgramListProcedure::Phase::Reading; },
                       60000);
    }
    template <class Procedure>
    void settle(const Procedure& p) {
        clock.runUntil([&p] { return !p.isBusy(); }, 60000);
    }
    QString listLine(int n) const { return ProgramListLine(session.programs.Record(n), n); }

    ProgramListProcedure list{session, engine, prompts, clock};
    ProgramStoreProcedure store{session, engine, prompts, clock};
};

TEST_F(ProgramManagementTest, ListReadsEverySlotWithMeteringStoppedAndResumesItOnExit) {
    unit().slot(2).recall_lock = 255;
    openList();
    EXPECT_EQ(std::pair(list.phase(), list.slotsRead()),
              std::pair(ProgramListProcedure::Phase::Ready, 50));
    QStringList expected{QStringLiteral("(01MD")};
    for (int n = 1; n <= 50; ++n)
        expected << QStringLiteral("(01I%1").arg(n, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(std::pair(requests(7), engine.MeteringOn()), std::pair(expected, false));
    EXPECT_EQ((QStringList{listLine(2), listLine(7)}),
              (QStringList{QStringLiteral(" 02 : L :   :Live Band............"),
                           QStringLiteral(" 07 : ( not used )")}));
    received.clear();
    ASSERT_TRUE(list.exit() && runToEnd(list));
    EXPECT_EQ(std::tuple(list.outcome(), requests(), engine.MeteringOn()),
              std::tuple(ProcedureOutcome::Ok, QStringList{QStringLiteral("(01ME")}, true));
}

TEST_F(ProgramManagementTest, ReadingStopsAtAFailedSlotAndAnEmptySlotIsNotUsed) {
    sim.setFault(UnitCommand::InfoGet, {.kind = Kind::Garbled, .slot = 9});
    sim.setFault(UnitCommand::InfoGet, {.kind = Kind::Error, .errorCode = 11, .slot = 4});
    // What an earlier unit held in slot 9 must not be shown as this unit's.
    session.programs.Record(9).empty_flag = 0;
    std::memcpy(session.programs.Record(9).name.data(), "OLD UNIT", 8);
    openList();
    EXPECT_EQ(std::tuple(list.phase(), list.slotsRead(), count("(01I010")),
              std::tuple(ProgramListProcedure::Phase::Stopped, 8, 0)); // none after the failed slot
    EXPECT_EQ(listLine(4), QStringLiteral(" 04 : ( not used )"));
    EXPECT_FALSE(list.protect(1, 0) || list.recall(1)) << "only Exit remains";
    EXPECT_TRUE(list.exit() && runToEnd(list) && engine.MeteringOn());
}

TEST_F(ProgramManagementTest, ExitWhileReadingLetsTheReadUnderWayEndThenLeaves) {
    ASSERT_TRUE(list.start());
    clock.runUntil([this] { return list.slotsRead() == 3; }, 60000);
    EXPECT_TRUE(list.exit() && runToEnd(list) && list.slotsRead() <= 4);
    EXPECT_EQ(std::tuple(list.outcome(), count("(01I005"), requests().back(), engine.MeteringOn()),
              std::tuple(ProcedureOutcome::Ok, 0, QStringLiteral("(01ME"), true));
}

TEST_F(ProgramManagementTest, ActionsChangeTheUnitAndTheListLineOrNothing) {
    openList();
    const auto act = [this](bool started, int slot) {
        EXPECT_TRUE(started && list.isBusy());
        settle(list);
        return listLine(slot);
    };
    ASSERT_TRUE(list.protect(1, 0));
    EXPECT_FALSE(list.lock(1, 255)) << "busy: a second action does nothing";
    EXPECT_EQ(act(true, 1), QStringLiteral(" 01 :   : P :Speech..............."));
    EXPECT_EQ(act(list.lock(1, 255), 1), QStringLiteral(" 01 : L : P :Speech..............."));
    EXPECT_EQ(act(list.lock(1, 0), 1), QStringLiteral(" 01 :   : P :Speech..............."));
    EXPECT_EQ(act(list.protect(1, 255), 1), QStringLiteral(" 01 :   :   :Speech..............."));
    prompts.answerNext(true);
    EXPECT_EQ(act(list.remove(4), 4), QStringLiteral(" 04 : ( not used )"));
    EXPECT_TRUE(unit().slotIsEmpty(4));
    received.clear();
    prompts.answerNext(false);
    EXPECT_FALSE(list.remove(1) || !received.empty()) << "the operator said no";
    prompts.answerNext(true);
    EXPECT_EQ(act(list.remove(3), 3), QStringLiteral(" 03 :   : P :Theatre.............."));
    EXPECT_FALSE(unit().slotIsEmpty(3)) << "protected";
    sim.setFault(UnitCommand::Protect, {Kind::Garbled});
    EXPECT_EQ(act(list.protect(2, 0), 2), QStringLiteral(" 02 :   :   :Live Band............"));
    EXPECT_EQ(lastShown().text, QStringLiteral("Non Err Code.\nProgramNo = 02"));
}

// A recall asks Caution first while bands are remembered; a failed download keeps the old.
TEST_F(ProgramManagementTest, RecallDownloadsTheProgramAndAFailedDownloadKeepsTheOld) {
    openList();
    session.savedBandSettings.channel[3].lpf_freq = 90;
    int replaced = 0, asked = 0;
    bool answer = false;
    list.setProgramReplacedCallback([&replaced] { ++replaced; });
    list.setCaution([&] { return ++asked, answer; });
    const auto recall = [this](int slot) {
        prompts.answerNext(true);
        EXPECT_TRUE(list.recall(slot));
        settle(list);
        return std::pair(lastShown().title, lastShown().text);
    };
    received.clear();
    EXPECT_TRUE(!list.recall(2) && prompts.shown().empty() && received.empty()) << "Caution";
    answer = true;
    EXPECT_EQ(recall(2).second, QStringLiteral("The program was recalled.\nProgramNo = 02"));
    EXPECT_EQ(prompts.shown().front().text,
              QStringLiteral("Are you sure you want to recall program 02 ?"));
    EXPECT_FALSE(session.savedBandSettings.holdsAnything()) << "the new program empties them";
    EXPECT_EQ(requests(7), (QStringList{QStringLiteral("(01R002"), QStringLiteral("(01Q000")}));
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()), EncodeRecordText(unit().currentProgram()));
    EXPECT_EQ(std::pair(int(session.CurrentRecord().program_number), replaced), std::pair(2, 1));

    const QByteArray before = EncodeRecordText(session.CurrentRecord());
    sim.setFault(UnitCommand::DataGet, {Kind::Garbled});
    EXPECT_EQ(recall(1), std::pair(QStringLiteral("ProgramDownLoad"),
                                   QStringLiteral("Non Err Code.\nProgramNo = 01")));
    EXPECT_EQ(unit().currentProgram().program_number, 1) << "the unit did recall";
    EXPECT_EQ(std::pair(EncodeRecordText(session.CurrentRecord()), replaced), std::pair(before, 1));
    sim.clearFaults();
    EXPECT_EQ(recall(9).second, // empty
              QStringLiteral("The program of the number is not effective.\nProgramNo = 09"));
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()), before);
    EXPECT_EQ(asked, 2) << "only while bands are remembered";
}

TEST_F(ProgramManagementTest, ALostLineEndsTheListAtOnce) {
    sim.setFault(UnitCommand::InfoGet, {Kind::Silent});
    ASSERT_TRUE(list.start() && runToEnd(list));
    EXPECT_EQ(std::tuple(list.outcome(), list.slotsRead(), session.ConnectedUnitId, line.isOpen(),
                         count("(01ME")),
              std::tuple(ProcedureOutcome::Cancel, 0, 0, false, 0));
}

TEST_F(ProgramManagementTest, StoreNewAsksNothingAndTakesTheLowestFreeSlot) {
    session.CurrentRecord().program_number = 2;
    std::memcpy(unit().currentProgram().name.data(), "STORED NOW", 10);
    ASSERT_TRUE(store.start());
    // The program's own slot is being read, not taken as a new one.
    EXPECT_EQ(store.slotState(), ProgramStoreProcedure::SlotState::Reading);
    settle(store);
    EXPECT_EQ(std::tuple(engine.MeteringOn(), store.chosen(), store.slotState()),
              std::tuple(false, 2, ProgramStoreProcedure::SlotState::Used)); // where it came from
    EXPECT_TRUE(store.selectedName().startsWith(QStringLiteral("Live Band")));
    store.choose(0);
    EXPECT_EQ(store.selectedName() + store.selectedInformation(), QString(30, u'.'));
    received.clear();
    EXPECT_TRUE(store.storeExec());
    clock.runUntil([this] { return !prompts.shown().empty(); }, 60000);
    EXPECT_FALSE(store.exit()) << "Exit pressed while the meters are being restarted";
    store.choose(1);
    ASSERT_TRUE(runToEnd(store));
    EXPECT_EQ(std::pair(store.outcome(), prompts.unscriptedQuestions()),
              std::pair(ProcedureOutcome::Ok, 0));
    EXPECT_EQ(std::pair(requests(7), QByteArray(unit().slot(7).name.data(), 10)),
              std::pair(QStringList{"(01S000", "(01ME"}, QByteArray("STORED NOW")));
    const ProgramRecord& r = session.CurrentRecord();
    EXPECT_EQ(std::tuple(int(r.program_number), int(r.recall_lock), int(r.write_enable),
                         engine.MeteringOn()),
              std::tuple(7, 0, 255, true));
}

// Slot 6 cannot be read, 3 is protected; no other slot can be chosen meanwhile.
TEST_F(ProgramManagementTest, StoreOnAUsedSlotAsksAndNoKeepsIt) {
    sim.setFault(UnitCommand::InfoGet, {.kind = Kind::Garbled, .slot = 6});
    ASSERT_TRUE(store.start());
    settle(store);
    int chosenAtQuestion = -1;
    prompts.setOnShow([&](const ScriptedPrompts::Shown& shown) {
        if (!shown.question)
            return;
        store.choose(5);
        chosenAtQuestion = store.isBusy() ? store.chosen() : -1;
    });
    for (const int slot : {1, 6, 3}) {
        store.choose(slot);
        settle(store);
        EXPECT_EQ(store.slotState() == ProgramStoreProcedure::SlotState::Unknown, slot == 6);
        const QByteArray before = EncodeRecordText(unit().slot(slot));
        const bool replace = slot == 3;
        prompts.answerNext(replace);
        received.clear();
        EXPECT_EQ(store.storeExec(), replace);
        EXPECT_EQ(chosenAtQuestion, slot);
        EXPECT_EQ(std::pair(lastShown().title, lastShown().text),
                  std::pair(QStringLiteral("ProgramStore Message"),
                            QStringLiteral("Replace existing MQX-T410 ProgramData ?")));
        EXPECT_TRUE(replace || received.empty());
        EXPECT_EQ(EncodeRecordText(unit().slot(slot)), before);
    }
    store.choose(5);
    EXPECT_EQ(store.chosen(), 3) << "the store is under way";
    ASSERT_TRUE(runToEnd(store));
    EXPECT_EQ(std::tuple(store.outcome(), lastShown().text, session.CurrentRecord().program_number),
              std::tuple(ProcedureOutcome::Cancel,
                         QStringLiteral("The program is protected.\nProgramNo = 03"), 0));
}

// An unused slot asks nothing, up to the last one.
TEST_F(ProgramManagementTest, StoreLeavesTheSlotsHeaderInTheListRecords) {
    std::memcpy(session.CurrentRecord().name.data(), "REPLACES ONE", 12);
    session.CurrentRecord().empty_flag = 255;
    ASSERT_TRUE(store.start());
    settle(store);
    store.choose(50);
    settle(store);
    EXPECT_EQ(store.selectedName(), QStringLiteral("Not Used"));
    EXPECT_TRUE(store.storeExec());
    ASSERT_TRUE(runToEnd(store));
    EXPECT_EQ(
        std::tuple(store.outcome(), prompts.unscriptedQuestions(), lastShown().text),
        std::tuple(ProcedureOutcome::Ok, 0, QStringLiteral("Program store OK!\nProgramNo = 50")));
    ProgramRecord expected = session.CurrentRecord();
    expected.empty_flag = 0;
    EXPECT_EQ(EncodeRecordText(session.programs.Record(50), RecordImage::Header),
              EncodeRecordText(expected, RecordImage::Header));
}

TEST_F(ProgramManagementTest, NameAndInformationGoToTheUnitAndRecordZero) {
    ProgramTextProcedure text(ProgramTextKind::Name, session, engine, prompts, clock);
    ASSERT_TRUE(text.ok(QStringLiteral("Ha(ll1")) && runToEnd(text));
    EXPECT_EQ(text.outcome(), ProcedureOutcome::Ok);
    EXPECT_EQ(received.back(), "(01J0002Hall1" + QByteArray(16, '.'));
    EXPECT_EQ(session.CurrentRecord().name, unit().currentProgram().name);

    sim.setFault(UnitCommand::InfoSet, {Kind::Error, 2});
    const auto comment = session.CurrentRecord().comment;
    ProgramTextProcedure info(ProgramTextKind::Information, session, engine, prompts, clock);
    ASSERT_TRUE(info.ok(QStringLiteral("new text")) && runToEnd(info));
    EXPECT_EQ(std::pair(info.outcome(), session.CurrentRecord().comment),
              std::pair(ProcedureOutcome::Cancel, comment));
    EXPECT_EQ(lastShown().text,
              QStringLiteral("The argument of the command is wrong.\nProgramNo = 00"));

    session.ConnectedUnitId = 0;
    received.clear();
    ProgramTextProcedure offline(ProgramTextKind::Information, session, engine, prompts, clock);
    EXPECT_TRUE(offline.ok(QStringLiteral("offline")) && offline.hasEnded() && received.empty());
    EXPECT_EQ(QByteArray(session.CurrentRecord().comment.data(), 8), "offline.");
}

} // namespace
} // namespace mqx::test

// Compare with unit: the fetch never touches the PC's program.

#include "connection/compare_procedure.h"
#include "link/error_text.h"
#include "program/field_labels.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

class CompareTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        unitProgram() = session.CurrentRecord();
        openLine(1);
        engine.setMeteringOn(true);
        ASSERT_EQ(engine.IssueCommand(CmdLevon), 1);
        ASSERT_TRUE(clock.runUntil([this] { return engine.done(); }, 2000));
    }
    ProcedureOutcome run(CompareProcedure& procedure, CompareStep what) {
        EXPECT_TRUE(procedure.start(what));
        EXPECT_TRUE(runToEnd(procedure));
        return procedure.outcome();
    }
    ProgramRecord& unitProgram() { return sim.unit(1)->currentProgram(); }
};

TEST_F(CompareTest, DifferencesListedThenEitherProgramTaken) {
    CompareProcedure equal{session, engine, prompts, clock};
    ASSERT_EQ(run(equal, CompareStep::Fetch), ProcedureOutcome::Ok);
    EXPECT_TRUE(equal.differences().isEmpty() && engine.MeteringOn()) << "the meters run again";

    unitProgram().out[2].level = 181;
    session.CurrentRecord().out[2].level = 175;
    unitProgram().geq_level[17][1] = 30;
    const ProgramRecord pc = session.CurrentRecord();
    CompareProcedure fetch{session, engine, prompts, clock};
    ASSERT_EQ(run(fetch, CompareStep::Fetch), ProcedureOutcome::Ok);
    EXPECT_EQ(fetch.differences(), (QStringList{"IN-2 GEQ 1k Level: PC 0.0 dB, unit 3.0 dB",
                                                "OUT-3 Level: PC -3.0 dB, unit 0.0 dB"}));
    EXPECT_EQ(session.CurrentRecord(), pc) << "fetching leaves the PC's program alone";

    CompareProcedure send{session, engine, prompts, clock};
    ASSERT_EQ(run(send, CompareStep::Send), ProcedureOutcome::Ok);
    EXPECT_TRUE(DiffRecords(pc, unitProgram()).isEmpty());

    ASSERT_TRUE(fetch.takeUnitProgram());
    EXPECT_EQ(
        std::pair(session.CurrentRecord().out[2].level, session.CurrentRecord().geq_level[17][1]),
        (std::pair<std::uint8_t, std::uint8_t>(181, 30)));
}

TEST_F(CompareTest, AFailedFetchLeavesThePcsProgramAndSaysWhy) {
    const std::pair<sim::LineFault, QString> rows[] = {
        {{K::Silent}, "The unit's program could not be read."},
        {{K::Error, 30}, ErrorText(30)},
    };
    for (const auto& [fault, text] : rows) {
        session.CurrentRecord().out[0].level = 90;
        const ProgramRecord pc = session.CurrentRecord();
        sim.setFault(sim::UnitCommand::DataGet, fault);
        prompts.clear();
        CompareProcedure failing{session, engine, prompts, clock};
        EXPECT_EQ(run(failing, CompareStep::Fetch), ProcedureOutcome::Cancel);
        EXPECT_FALSE(failing.takeUnitProgram() || session.CurrentRecord() != pc);
        EXPECT_EQ(messages(), QStringList{"! Compare with unit: " + text + "\nMQX-T410 ID = 01"});
    }
}

} // namespace
} // namespace mqx::test

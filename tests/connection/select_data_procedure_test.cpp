// Select Data on the virtual clock: both directions, their guards, and the ways a
// transfer fails.

#include "connection/select_data_procedure.h"
#include "program/record_text.h"
#include "unit_bench.h"

#include <cstring>
#include <optional>

namespace mqx::test {
namespace {

using sim::LineFault;
using sim::UnitCommand;

class SelectDataTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        session.ConnectedUnitId = 1;
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        std::memcpy(sim.unit(1)->currentProgram().name.data(), "IN THE UNIT", 11);
    }
    ProcedureOutcome run(TransferDirection direction) {
        EXPECT_TRUE(select.start(direction));
        EXPECT_FALSE(select.start(direction)) << "OK acts once";
        EXPECT_TRUE(runToEnd(select));
        return select.outcome();
    }

    SelectDataProcedure select{session, engine, prompts, clock};
};

TEST_F(SelectDataTest, DownloadArrivingInBurstsStillCompletes) {
    sim.setFault(UnitCommand::DataGet, {LineFault::Kind::Bursts, 0, 400, 4});
    EXPECT_EQ(run(TransferDirection::Download), ProcedureOutcome::Ok);
    EXPECT_EQ(requests(), QStringList{QStringLiteral("(01Q000")});
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()),
              EncodeRecordText(sim.unit(1)->currentProgram()));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Connection Completed")});
    EXPECT_EQ(lastShown().title, QStringLiteral("MQX-T410 Controller"));
    EXPECT_TRUE(line.isOpen()) << "a good transfer keeps the connection";
}

TEST_F(SelectDataTest, CancelSaysByeAndClosesThePort) {
    EXPECT_TRUE(select.cancel());
    EXPECT_FALSE(select.start(TransferDirection::Download));
    ASSERT_TRUE(runToEnd(select));
    EXPECT_EQ(select.outcome(), ProcedureOutcome::Cancel);
    EXPECT_EQ(requests(), QStringList{QStringLiteral("(01bye")});
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(prompts.shown().empty());
}

struct StopRow {
    const char* name;
    TransferDirection direction;
    UnitCommand command;
    std::optional<LineFault> fault; // none: the unit is still sending when Cancel comes
    qint64 cancelAfterMs;
};

void PrintTo(const StopRow& row, std::ostream* os) {
    *os << row.name;
}

class CancelDuringTransfer : public SelectDataTest,
                             public ::testing::WithParamInterface<StopRow> {};

// A unit that is slow or silent must not hold the operator for the whole reply wait.
TEST_P(CancelDuringTransfer, StopsAtOnceSaysByeAndKeepsTheProgram) {
    const StopRow& row = GetParam();
    if (row.fault)
        sim.setFault(row.command, *row.fault);
    std::memcpy(session.CurrentRecord().name.data(), "ON THE PC", 9);
    const ProgramRecord before = session.CurrentRecord();
    ASSERT_TRUE(select.start(row.direction));
    clock.advance(row.cancelAfterMs);
    ASSERT_TRUE(select.isRunning());
    if (!row.fault) {
        EXPECT_GT(engine.exchange().received, 0) << "the program is on its way";
    }

    EXPECT_TRUE(select.cancel());
    EXPECT_TRUE(select.hasEnded()) << "no wait for the unit";
    EXPECT_EQ(select.outcome(), ProcedureOutcome::Cancel);
    EXPECT_FALSE(select.cancel()) << "Cancel acts once";
    EXPECT_FALSE(line.isOpen());
    EXPECT_TRUE(engine.done());

    clock.advance(3000);
    sim.takeOutput(clock.nowMs()); // lets the unit take the last frame as ended
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received.back(), "(01bye");
    EXPECT_TRUE(session.CurrentRecord() == before);
    EXPECT_TRUE(prompts.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CancelDuringTransfer,
    ::testing::Values(StopRow{"SilentUpload", TransferDirection::Upload, UnitCommand::DataSet,
                              LineFault{LineFault::Kind::Silent}, 1000},
                      StopRow{"SilentDownload", TransferDirection::Download, UnitCommand::DataGet,
                              LineFault{LineFault::Kind::Silent}, 1000},
                      StopRow{"DownloadArriving", TransferDirection::Download, UnitCommand::DataGet,
                              std::nullopt, 200}),
    [](const ::testing::TestParamInfo<StopRow>& row) { return std::string(row.param.name); });

} // namespace
} // namespace mqx::test

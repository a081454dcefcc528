// Select Data on the virtual clock: both directions, their guards, and the ways a
// transfer fails.

#include "connection/select_data_procedure.h"
#include "program/record_text.h"
#include "unit_bench.h"

#include <cstring>

namespace mqx::test {
namespace {

using sim::UnitCommand;
constexpr auto Download = TransferDirection::Download, Upload = TransferDirection::Upload;

class SelectDataTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        session.ConnectedUnitId = 1;
        std::memcpy(sim.unit(1)->currentProgram().name.data(), "IN THE UNIT", 11);
        std::memcpy(session.CurrentRecord().name.data(), "ON THE PC", 9);
    }
    // Opens the line afresh with `fault` on `command`.
    void reset(UnitCommand command, std::optional<sim::LineFault> fault) {
        nextRow(fault ? std::optional(std::pair(command, *fault)) : std::nullopt);
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }
    ProcedureOutcome run(TransferDirection direction) {
        SelectDataProcedure select{session, engine, prompts, clock};
        EXPECT_TRUE(select.start(direction));
        EXPECT_FALSE(select.start(direction)) << "OK acts once";
        EXPECT_TRUE(runToEnd(select));
        return select.outcome();
    }
    const QString refused = "! Select Data: There was injustice data in the data that received "
                            "it.\nMQX-T410 ID = 01";
    const QString lost = "! MQX-T410 Controller: Cannot connect MQX-T410(ID=1)";
};

TEST_F(SelectDataTest, DownloadArrivingInBurstsStillCompletes) {
    reset(UnitCommand::DataGet, sim::LineFault{K::Bursts, 0, 400, 4});
    EXPECT_EQ(run(Download), ProcedureOutcome::Ok);
    EXPECT_EQ(requests(), QStringList{QStringLiteral("(01Q000")});
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()),
              EncodeRecordText(sim.unit(1)->currentProgram()));
    EXPECT_EQ(messages(), QStringList{"i MQX-T410 Controller: Connection Completed"});
    EXPECT_TRUE(line.isOpen()) << "a good transfer keeps the connection";
}

TEST_F(SelectDataTest, AFailedTransferIsToldSaysByeAndKeepsTheProgram) {
    const ProgramRecord before = session.CurrentRecord();
    const struct {
        TransferDirection direction;
        UnitCommand command;
        sim::LineFault fault;
        QString message;
    } rows[] = {
        {Download, UnitCommand::DataGet, {K::Error, 30}, refused},
        {Upload, UnitCommand::DataSet, {K::Error, 30}, refused},
        {Download, UnitCommand::DataGet, {K::Garbled}, lost},
        {Upload, UnitCommand::DataSet, {K::Silent}, lost},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message.toStdString());
        reset(row.command, row.fault);
        EXPECT_EQ(run(row.direction), ProcedureOutcome::Cancel);
        EXPECT_EQ(messages(), QStringList{row.message});
        EXPECT_EQ(session.CurrentRecord(), before) << "an error reply is not a program";
        EXPECT_EQ(lastRequest(), QStringLiteral("(01bye"));
        EXPECT_FALSE(line.isOpen());
    }
}

// Cancel before OK says bye; so does Cancel during a transfer, at once, for a unit that is
// slow or silent must not hold the operator for the whole reply wait.
TEST_F(SelectDataTest, CancelStopsAtOnceSaysByeAndKeepsTheProgram) {
    const ProgramRecord before = session.CurrentRecord();
    const struct {
        const char* name;
        TransferDirection direction;
        UnitCommand command;
        std::optional<sim::LineFault> fault; // none: the unit is still sending when Cancel comes
        qint64 cancelAfterMs;                // negative: before OK
    } rows[] = {
        {"before OK", Download, UnitCommand::DataGet, {}, -1},
        {"silent upload", Upload, UnitCommand::DataSet, {{K::Silent}}, 1000},
        {"silent download", Download, UnitCommand::DataGet, {{K::Silent}}, 1000},
        {"download arriving", Download, UnitCommand::DataGet, {}, 200},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        reset(row.command, row.fault);
        SelectDataProcedure select{session, engine, prompts, clock};
        if (row.cancelAfterMs >= 0) {
            ASSERT_TRUE(select.start(row.direction));
            clock.advance(row.cancelAfterMs);
            ASSERT_TRUE(select.isRunning());
            EXPECT_TRUE(row.fault || engine.exchange().received > 0) << "the program is on its way";
        }
        EXPECT_TRUE(select.cancel());
        EXPECT_FALSE(select.cancel()) << "Cancel acts once";
        EXPECT_FALSE(select.start(row.direction));
        if (row.cancelAfterMs < 0) {
            ASSERT_TRUE(runToEnd(select));
        }
        EXPECT_TRUE(select.hasEnded()) << "no wait for the unit";
        EXPECT_EQ(select.outcome(), ProcedureOutcome::Cancel);
        EXPECT_FALSE(line.isOpen());
        EXPECT_TRUE(engine.done());
        clock.advance(3000);
        sim.takeOutput(clock.nowMs()); // lets the unit take the last frame as ended
        EXPECT_EQ(lastRequest(), QStringLiteral("(01bye"));
        EXPECT_EQ(session.CurrentRecord(), before);
        EXPECT_TRUE(prompts.shown().empty());
    }
}

} // namespace
} // namespace mqx::test

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
using K = LineFault::Kind;

class SelectDataTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        session.ConnectedUnitId = 1;
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        std::memcpy(sim.unit(1)->currentProgram().name.data(), "IN THE UNIT", 11);
        std::memcpy(session.CurrentRecord().name.data(), "ON THE PC", 9);
    }
    ProcedureOutcome run(TransferDirection direction) {
        SelectDataProcedure select{session, engine, prompts, clock};
        EXPECT_TRUE(select.start(direction));
        EXPECT_FALSE(select.start(direction)) << "OK acts once";
        EXPECT_TRUE(runToEnd(select));
        return select.outcome();
    }
};

TEST_F(SelectDataTest, DownloadArrivingInBurstsStillCompletes) {
    sim.setFault(UnitCommand::DataGet, {K::Bursts, 0, 400, 4});
    EXPECT_EQ(run(TransferDirection::Download), ProcedureOutcome::Ok);
    EXPECT_EQ(requests(), QStringList{QStringLiteral("(01Q000")});
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()),
              EncodeRecordText(sim.unit(1)->currentProgram()));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Connection Completed")});
    EXPECT_EQ(lastShown().title, QStringLiteral("MQX-T410 Controller"));
    EXPECT_EQ(lastShown().icon, PromptIcon::Information);
    EXPECT_TRUE(line.isOpen()) << "a good transfer keeps the connection";
}

TEST_F(SelectDataTest, AFailedTransferIsToldSaysByeAndKeepsTheProgram) {
    const ProgramRecord before = session.CurrentRecord();
    const QString refused =
        QStringLiteral("There was injustice data in the data that received it.\nMQX-T410 ID = 01");
    const QString lost = QStringLiteral("Cannot connect MQX-T410(ID=1)");
    const struct {
        TransferDirection direction;
        UnitCommand command;
        LineFault fault;
        QString title, text;
    } rows[] = {
        {TransferDirection::Download, UnitCommand::DataGet, {K::Error, 30}, "Select Data", refused},
        {TransferDirection::Upload, UnitCommand::DataSet, {K::Error, 30}, "Select Data", refused},
        {TransferDirection::Download,
         UnitCommand::DataGet,
         {K::Garbled},
         "MQX-T410 Controller",
         lost},
        {TransferDirection::Upload, UnitCommand::DataSet, {K::Silent}, "MQX-T410 Controller", lost},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        sim.clearFaults();
        sim.setFault(row.command, row.fault);
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        prompts.clear();
        EXPECT_EQ(run(row.direction), ProcedureOutcome::Cancel);
        EXPECT_EQ(texts(), QStringList{row.text});
        EXPECT_EQ(lastShown().title, row.title);
        EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
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
        std::optional<LineFault> fault; // none: the unit is still sending when Cancel comes
        qint64 cancelAfterMs;           // negative: before OK
    } rows[] = {
        {"before OK", TransferDirection::Download, UnitCommand::DataGet, {}, -1},
        {"silent upload", TransferDirection::Upload, UnitCommand::DataSet, {{K::Silent}}, 1000},
        {"silent download", TransferDirection::Download, UnitCommand::DataGet, {{K::Silent}}, 1000},
        {"download arriving", TransferDirection::Download, UnitCommand::DataGet, {}, 200},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        sim.clearFaults();
        if (row.fault)
            sim.setFault(row.command, *row.fault);
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
        received.clear();
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

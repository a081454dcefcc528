
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
    void reset(UnitCommand command, std::optional<sim::LineFault> fault) {
        nextRow(fault ? std::optional(std::pair(command, *fault)) : std::nullopt);
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }
    const QString refused = "! Select Data: There was injustice data in the data that received "
                            "it.\nMQX-T410 ID = 01";
    const QString lost = "! MQX-T410 Controller: Cannot connect MQX-T410(ID=1)";
};

TEST_F(SelectDataTest, DownloadArrivingInBurstsStillCompletes) {
    reset(UnitCommand::DataGet, sim::LineFault{K::Bursts, 0, 400, 4});
    SelectDataProcedure select{session, engine, prompts, clock};
    ASSERT_TRUE(select.start(Download) && runToEnd(select));
    EXPECT_EQ(std::pair(select.outcome(), requests()),
              std::pair(ProcedureOutcome::Ok, QStringList{"(01Q000"}));
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()),
              EncodeRecordText(sim.unit(1)->currentProgram()));
    EXPECT_EQ(messages(), QStringList{"i MQX-T410 Controller: Connection Completed"});
    EXPECT_TRUE(line.isOpen()) << "a good transfer keeps the connection";
}

// Cancel during a transfer acts at once; the unit hears bye either way.
TEST_F(SelectDataTest, AFailedOrCancelledTransferSaysByeAndKeepsTheProgram) {
    const ProgramRecord before = session.CurrentRecord();
    constexpr qint64 ToTheEnd = -2, BeforeOk = -1;
    constexpr auto Get = UnitCommand::DataGet, Set = UnitCommand::DataSet;
    const struct {
        TransferDirection direction;
        UnitCommand command;
        std::optional<sim::LineFault> fault;
        qint64 cancelAfterMs;
        QString message = {};
    } rows[] = {
        {Download, Get, {{K::Error, 30}}, ToTheEnd, refused},
        {Upload, Set, {{K::Error, 30}}, ToTheEnd, refused},
        {Download, Get, {{K::Garbled}}, ToTheEnd, lost},
        {Upload, Set, {{K::Silent}}, ToTheEnd, lost},
        {Download, Get, {}, BeforeOk},
        {Upload, Set, {{K::Silent}}, 1000},
        {Download, Get, {{K::Silent}}, 1000},
        {Download, Get, {}, 200}, // the unit is still sending when Cancel comes
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        reset(row.command, row.fault);
        SelectDataProcedure select{session, engine, prompts, clock};
        if (row.cancelAfterMs != BeforeOk) {
            ASSERT_TRUE(select.start(row.direction));
            EXPECT_FALSE(select.start(row.direction)) << "OK acts once";
        }
        if (row.cancelAfterMs >= 0) {
            clock.advance(row.cancelAfterMs);
            ASSERT_TRUE(select.isRunning());
            EXPECT_TRUE(row.fault || engine.exchange().received > 0) << "the program is on its way";
        }
        if (row.cancelAfterMs != ToTheEnd) {
            EXPECT_TRUE(select.cancel() && !select.cancel() && !select.start(row.direction));
            EXPECT_TRUE(row.cancelAfterMs < 0 || (select.hasEnded() && engine.done()))
                << "no wait for the unit";
        }
        ASSERT_TRUE(runToEnd(select));
        EXPECT_TRUE(select.outcome() == ProcedureOutcome::Cancel && !line.isOpen());
        clock.advance(3000);
        sim.takeOutput(clock.nowMs()); // lets the unit take the last frame as ended
        EXPECT_EQ(lastRequest(), QStringLiteral("(01bye"));
        EXPECT_EQ(session.CurrentRecord(), before) << "an error reply is not a program";
        EXPECT_EQ(messages(), row.message.isEmpty() ? QStringList{} : QStringList{row.message});
    }
}

} // namespace
} // namespace mqx::test

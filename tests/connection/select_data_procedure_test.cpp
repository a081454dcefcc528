// Select Data on the virtual clock: both directions, their guards, and the ways a
// transfer fails.

#include "connection/select_data_procedure.h"
#include "program/record_text.h"
#include "unit_bench.h"

#include <cstring>

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
        EXPECT_FALSE(select.cancel()) << "so does Cancel, once OK has started";
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

TEST_F(SelectDataTest, UploadSendsRecordZero) {
    std::memcpy(session.CurrentRecord().comment.data(), "sent from the PC", 16);
    EXPECT_EQ(run(TransferDirection::Upload), ProcedureOutcome::Ok);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0],
              "(01P000" + EncodeRecordText(session.CurrentRecord(), RecordImage::Upload));
    EXPECT_EQ(sim.unit(1)->currentProgram().comment, session.CurrentRecord().comment);
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Connection Completed")});
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

TEST_F(SelectDataTest, AGarbledDownloadIsNoProgram) {
    const ProgramRecord before = session.CurrentRecord();
    sim.setFault(UnitCommand::DataGet, {LineFault::Kind::Garbled});
    EXPECT_EQ(run(TransferDirection::Download), ProcedureOutcome::Cancel);
    EXPECT_TRUE(session.CurrentRecord() == before);
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Cannot connect MQX-T410(ID=1)")});
    EXPECT_EQ(requests().back(), QStringLiteral("(01bye"));
    EXPECT_FALSE(line.isOpen());
}

TEST_F(SelectDataTest, ARefusedUploadIsReportedWithTheUnitsReason) {
    sim.setFault(UnitCommand::DataSet, {LineFault::Kind::Error, 30});
    EXPECT_EQ(run(TransferDirection::Upload), ProcedureOutcome::Cancel);
    EXPECT_EQ(texts(),
              QStringList{QStringLiteral("There was injustice data in the data that received it.\n"
                                         "MQX-T410 ID = 01")});
    EXPECT_EQ(lastShown().title, QStringLiteral("Select Data"));
    EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
    EXPECT_FALSE(line.isOpen());
}

} // namespace
} // namespace mqx::test

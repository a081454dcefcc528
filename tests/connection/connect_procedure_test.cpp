// The greeting sequence and every way it can fail.

#include "connection/connect_procedure.h"
#include "scripted_serial_port.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

using sim::LineFault;
using sim::UnitCommand;

class ConnectTest : public UnitBench {
protected:
    ConnectProcedure connect{session, engine, prompts, clock};
    int statusRefreshes = 0;

    void SetUp() override {
        UnitBench::SetUp();
        connect.setStatusCallback([this] { ++statusRefreshes; });
    }
    // Starts on COM 2 and runs to the end; true for OK.
    bool run(int unitId) {
        EXPECT_TRUE(connect.start(2, unitId));
        EXPECT_TRUE(runToEnd(connect));
        return connect.outcome() == ProcedureOutcome::Ok;
    }
};

TEST_F(ConnectTest, GreetsReadsInformationAndLockState) {
    sim.unit(3)->handle("Y" + QByteArray("Rack 2").leftJustified(256, '.'));
    sim.unit(3)->handle("CD");
    ASSERT_TRUE(run(3));
    EXPECT_EQ(requests(), (QStringList{QStringLiteral("(03hello"), QStringLiteral("(03X"),
                                       QStringLiteral("(03K")}));
    EXPECT_EQ(session.ConnectedUnitId, 3);
    EXPECT_EQ(session.settings.LastPort, 2);
    EXPECT_EQ(session.settings.LastUnitId, 3);
    EXPECT_EQ(session.DeviceInfoText, "Rack 2" + QByteArray(250, '.'));
    EXPECT_EQ(session.PanelLockState, 'D');
    EXPECT_EQ(statusRefreshes, 1);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(line.isOpen());
}

TEST_F(ConnectTest, ASecondOkStartsNothing) {
    EXPECT_TRUE(connect.start(1, 1));
    EXPECT_FALSE(connect.start(1, 1));
    EXPECT_FALSE(connect.cancel());
    ASSERT_TRUE(runToEnd(connect));
    EXPECT_EQ(count("(01hello"), 1);
    EXPECT_FALSE(connect.start(1, 1)) << "nor once it has ended";
    clock.advance(1000);
    EXPECT_EQ(count("(01hello"), 1);
}

TEST_F(ConnectTest, CancelLeavesNothingConnected) {
    session.ConnectedUnitId = 5;
    ProcedureOutcome seen = ProcedureOutcome::Ok;
    connect.setFinishedCallback([&seen](ProcedureOutcome outcome) { seen = outcome; });
    EXPECT_TRUE(connect.cancel());
    EXPECT_EQ(seen, ProcedureOutcome::Cancel);
    EXPECT_EQ(session.ConnectedUnitId, 0);
    EXPECT_FALSE(connect.start(1, 1));
}

struct FailureRow {
    const char* name;
    UnitCommand command;
    LineFault fault;
    int unitId;
    bool greeted;        // the unit answered hello, so it must hear bye
    const char* message; // nullptr: "Cannot connect MQX-T410(ID=%d)"
};

class ConnectFailureTest : public ConnectTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ConnectFailureTest, EndsNotConnectedWithThePortClosed) {
    const FailureRow& row = GetParam();
    sim.setFault(row.command, row.fault);
    EXPECT_FALSE(run(row.unitId));
    const QString message = row.message != nullptr
                                ? QString::fromLatin1(row.message)
                                : QStringLiteral("Cannot connect MQX-T410(ID=%1)").arg(row.unitId);
    ASSERT_EQ(texts(), QStringList{message});
    EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
    EXPECT_EQ(lastShown().title, QStringLiteral("MQX-T410 Controller"));
    EXPECT_EQ(session.ConnectedUnitId, 0);
    EXPECT_EQ(session.settings.LastUnitId, row.unitId) << "the choice is remembered anyway";
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(statusRefreshes, 0);
    const QByteArray bye = QByteArray("(0") + QByteArray::number(row.unitId) + "bye";
    EXPECT_EQ(count(bye), row.greeted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConnectFailureTest,
    ::testing::Values(
        FailureRow{"NoAnswer", UnitCommand::Hello, {LineFault::Kind::Silent}, 1, false, nullptr},
        FailureRow{"NoSuchUnit", UnitCommand::Version, {}, 7, false, nullptr},
        FailureRow{
            "WrongUnitId", UnitCommand::Hello, {LineFault::Kind::WrongId}, 1, false, nullptr},
        FailureRow{
            "ErrorReply", UnitCommand::Hello, {LineFault::Kind::Error, 3}, 1, false, nullptr},
        FailureRow{
            "GarbledEcho", UnitCommand::Hello, {LineFault::Kind::Garbled}, 3, false, nullptr},
        FailureRow{"NoInformation",
                   UnitCommand::DeviceInfoGet,
                   {LineFault::Kind::Silent},
                   1,
                   true,
                   nullptr},
        FailureRow{"NoLockState",
                   UnitCommand::PanelLockState,
                   {LineFault::Kind::Silent},
                   3,
                   true,
                   nullptr},
        FailureRow{"InformationRefused",
                   UnitCommand::DeviceInfoGet,
                   {LineFault::Kind::Error, 13},
                   1,
                   true,
                   "The program is protected.\nMQX-T410 ID = 01"},
        // Code 00 is an error reply too, not the absence of one.
        FailureRow{"LockStateRefused",
                   UnitCommand::PanelLockState,
                   {LineFault::Kind::Error, 0},
                   3,
                   true,
                   "ID_No differs.\nMQX-T410 ID = 03"}),
    [](const ::testing::TestParamInfo<FailureRow>& row) { return std::string(row.param.name); });

TEST(ConnectWithoutPort, ReportsThePortThenTheUnit) {
    VirtualClock clock;
    ScriptedSerialPort port(&clock);
    port.setOpenResult(-1);
    Session session;
    ScriptedPrompts prompts;
    LinkEngine engine(port, clock, session);
    ConnectProcedure connect(session, engine, prompts, clock);
    EXPECT_TRUE(connect.start(4, 12));
    ASSERT_TRUE(connect.hasEnded());
    EXPECT_EQ(connect.outcome(), ProcedureOutcome::Cancel);
    EXPECT_EQ(port.openArguments().value(0), QStringLiteral("4"));
    EXPECT_TRUE(port.written().empty());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, QStringLiteral("Cannot connect MQX-T410(ID=12)"));
    EXPECT_EQ(session.ConnectedUnitId, 0);
}

} // namespace
} // namespace mqx::test

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
        EXPECT_FALSE(connect.start(2, unitId)) << "OK acts once";
        EXPECT_FALSE(connect.cancel()) << "nor is there Cancel while the greeting runs";
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
    EXPECT_FALSE(connect.start(2, 3)) << "nor once it has ended";
    clock.advance(1000);
    EXPECT_EQ(count("(03hello"), 1);
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

// Every way the greeting fails ends not connected with the port closed and one message;
// a unit that answered hello hears bye. The choice of unit is remembered anyway.
TEST_F(ConnectTest, EveryFailureEndsNotConnectedWithThePortClosed) {
    using K = LineFault::Kind;
    const auto fails = [this](UnitCommand command, LineFault fault, int unitId, bool greeted,
                              const char* message = nullptr) {
        SCOPED_TRACE(sim::CommandName(command).toStdString());
        sim.clearFaults();
        sim.setFault(command, fault);
        received.clear();
        prompts.clear();
        ConnectProcedure again(session, engine, prompts, clock);
        int refreshes = 0;
        again.setStatusCallback([&refreshes] { ++refreshes; });
        EXPECT_TRUE(again.start(2, unitId));
        EXPECT_TRUE(runToEnd(again));
        EXPECT_EQ(again.outcome(), ProcedureOutcome::Cancel);
        EXPECT_EQ(texts(),
                  QStringList{message
                                  ? QString::fromLatin1(message)
                                  : QStringLiteral("Cannot connect MQX-T410(ID=%1)").arg(unitId)});
        EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
        EXPECT_EQ(lastShown().title, QStringLiteral("MQX-T410 Controller"));
        EXPECT_EQ(session.ConnectedUnitId, 0);
        EXPECT_EQ(session.settings.LastUnitId, unitId);
        EXPECT_FALSE(line.isOpen());
        EXPECT_EQ(refreshes, 0);
        EXPECT_EQ(count(QByteArray("(0") + QByteArray::number(unitId) + "bye"), greeted ? 1 : 0);
    };
    fails(UnitCommand::Hello, {K::Silent}, 1, false);
    fails(UnitCommand::Version, {}, 7, false); // no unit 7 on the line
    fails(UnitCommand::Hello, {K::WrongId}, 1, false);
    fails(UnitCommand::Hello, {K::Error, 3}, 1, false);
    fails(UnitCommand::Hello, {K::Garbled}, 3, false);
    fails(UnitCommand::DeviceInfoGet, {K::Silent}, 1, true);
    fails(UnitCommand::PanelLockState, {K::Silent}, 3, true);
    fails(UnitCommand::DeviceInfoGet, {K::Error, 13}, 1, true,
          "The program is protected.\nMQX-T410 ID = 01");
    // Code 00 is an error reply too, not the absence of one.
    fails(UnitCommand::PanelLockState, {K::Error, 0}, 3, true, "ID_No differs.\nMQX-T410 ID = 03");
}

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

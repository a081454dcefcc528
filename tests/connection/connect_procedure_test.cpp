
#include "connection/connect_procedure.h"
#include "scripted_serial_port.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

using sim::UnitCommand;

class ConnectTest : public UnitBench {
protected:
    ConnectProcedure connect{session, engine, prompts, clock};
};

TEST_F(ConnectTest, GreetsReadsInformationAndLockState) {
    sim.unit(3)->handle("Y" + QByteArray("Rack 2").leftJustified(256, '.'));
    sim.unit(3)->handle("CD");
    int refreshes = 0;
    connect.setStatusCallback([&refreshes] { ++refreshes; });
    ASSERT_TRUE(connect.start(2, 3));
    EXPECT_FALSE(connect.start(2, 3) || connect.cancel()) << "OK acts once; no Cancel meanwhile";
    ASSERT_TRUE(runToEnd(connect));
    EXPECT_EQ(std::pair(connect.outcome(), requests()),
              std::pair(ProcedureOutcome::Ok, QStringList{"(03hello", "(03X", "(03K"}));
    EXPECT_EQ(std::tuple(session.ConnectedUnitId, session.settings.LastPort,
                         session.settings.LastUnitId, session.PanelLockState, refreshes,
                         prompts.shown().size(), line.isOpen()),
              std::tuple(3, 2, 3, 'D', 1, 0u, true));
    EXPECT_EQ(session.DeviceInfoText, "Rack 2" + QByteArray(250, '.'));
    EXPECT_FALSE(connect.start(2, 3)) << "nor once it has ended";
    clock.advance(1000);
    EXPECT_EQ(count("(03hello"), 1);
}

// A unit that answered hello hears bye; the choice of unit is remembered anyway.
TEST_F(ConnectTest, EveryFailureEndsNotConnectedWithThePortClosed) {
    const auto fails = [this](UnitCommand command, sim::LineFault fault, int id, bool greeted,
                              QString text = {}) {
        SCOPED_TRACE(sim::CommandName(command).toStdString());
        nextRow({{command, fault}});
        ConnectProcedure again(session, engine, prompts, clock);
        int refreshes = 0;
        again.setStatusCallback([&refreshes] { ++refreshes; });
        EXPECT_TRUE(again.start(2, id) && runToEnd(again));
        EXPECT_EQ(again.outcome(), ProcedureOutcome::Cancel);
        if (text.isEmpty())
            text = QStringLiteral("Cannot connect MQX-T410(ID=%1)").arg(id);
        EXPECT_EQ(messages(), QStringList{"! MQX-T410 Controller: " + text});
        EXPECT_EQ(std::tuple(session.ConnectedUnitId, session.settings.LastUnitId, line.isOpen(),
                             refreshes, count("(0" + QByteArray::number(id) + "bye")),
                  std::tuple(0, id, false, 0, greeted ? 1 : 0));
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

TEST_F(ConnectTest, WithoutAPortReportsThePortThenTheUnit) {
    ScriptedSerialPort port(&clock);
    port.setOpenResult(-1);
    LinkEngine noLine(port, clock, session);
    ConnectProcedure failing(session, noLine, prompts, clock);
    ASSERT_TRUE(failing.start(4, 12) && failing.hasEnded());
    EXPECT_EQ(std::tuple(failing.outcome(), port.openArguments().value(0), port.written().size(),
                         session.ConnectedUnitId),
              std::tuple(ProcedureOutcome::Cancel, "4", 0u, 0));
    EXPECT_EQ(messages(), QStringList{"! MQX-T410 Controller: Cannot connect MQX-T410(ID=12)"});
}

} // namespace
} // namespace mqx::test

// The real serial code against mqx-sim on a pseudo-terminal; every wait is bounded.

#include "core_application.h"
#include "scripted_dialogs.h"
#include "scripted_prompts.h"
#include "sim_process.h"

#include "connection/connection_flow.h"
#include "core/session.h"
#include "link/hardware_serial_port.h"
#include "link/link_engine.h"
#include "link/qt_timer_source.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

using namespace mqx;
using mqx::test::ScriptedDialogs;
using mqx::test::SimProcess;

// Connect, download, an edit whose levon starts the meters, then the unit killed.
TEST(RealLine, ASessionOverThePseudoTerminalUntilTheUnitIsKilled) {
    mqx::test::ensureCoreApplication();
    SimProcess sim({QStringLiteral("--id"), QStringLiteral("3")});
    ASSERT_TRUE(sim.devicePath().startsWith(QStringLiteral("/dev/pts/")));

    mqx::test::ScriptedPrompts prompts;
    HardwareSerialPort port(prompts);
    QtTimerSource timers;
    Session session;
    ApplyDefaults(session);
    LinkEngine engine(port, timers, session);
    // The operator connects to the device path and downloads; every dialog waits in real time.
    ScriptedDialogs dialogs([](const LinkProcedure& procedure) {
        return QTest::qWaitFor([&] { return procedure.hasEnded(); }, 20000);
    });
    dialogs.devicePath = sim.devicePath();
    dialogs.connectUnit = 3;
    ConnectionFlow flow(session, engine, prompts, timers, dialogs, dialogs);
    ASSERT_TRUE(flow.connectUnit()); // the download checked and decoded

    // Output A muted: from the edit on, every level frame shows it silent.
    session.CurrentRecord().out[0].on = 0;
    engine.arguments().ArgCode = "0530";
    engine.arguments().ArgValue = "000";
    ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
    int updates = 0;
    engine.setMetersCallback([&](const MeterLevels& m) {
        ++updates;
        EXPECT_EQ(m.outputMeter[0], 0);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return updates >= 4; }, 5000)) << updates << " meter updates";

    const ProgramRecord kept = session.CurrentRecord();
    prompts.clear();
    QElapsedTimer sinceLoss;
    sinceLoss.start();
    sim.kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompts.shown().empty(); }, 5000));
    EXPECT_LE(sinceLoss.elapsed(), 1000);
    EXPECT_EQ(prompts.shown().back().text,
              QStringLiteral("Connection lost on %1.\nMQX-T410 ID = 03").arg(sim.devicePath()));
    EXPECT_EQ(std::tuple(session.ConnectedUnitId, port.isOpen(), session.CurrentRecord(),
                         prompts.shown().size()),
              std::tuple(0, false, kept, 1u));
    EXPECT_GT(dialogs.refreshes, 1);
}

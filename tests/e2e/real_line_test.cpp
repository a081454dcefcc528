// The real serial code against mqx-sim in real time: QSerialPort on the simulator's
// pseudo-terminal, the engine on Qt timers in an event loop. Every wait is bounded, so a
// hang fails the test instead of stalling the run.

#include "core_application.h"
#include "scripted_prompts.h"
#include "unit_simulator.h"

#include "connection/connect_procedure.h"
#include "connection/connection_dialogs.h"
#include "connection/connection_flow.h"
#include "connection/connection_view.h"
#include "connection/select_data_procedure.h"
#include "core/session.h"
#include "link/hardware_serial_port.h"
#include "link/level_reader.h"
#include "link/link_engine.h"
#include "link/qt_timer_source.h"
#include "program/record_text.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>

using namespace mqx;

namespace {

// Runs the event loop until `condition` holds or `limitMs` have passed.
bool runUntil(const std::function<bool()>& condition, int limitMs) {
    if (condition())
        return true;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    check.start(5);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

// mqx-sim for the length of a test; stopped with SIGTERM, as a service manager would.
class SimProcess {
public:
    explicit SimProcess(const QStringList& arguments) {
        m_process.start(QStringLiteral(MQX_SIM_PATH), arguments);
        if (!m_process.waitForStarted(5000))
            return;
        QByteArray firstLine;
        const QDeadlineTimer patience(5000);
        while (!firstLine.contains('\n') && !patience.hasExpired() &&
               m_process.waitForReadyRead(static_cast<int>(patience.remainingTime())))
            firstLine += m_process.readAllStandardOutput();
        m_devicePath = QString::fromLocal8Bit(firstLine.trimmed());
    }
    ~SimProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QString devicePath() const { return m_devicePath; }
    // Killed by its PID: the far end of the pseudo-terminal is gone without a word.
    void kill() {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }
    // SIGTERM; the exit code, or -1 when it did not end normally within a few seconds.
    int terminate() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000) || m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        return m_process.exitCode();
    }

private:
    QProcess m_process;
    QString m_devicePath;
};

// The operator connects to the device path and downloads; every dialog waits in real time.
class OperatorDialogs : public ConnectionDialogs {
public:
    explicit OperatorDialogs(QString path) : m_path(std::move(path)) {}
    bool runConnect(ConnectProcedure& procedure, int, int unitId) override {
        procedure.start(m_path, unitId);
        return ended(procedure);
    }
    bool runDeviceInfo(DeviceInfoProcedure& procedure, int, const QByteArray&) override {
        procedure.ok({});
        return ended(procedure);
    }
    bool runSelectData(SelectDataProcedure& procedure) override {
        procedure.start(TransferDirection::Download);
        return ended(procedure);
    }
    bool runDisconnect(DisconnectProcedure&) override { return false; }
    bool runPanelLock(PanelLockProcedure&, char) override { return false; }
    bool runCaution() override { return false; }

private:
    static bool ended(const LinkProcedure& procedure) {
        return runUntil([&] { return procedure.hasEnded(); }, 20000) &&
               procedure.outcome() == ProcedureOutcome::Ok;
    }
    QString m_path;
};

struct QuietView : ConnectionView {
    int refreshes = 0;
    void leaveTab() override {}
    void refreshAll() override { ++refreshes; }
    void refreshStatus() override {}
    void metersChanged() override {}
};

} // namespace

TEST(RealLine, AUnitKilledMidSessionIsToldWithinASecondAndTheProgramStays) {
    mqx::test::ensureCoreApplication();
    SimProcess sim({QStringLiteral("--id"), QStringLiteral("3")});
    ASSERT_TRUE(sim.devicePath().startsWith(QStringLiteral("/dev/pts/")));

    mqx::test::ScriptedPrompts prompts;
    HardwareSerialPort port(prompts);
    QtTimerSource timers;
    Session session;
    ApplyDefaults(session);
    session.settings.LastUnitId = 3;
    LinkEngine engine(port, timers, session);
    OperatorDialogs dialogs(sim.devicePath());
    QuietView view;
    ConnectionFlow flow(session, engine, prompts, timers, dialogs, view);
    ASSERT_TRUE(flow.connectUnit());
    ASSERT_TRUE(runUntil([&] { return engine.isLevelReading(); }, 3000));
    session.CurrentRecord().out[0].on = 0;
    engine.arguments().ArgCode = "0530";
    engine.arguments().ArgValue = "000";
    ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
    runUntil([] { return false; }, 300);
    const ProgramRecord kept = session.CurrentRecord();
    prompts.clear();

    QElapsedTimer sinceLoss;
    sinceLoss.start();
    sim.kill();
    ASSERT_TRUE(runUntil([&] { return !prompts.shown().empty(); }, 5000));
    const qint64 noticedMs = sinceLoss.elapsed();
    std::printf("the loss of mqx-sim was noticed after %lld ms\n",
                static_cast<long long>(noticedMs));
    EXPECT_LE(noticedMs, 1000);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text,
              QStringLiteral("Connection lost on %1.\nMQX-T410 ID = 03").arg(sim.devicePath()));
    EXPECT_EQ(session.ConnectedUnitId, 0);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(session.CurrentRecord(), kept);
    EXPECT_GT(view.refreshes, 1);
}

TEST(RealLine, GreetingDownloadEditAndMetersOverThePseudoTerminal) {
    mqx::test::ensureCoreApplication();
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString logPath = scratch.filePath(QStringLiteral("frames.log"));
    SimProcess sim({QStringLiteral("--id"), QStringLiteral("3"), QStringLiteral("--log"), logPath});
    ASSERT_TRUE(sim.devicePath().startsWith(QStringLiteral("/dev/pts/")))
        << sim.devicePath().toStdString();

    mqx::test::ScriptedPrompts prompts;
    HardwareSerialPort port(prompts);
    QtTimerSource timers;
    int unitId = 3;
    MeterLevels meters;
    std::vector<MeterLevels> shown;
    {
        LinkEngine engine(port, timers, unitId, meters);
        engine.setMetersCallback([&](const MeterLevels& m) { shown.push_back(m); });
        ASSERT_EQ(engine.OpenLink(sim.devicePath()), 1);
        EXPECT_TRUE(prompts.shown().empty());
        auto done = [&] { return engine.done(); };

        ASSERT_EQ(engine.IssueCommand(CmdHello), 1);
        ASSERT_TRUE(runUntil(done, 6000));
        EXPECT_TRUE(engine.succeeded());
        EXPECT_TRUE(engine.CheckReply(CmdHello).isMatch()) << engine.ReplyBuffer().constData();

        // A fresh unit plays the same program wherever it runs, so an in-process one
        // tells what the download must hold.
        sim::UnitSimulator twin({3});
        engine.setProgramArg(0);
        ASSERT_EQ(engine.IssueCommand(CmdPdatget), 1);
        ASSERT_TRUE(runUntil(done, 11000));
        ASSERT_TRUE(engine.succeeded()) << engine.exchange().received << " characters came";
        ASSERT_TRUE(engine.CheckReply(CmdPdatget).isMatch());
        ProgramRecord downloaded;
        ASSERT_TRUE(DecodeRecordText(engine.payload().sliced(7), downloaded));
        EXPECT_EQ(EncodeRecordText(downloaded), EncodeRecordText(twin.unit(3)->currentProgram()));

        // Metering on and output A muted: the edit's own levon starts the stream, and
        // every frame from then on shows output A silent.
        engine.setMeteringOn(true);
        engine.arguments().ArgCode = "0530";
        engine.arguments().ArgValue = "000";
        ASSERT_EQ(engine.IssueCommand(CmdParedt), 1);
        ASSERT_TRUE(runUntil([&] { return shown.size() >= 4; }, 5000))
            << shown.size() << " meter updates";
        for (const MeterLevels& m : shown)
            EXPECT_EQ(m.outputMeter[0], 0);
        EXPECT_EQ(meters, shown.back());

        engine.setMeteringOn(false);
        engine.StopLevelReading();
        engine.CloseLink();
        EXPECT_FALSE(port.isOpen());
    }
    EXPECT_EQ(sim.terminate(), 0);

    // What the unit heard, byte for byte, as its log has it.
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray heard = log.readAll();
    for (const char* frame :
         {" recv (03hello\n", " recv (03Q000\n", " recv (03$0530000\n", " recv (03ME\n"})
        EXPECT_TRUE(heard.contains(frame)) << frame;
    EXPECT_TRUE(heard.contains(" sent (03M")) << "level frames went out";
}

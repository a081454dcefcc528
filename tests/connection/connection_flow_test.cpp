// The Connect menu's chains end to end against simulated units on the virtual clock:
// connect, transfer, metering, disconnect, and every way out of them.

#include "connection/connection_flow.h"
#include "connection/connection_view.h"
#include "connection/line_loss_text.h"
#include "link/engine_edit_sink.h"
#include "program/record_text.h"
#include "scripted_connection_dialogs.h"
#include "unit_bench.h"

#include <cstring>

namespace mqx::test {
namespace {

struct CountingView : ConnectionView {
    int leaves = 0, refreshes = 0, statusRefreshes = 0, meterRedraws = 0;
    void leaveTab() override { ++leaves; }
    void refreshAll() override { ++refreshes; }
    void refreshStatus() override { ++statusRefreshes; }
    void metersChanged() override { ++meterRedraws; }
};

class ConnectionFlowTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        engine.setMetersCallback([this](const MeterLevels&) { view.metersChanged(); });
    }

    ScriptedConnectionDialogs dialogs{clock};
    CountingView view;
    ConnectionFlow flow{session, engine, prompts, clock, dialogs, view};
};

void setName(ProgramRecord& record, const char* name) {
    record.name.fill('.');
    std::memcpy(record.name.data(), name, std::strlen(name));
}

TEST_F(ConnectionFlowTest, DownloadThenMeteringThenDisconnect) {
    setName(sim.unit(1)->currentProgram(), "UNIT PROGRAM");
    sim.unit(1)->currentProgram().out[2].level = 17;
    session.CurrentRecord().out[0].display_mask = OutputBit(0);
    session.peqBandOff.type[0][4] = 3;

    ASSERT_TRUE(flow.connectUnit());
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"Connect", "DeviceInfo/connection", "SelectData"}));
    EXPECT_EQ(session.ConnectedUnitId, 1);
    EXPECT_EQ(session.settings.LastUnitId, 1);
    EXPECT_EQ(session.DeviceInfoText, sim.unit(1)->deviceInfo());
    EXPECT_EQ(session.PanelLockState, 'E');
    EXPECT_EQ(view.statusRefreshes, 1);
    EXPECT_EQ(view.refreshes, 1);
    EXPECT_EQ(EncodeRecordText(session.CurrentRecord()),
              EncodeRecordText(sim.unit(1)->currentProgram()));
    EXPECT_EQ(session.CurrentRecord().out[0].display_mask, OutputBit(0))
        << "screen state is not part of the transfer";
    EXPECT_FALSE(session.peqBandOff.holdsAnything()) << "the OFF memories went with the program";
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Connection Completed")});
    EXPECT_EQ(lastShown().icon, PromptIcon::Information);
    EXPECT_TRUE(engine.MeteringOn());

    clock.advance(1000);
    EXPECT_TRUE(sim.unit(1)->isMetering());
    EXPECT_GT(view.meterRedraws, 3) << "level frames reach the meters every 100 ms";
    EXPECT_NE(session.meterLevels, MeterLevels{}) << "decoded levels are the unit's, not rest";

    received.clear();
    prompts.clear();
    ASSERT_TRUE(flow.disconnectUnit());
    EXPECT_EQ(requests(), (QStringList{QStringLiteral("(01MD"), QStringLiteral("(01bye")}));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Disconnect Completed")});
    EXPECT_EQ(session.ConnectedUnitId, 0);
    EXPECT_FALSE(engine.MeteringOn());
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(session.meterLevels, MeterLevels{}) << "meters at rest: reduction 90, rest 0";
    EXPECT_EQ(view.leaves, 1);
    clock.advance(1000);
    EXPECT_TRUE(received.size() == 2) << "nothing is sent once disconnected";
}

TEST_F(ConnectionFlowTest, UploadPutsTheControllersProgramIntoTheUnit) {
    setName(session.CurrentRecord(), "FROM THE PC");
    session.CurrentRecord().geq_level[12][1] = 3;
    session.CurrentRecord().out[5].delay = 96000;
    dialogs.transfer = TransferDirection::Upload;
    session.settings.LastPort = 3;
    session.settings.LastUnitId = 3;
    dialogs.connectUnit = 3;

    ASSERT_TRUE(flow.connectUnit());
    EXPECT_EQ(dialogs.preselectedPort, 3);
    EXPECT_EQ(dialogs.preselectedUnit, 3);
    EXPECT_EQ(EncodeRecordText(sim.unit(3)->currentProgram(), RecordImage::Upload),
              EncodeRecordText(session.CurrentRecord(), RecordImage::Upload));
    ASSERT_GE(received.size(), 4u);
    EXPECT_EQ(received[3].left(7), "(03P000");
    EXPECT_EQ(received[3].size(), 7 + kUploadImageLength);
    clock.advance(100);
    EXPECT_EQ(received.back(), "(03ME");
}

TEST_F(ConnectionFlowTest, EveryCancelLeavesTheUnitToldAndThePortClosed) {
    std::memcpy(session.CurrentRecord().comment.data(), "Operator's note", 15);
    const ProgramRecord before = session.CurrentRecord();

    // Cancel in the Connect dialog: nothing opened, nothing sent.
    dialogs.connectUnit.reset();
    EXPECT_FALSE(flow.connectUnit());
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(dialogs.shown.size(), 1u);

    // Cancel in Device Information: bye, port closed.
    dialogs.connectUnit = 1;
    dialogs.deviceInfoOk = false;
    EXPECT_FALSE(flow.connectUnit());
    EXPECT_EQ(requests().back(), QStringLiteral("(01bye"));
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(session.ConnectedUnitId, 0);

    // Cancel in Select Data: bye, port closed, no metering.
    received.clear();
    dialogs.deviceInfoOk = true;
    dialogs.transfer.reset();
    EXPECT_FALSE(flow.connectUnit());
    EXPECT_EQ(requests(), (QStringList{QStringLiteral("(01hello"), QStringLiteral("(01X"),
                                       QStringLiteral("(01K"), QStringLiteral("(01bye")}));
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(session.ConnectedUnitId, 0);
    EXPECT_FALSE(engine.MeteringOn());
    EXPECT_TRUE(session.CurrentRecord() == before) << "a cancelled connection keeps the program";
    clock.advance(2000);
    EXPECT_FALSE(sim.unit(1)->isMetering());
}

TEST_F(ConnectionFlowTest, AFailedTransferIsToldSaysByeAndKeepsTheProgram) {
    const ProgramRecord before = session.CurrentRecord();
    const struct {
        TransferDirection direction;
        sim::UnitCommand command;
        sim::LineFault fault;
        const char* title;
        const char* text;
    } cases[] = {
        {TransferDirection::Download,
         sim::UnitCommand::DataGet,
         {sim::LineFault::Kind::Error, 30},
         "Select Data",
         "There was injustice data in the data that received it.\nMQX-T410 ID = 01"},
        {TransferDirection::Upload,
         sim::UnitCommand::DataSet,
         {sim::LineFault::Kind::Error, 30},
         "Select Data",
         "There was injustice data in the data that received it.\nMQX-T410 ID = 01"},
        {TransferDirection::Download,
         sim::UnitCommand::DataGet,
         {sim::LineFault::Kind::Garbled},
         "MQX-T410 Controller",
         "Cannot connect MQX-T410(ID=1)"},
        {TransferDirection::Upload,
         sim::UnitCommand::DataSet,
         {sim::LineFault::Kind::Silent},
         "MQX-T410 Controller",
         "Cannot connect MQX-T410(ID=1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        sim.clearFaults();
        sim.setFault(c.command, c.fault);
        dialogs.transfer = c.direction;
        prompts.clear();
        EXPECT_FALSE(flow.connectUnit());
        EXPECT_EQ(texts(), QStringList{QString::fromLatin1(c.text)});
        EXPECT_EQ(lastShown().title, QString::fromLatin1(c.title));
        EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
        EXPECT_TRUE(session.CurrentRecord() == before) << "an error reply is not a program";
        EXPECT_EQ(requests().back(), QStringLiteral("(01bye"));
        EXPECT_FALSE(line.isOpen());
        EXPECT_EQ(session.ConnectedUnitId, 0);
    }
}

TEST_F(ConnectionFlowTest, DisconnectAsksCautionOnlyWhileOffButtonsRemember) {
    ASSERT_TRUE(flow.connectUnit());
    dialogs.shown.clear();

    session.savedBandSettings.channel[3].lpf_freq = 100;
    dialogs.cautionOk = false;
    EXPECT_FALSE(flow.disconnectUnit());
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Caution"});
    EXPECT_EQ(session.ConnectedUnitId, 1);

    dialogs.cautionOk = true;
    dialogs.disconnectOk = false;
    EXPECT_FALSE(flow.disconnectUnit());
    EXPECT_EQ(session.ConnectedUnitId, 1) << "Cancel in Disconnect keeps the connection";
    EXPECT_TRUE(line.isOpen());

    session.savedBandSettings.clear();
    dialogs.shown.clear();
    dialogs.disconnectOk = true;
    EXPECT_TRUE(flow.disconnectUnit());
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"Disconnect"});
    EXPECT_EQ(session.ConnectedUnitId, 0);
}

TEST_F(ConnectionFlowTest, UnansweredGoodbyesAreReportedAndTheLinkStillEnds) {
    for (auto command : {sim::UnitCommand::LevelOff, sim::UnitCommand::Bye}) {
        SCOPED_TRACE(sim::CommandName(command).toStdString());
        ASSERT_TRUE(flow.connectUnit());
        clock.advance(500);
        sim.setFault(command, {sim::LineFault::Kind::Silent});
        received.clear();
        prompts.clear();
        EXPECT_TRUE(flow.disconnectUnit());
        EXPECT_EQ(texts(), QStringList{QStringLiteral("Disconnect Not Completed")});
        EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
        EXPECT_EQ(requests().back(), QStringLiteral("(01bye")) << "bye goes out either way";
        EXPECT_FALSE(line.isOpen());
        EXPECT_EQ(session.ConnectedUnitId, 0);
        sim.clearFaults();
    }
}

TEST_F(ConnectionFlowTest, ADialogHoldingTheLineHearsOfItsLossBeforeTheOperator) {
    ASSERT_TRUE(flow.connectUnit());
    clock.advance(1000);
    prompts.clear();
    std::vector<std::size_t> messagesAtHook;
    flow.setLineLostHook([&] { messagesAtHook.push_back(prompts.shown().size()); });
    line.pullAdapter();
    ASSERT_TRUE(clock.runUntil([this] { return !prompts.shown().empty(); }, 10000));
    EXPECT_EQ(messagesAtHook, std::vector<std::size_t>{0});
}

TEST_F(ConnectionFlowTest, ALostLineIsToldAndTheProgramWithItsEditsStays) {
    struct Loss {
        const char* name;
        bool adapterPulled; // else the cable is cut and the unit falls silent
        qint64 noticedWithinMs;
    };
    for (const Loss& loss :
         {Loss{"adapter pulled out", true, 1000}, Loss{"cable cut", false, 3000}}) {
        SCOPED_TRACE(loss.name);
        ASSERT_TRUE(flow.connectUnit()) << "connecting again works at once";
        clock.advance(1000);
        // An edit made while connected: in the record and at the unit.
        session.CurrentRecord().out[3].on = 0;
        EngineEditSink(engine).sendEdit("0533", "000");
        std::memcpy(session.CurrentRecord().comment.data(), "Operator's note", 15);
        clock.advance(300);
        ASSERT_EQ(sim.unit(1)->currentProgram().out[3].on, 0);
        const ProgramRecord kept = session.CurrentRecord();
        const QByteArray info = session.DeviceInfoText;
        prompts.clear();
        const int refreshes = view.refreshes;

        const qint64 from = clock.nowMs();
        if (loss.adapterPulled)
            line.pullAdapter();
        else
            line.cutCable();
        ASSERT_TRUE(clock.runUntil([this] { return !prompts.shown().empty(); }, 10000));
        EXPECT_LE(clock.nowMs() - from, loss.noticedWithinMs);
        EXPECT_EQ(texts(),
                  QStringList{QStringLiteral("Connection lost on COM1.\nMQX-T410 ID = 01")});
        EXPECT_EQ(lastShown().icon, PromptIcon::Exclamation);
        EXPECT_EQ(session.ConnectedUnitId, 0);
        EXPECT_FALSE(line.isOpen());
        EXPECT_FALSE(engine.MeteringOn());
        EXPECT_EQ(session.meterLevels, MeterLevels{});
        EXPECT_GT(view.refreshes, refreshes) << "the window shows the disconnected state";
        EXPECT_EQ(session.CurrentRecord(), kept) << "nothing of the program is reset";
        EXPECT_EQ(session.DeviceInfoText, info);
        received.clear();
        clock.advance(5000);
        EXPECT_TRUE(received.empty()) << "nothing more is sent";
        EXPECT_EQ(texts().size(), 1);
        sim.unit(1)->currentProgram().out[3].on = 1; // the unit restarted meanwhile
    }

    // On the way in, the procedure under way tells of the failure, once.
    sim.setFrameObserver([this](sim::UnitSimulator::Direction, QByteArrayView frame, qint64) {
        if (frame == "(01hello")
            line.pullAdapter();
    });
    prompts.clear();
    EXPECT_FALSE(flow.connectUnit());
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Cannot connect MQX-T410(ID=1)")});
    EXPECT_FALSE(line.isOpen());
}

TEST_F(ConnectionFlowTest, InformationAndPanelLockFromTheMenu) {
    ASSERT_TRUE(flow.connectUnit());
    dialogs.informationText = QStringLiteral("Hall B (left)");
    EXPECT_TRUE(flow.editInformation());
    EXPECT_EQ(sim.unit(1)->deviceInfo(), "Hall B left)" + QByteArray(244, '.'));
    EXPECT_EQ(session.DeviceInfoText, sim.unit(1)->deviceInfo());
    EXPECT_EQ(dialogs.shown.back(), "DeviceInfo/edit");

    const int statusBefore = view.statusRefreshes;
    dialogs.lock = true;
    EXPECT_TRUE(flow.panelLock());
    EXPECT_EQ(dialogs.lockStateShown, 'E');
    EXPECT_EQ(session.PanelLockState, 'D');
    EXPECT_EQ(view.statusRefreshes, statusBefore + 1);

    dialogs.lock.reset();
    EXPECT_FALSE(flow.panelLock());
    EXPECT_EQ(dialogs.lockStateShown, 'D');
}

} // namespace
} // namespace mqx::test

namespace mqx::test {
namespace {

TEST(LineLostText, NamesComOneToFourAndAnyOtherPortAsChosen) {
    const std::pair<const char*, const char*> ports[] = {
        {"1", "COM1"}, {" 4 ", "COM4"}, {"0", "0"}, {"5", "5"}, {"/dev/pts/3", "/dev/pts/3"}};
    for (const auto& [chosen, named] : ports)
        EXPECT_EQ(LineLostText(QString::fromLatin1(chosen), 7),
                  QStringLiteral("Connection lost on %1.\nMQX-T410 ID = 07").arg(named));
}

} // namespace
} // namespace mqx::test

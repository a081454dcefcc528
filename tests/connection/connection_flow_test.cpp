
#include "connection/connection_flow.h"
#include "connection/line_loss_text.h"
#include "program/record_text.h"
#include "scripted_dialogs.h"
#include "unit_bench.h"

#include <cstring>

namespace mqx::test {
namespace {

class ConnectionFlowTest : public UnitBench {
protected:
    void SetUp() override {
        UnitBench::SetUp();
        engine.setMetersCallback([this](const MeterLevels&) { dialogs.metersChanged(); });
        std::memcpy(session.CurrentRecord().comment.data(), "Operator's note", 15);
    }

    ScriptedDialogs dialogs{[this](const LinkProcedure& procedure) {
        return clock.runUntil([&procedure] { return procedure.hasEnded(); }, 60000);
    }};
    ConnectionFlow flow{session, engine, prompts, clock, dialogs, dialogs};
};

TEST_F(ConnectionFlowTest, DownloadThenMeteringThenDisconnectThenUpload) {
    ASSERT_TRUE(flow.connectUnit());
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"Connect", "DeviceInfo/connection", "SelectData"}));
    EXPECT_EQ(std::tuple(session.ConnectedUnitId, dialogs.statusRefreshes, dialogs.refreshes),
              std::tuple(1, 1, 1));
    clock.advance(1000);
    EXPECT_TRUE(sim.unit(1)->isMetering() && session.meterLevels != MeterLevels{});

    nextRow();
    ASSERT_TRUE(flow.disconnectUnit());
    EXPECT_EQ(requests(), (QStringList{"(01MD", "(01bye"}));
    EXPECT_EQ(messages(), QStringList{"i MQX-T410 Controller: Disconnect Completed"});
    EXPECT_EQ(std::tuple(session.ConnectedUnitId, line.isOpen(), dialogs.leaves),
              std::tuple(0, false, 1));
    EXPECT_EQ(session.meterLevels, MeterLevels{}) << "meters at rest";
    clock.advance(1000);
    EXPECT_EQ(received.size(), 2u) << "nothing is sent once disconnected";

    session.CurrentRecord().out[5].delay = 96000;
    dialogs.transfer = TransferDirection::Upload;
    session.settings.LastPort = session.settings.LastUnitId = 3;
    dialogs.connectUnit = 3;
    ASSERT_TRUE(flow.connectUnit());
    EXPECT_EQ(dialogs.preselected, std::pair(3, 3));
    EXPECT_EQ(EncodeRecordText(sim.unit(3)->currentProgram(), RecordImage::Upload),
              EncodeRecordText(session.CurrentRecord(), RecordImage::Upload));
    clock.advance(100);
    EXPECT_EQ(received.back(), "(03ME");
}

// The unit has been told bye, the program stays and nothing meters.
TEST_F(ConnectionFlowTest, EveryWayOutOfTheChainLeavesTheProgramAndNothingConnected) {
    const ProgramRecord before = session.CurrentRecord();
    dialogs.transfer.reset();
    for (const std::size_t cancelledIn : {1u, 2u, 3u}) {
        SCOPED_TRACE(cancelledIn);
        dialogs.connectUnit = cancelledIn > 1 ? std::optional(1) : std::nullopt;
        dialogs.deviceInfoOk = cancelledIn > 2;
        nextRow();
        session.ConnectedUnitId = 5; // a Cancel in Connect clears whatever was left
        dialogs.shown.clear();
        EXPECT_FALSE(flow.connectUnit() || dialogs.shown.size() != cancelledIn);
        EXPECT_EQ(lastRequest(), cancelledIn > 1 ? QStringLiteral("(01bye") : QString());
        EXPECT_EQ(std::tuple(line.isOpen(), session.ConnectedUnitId, engine.MeteringOn(),
                             session.CurrentRecord()),
                  std::tuple(false, 0, false, before));
        clock.advance(2000);
        EXPECT_FALSE(sim.unit(1)->isMetering());
    }
}

TEST_F(ConnectionFlowTest, DisconnectAsksCautionOnlyWhileOffButtonsRememberAndEndsAnyway) {
    ASSERT_TRUE(flow.connectUnit());
    dialogs.shown.clear();
    // Either memory asks: the OFF buttons' or the saved band settings.
    session.peqBandOff.type[0][4] = 3;
    dialogs.cautionOk = false;
    EXPECT_FALSE(flow.disconnectUnit());
    session.peqBandOff.clear();
    session.savedBandSettings.channel[3].lpf_freq = 100;
    dialogs.cautionOk = true;
    dialogs.disconnectOk = false;
    EXPECT_FALSE(flow.disconnectUnit());
    EXPECT_TRUE(session.ConnectedUnitId == 1 && line.isOpen()) << "Cancel keeps the connection";
    session.savedBandSettings.clear();
    dialogs.disconnectOk = true;
    EXPECT_TRUE(flow.disconnectUnit() && session.ConnectedUnitId == 0);
    EXPECT_EQ(dialogs.shown,
              (std::vector<std::string>{"Caution", "Caution", "Disconnect", "Disconnect"}));

    // Unanswered goodbyes are told, and the link still ends.
    for (auto command : {sim::UnitCommand::LevelOff, sim::UnitCommand::Bye}) {
        SCOPED_TRACE(sim::CommandName(command).toStdString());
        ASSERT_TRUE(flow.connectUnit());
        clock.advance(500);
        sim.setFault(command, {K::Silent});
        prompts.clear();
        EXPECT_TRUE(flow.disconnectUnit());
        EXPECT_EQ(messages(), QStringList{"! MQX-T410 Controller: Disconnect Not Completed"});
        EXPECT_TRUE(lastRequest() == "(01bye" && !line.isOpen()) << "bye goes out either way";
        sim.clearFaults();
    }
}

// Told once, first to a dialog holding the line.
TEST_F(ConnectionFlowTest, ALostLineIsToldOnceAndTheProgramStays) {
    ASSERT_TRUE(flow.connectUnit());
    clock.advance(1000);
    session.CurrentRecord().out[3].on = 0;
    const ProgramRecord kept = session.CurrentRecord();
    prompts.clear();
    const int refreshes = dialogs.refreshes;
    std::vector<std::size_t> messagesAtHook;
    flow.setLineLostHook([&] { messagesAtHook.push_back(prompts.shown().size()); });
    line.cutCable(); // noticed only while the flow has the engine watch the unit
    ASSERT_TRUE(clock.runUntil([this] { return !prompts.shown().empty(); }, 10000));
    EXPECT_EQ(messagesAtHook, std::vector<std::size_t>{0});
    EXPECT_EQ(messages(), QStringList{"! MQX-T410 Controller: Connection lost on COM1.\nMQX-T410 "
                                      "ID = 01"});
    EXPECT_EQ(std::tuple(session.ConnectedUnitId, engine.MeteringOn(), session.meterLevels,
                         session.CurrentRecord()),
              std::tuple(0, false, MeterLevels{}, kept));
    EXPECT_GT(dialogs.refreshes, refreshes) << "the window shows the disconnected state";
    received.clear();
    clock.advance(5000);
    EXPECT_TRUE(received.empty() && prompts.shown().size() == 1u) << "nothing more";
    // On the way in, the procedure under way tells of the failure, once.
    onReceived = [this](const QByteArray& frame) {
        if (frame == "(01hello")
            line.pullAdapter();
    };
    prompts.clear();
    EXPECT_FALSE(flow.connectUnit());
    EXPECT_EQ(messages(), QStringList{"! MQX-T410 Controller: Cannot connect MQX-T410(ID=1)"});
}

TEST_F(ConnectionFlowTest, InformationAndPanelLockFromTheMenu) {
    ASSERT_TRUE(flow.connectUnit());
    dialogs.informationText = QStringLiteral("Hall B");
    EXPECT_TRUE(flow.editInformation() && dialogs.shown.back() == "DeviceInfo/edit");
    EXPECT_EQ(session.DeviceInfoText, sim.unit(1)->deviceInfo());
    const int statusBefore = dialogs.statusRefreshes;
    dialogs.lock = true;
    EXPECT_TRUE(flow.panelLock());
    EXPECT_EQ(std::pair(dialogs.lockStateShown, dialogs.statusRefreshes),
              std::pair('E', statusBefore + 1));
    dialogs.lock.reset();
    EXPECT_TRUE(!flow.panelLock() && dialogs.lockStateShown == 'D');
}

TEST(LineLostText, NamesComOneToFourAndAnyOtherPortAsChosen) {
    const std::pair<const char*, const char*> ports[] = {
        {"1", "COM1"}, {" 4 ", "COM4"}, {"0", "0"}, {"5", "5"}, {"/dev/pts/3", "/dev/pts/3"}};
    for (const auto& [chosen, named] : ports)
        EXPECT_EQ(LineLostText(QString::fromLatin1(chosen), 7),
                  QStringLiteral("Connection lost on %1.\nMQX-T410 ID = 07").arg(named));
}

} // namespace
} // namespace mqx::test

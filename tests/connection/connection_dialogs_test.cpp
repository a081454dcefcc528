// The Connect menu's dialogs under the offscreen platform: their texts, what enables OK,
// the information box's filter, the act-once buttons, and the menu wiring. What the
// procedures behind them send and say is the procedures' own tests'.

#include "app/connection_commands.h"
#include "app/main_window.h"
#include "connection/connect_dialog.h"
#include "connection/connect_procedure.h"
#include "connection/device_info_dialog.h"
#include "connection/device_info_procedure.h"
#include "connection/disconnect_dialog.h"
#include "connection/disconnect_procedure.h"
#include "connection/panel_lock_dialog.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_dialog.h"
#include "connection/select_data_procedure.h"
#include "core/session.h"
#include "link/title_width.h"
#include "recording_edit_sink.h"
#include "scripted_prompts.h"
#include "scripted_serial_port.h"
#include "simulated_line.h"
#include "test_paths.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mqx::test {
namespace {

using ::testing::IsSupersetOf;

// The title and every label and choice a dialog shows.
QStringList shownTexts(const QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    for (const QRadioButton* choice : dialog.findChildren<QRadioButton*>())
        texts << choice->text();
    return texts;
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyDefaults(session);
        // The unit echoes bye; everything else goes unanswered.
        port.setResponder([this](const QByteArray& frame) {
            if (frame.endsWith("bye"))
                port.feed(frame);
        });
    }
    void connectUnit(int id) {
        session.ConnectedUnitId = id;
        ASSERT_EQ(engine.OpenLink(QStringLiteral("1")), 1);
    }
    QStringList written() const {
        QStringList frames;
        for (const QByteArray& f : port.written())
            frames << QString::fromLatin1(f.left(10));
        return frames;
    }

    VirtualClock clock;
    ScriptedSerialPort port{&clock};
    Session session;
    ScriptedPrompts prompts;
    LinkEngine engine{port, clock, session};
};

TEST_F(DialogTest, EveryDialogShowsItsTexts) {
    connectUnit(3);
    ConnectProcedure connect(session, engine, prompts, clock);
    DeviceInfoProcedure info(DeviceInfoMode::Edit, session, engine, prompts, clock);
    PanelLockProcedure lock(session, engine, prompts, clock);
    SelectDataProcedure select(session, engine, prompts, clock);
    DisconnectProcedure disconnect(session, engine, prompts, clock);
    const ConnectDialog connectDialog(connect, 3, 12);
    const DeviceInfoDialog infoDialog(info, 3, QByteArray("Main"));
    const PanelLockDialog lockDialog(lock, 'E');
    const SelectDataDialog selectDialog(select);
    const DisconnectDialog disconnectDialog(disconnect);
    const std::pair<const QWidget*, QStringList> rows[] = {
        {&connectDialog, {"Connect", "COM Port", "MQX-T410  ID"}},
        {&infoDialog, {"Device Information", "MQX-T410 ID"}},
        {&lockDialog, {"Panel Operation Lock", "Pannel Lock = No", "Pannel Lock = Yes"}},
        {&selectDialog,
         {"Select Data", "Upload Data from PC to MQX-T410", "Download Data from MQX-T410 to PC"}},
        {&disconnectDialog, {"Disconnect", "Are you sure you want to disconnect?"}},
    };
    for (const auto& [dialog, texts] : rows)
        EXPECT_THAT(shownTexts(*dialog), IsSupersetOf(texts));
}

TEST_F(DialogTest, ConnectOffersFourPortsAndNinetyNineUnitsAndActsOnce) {
    ConnectProcedure procedure(session, engine, prompts, clock);
    ConnectDialog dialog(procedure, 3, 12);
    ASSERT_EQ(dialog.portBox()->count(), 4);
    EXPECT_EQ(dialog.portBox()->itemText(0), QStringLiteral(" COM 1"));
    EXPECT_EQ(dialog.portBox()->currentText(), QStringLiteral(" COM 3"));
    ASSERT_EQ(dialog.unitList()->count(), 99);
    EXPECT_EQ(dialog.unitList()->item(8)->text(), QStringLiteral(" ID 09"));
    EXPECT_EQ(dialog.unitList()->currentItem()->text(), QStringLiteral(" ID 12"));

    dialog.open();
    dialog.unitList()->setCurrentRow(8);
    dialog.portBox()->setCurrentIndex(1);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    dialog.okButton()->click();
    EXPECT_EQ(written(), QStringList{QStringLiteral("(09hello")});
    EXPECT_EQ(port.openArguments().value(0), QStringLiteral("2"));

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()) << "no way out while the greeting runs";
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 20000));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ConnectFind, ListsTheUnitsThatAnswerAndPicksOne) {
    VirtualClock clock;
    sim::UnitSimulator units({3, 17});
    sim::SimulatedLine line{units, clock, &clock};
    Session session;
    ApplyDefaults(session);
    ScriptedPrompts prompts;
    LinkEngine engine{line, clock, session};
    ConnectProcedure procedure(session, engine, prompts, clock);
    ConnectDialog dialog(procedure, 2, 1);
    dialog.show();
    const auto scan = [&](bool stopAtOnce) {
        dialog.findButton()->click();
        EXPECT_EQ(dialog.findButton()->text(), QStringLiteral("Stop"));
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        if (stopAtOnce)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(clock.runUntil([&] { return !dialog.isScanning(); }, 60000));
        EXPECT_TRUE(dialog.isVisible()) << "Escape stops the scan, not the dialog";
        EXPECT_EQ(dialog.findButton()->text(), QStringLiteral("Find units"));
        return dialog.scanLabel()->text();
    };
    EXPECT_EQ(scan(true), QStringLiteral("Stopped after ID 01."));
    units.setFault(sim::UnitCommand::Hello, {sim::LineFault::Kind::Silent});
    EXPECT_EQ(scan(false), QStringLiteral("No MQX-T410 answered on COM 2 (IDs 01 to 99)."));
    units.clearFaults();
    scan(false);
    ASSERT_EQ(dialog.foundList()->count(), 2);
    EXPECT_TRUE(dialog.foundList()->item(1)->text().startsWith(QStringLiteral("ID 17  ")));
    dialog.foundList()->setCurrentRow(1);
    EXPECT_EQ(dialog.unitList()->currentRow(), 16);
    dialog.okButton()->click();
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 20000));
    EXPECT_EQ(session.ConnectedUnitId, 17);
}

TEST_F(DialogTest, ConnectShowsTheDeviceOfEachPort) {
    ConnectProcedure procedure(session, engine, prompts, clock);
    const QStringList devices{"/dev/ttyUSB0 (FT232R USB UART)", "/dev/ttyS1 (not found)",
                              "/tmp/mqx-port", "/dev/ttyS3"};
    ConnectDialog dialog(procedure, 2, 1, nullptr, devices);
    EXPECT_EQ(dialog.portBox()->itemText(0), QStringLiteral(" COM 1"));
    EXPECT_EQ(dialog.deviceLabel()->text(), devices[1]);
    dialog.show();
    QTest::keyClick(dialog.portBox(), Qt::Key_Down);
    EXPECT_EQ(dialog.deviceLabel()->text(), devices[2]);
    // The open list shows every entry's device beside it, so it is wider than the names.
    const QAbstractItemView* list = dialog.portBox()->view();
    const int nameOnly = list->fontMetrics().horizontalAdvance(QStringLiteral(" COM 1"));
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(list->sizeHintForIndex(list->model()->index(row, 0)).width(),
                  nameOnly + list->fontMetrics().horizontalAdvance(devices[row]))
            << row;
    EXPECT_EQ(ConnectDialog(procedure, 1, 1).deviceLabel()->text(), QString());
}

// The filter itself is the device information text's test; the box applies it to keys and
// pastes and keeps the caret where the operator typed.
TEST_F(DialogTest, InformationBoxKeepsOnlyWhatTheLineCarries) {
    connectUnit(3);
    DeviceInfoProcedure procedure(DeviceInfoMode::Edit, session, engine, prompts, clock);
    DeviceInfoDialog dialog(procedure, 3, QByteArray("Main"));
    EXPECT_EQ(dialog.unitBox()->text(), QStringLiteral("03"));
    EXPECT_TRUE(dialog.unitBox()->isReadOnly());
    EXPECT_FALSE(dialog.textBox()->isReadOnly());
    dialog.show();

    QPlainTextEdit* box = dialog.textBox();
    QTextCursor caret = box->textCursor();
    caret.setPosition(2);
    box->setTextCursor(caret);
    QTest::keyClicks(box, QStringLiteral("(x~"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Maxin"));
    EXPECT_EQ(box->textCursor().position(), 3);

    box->selectAll();
    box->insertPlainText(QString(300, u'z')); // as a paste arrives
    EXPECT_EQ(box->toPlainText(), QString(256, u'z'));
    dialog.okButton()->click();
    dialog.okButton()->click();
    EXPECT_EQ(written(), QStringList{QStringLiteral("(03Yzzzzzz")});
}

TEST_F(DialogTest, InformationInConnectionModeIsReadOnlyAndClosesOnceByeIsAnswered) {
    connectUnit(1);
    DeviceInfoProcedure procedure(DeviceInfoMode::Connection, session, engine, prompts, clock);
    DeviceInfoDialog dialog(procedure, 1, QByteArray("Unit text").leftJustified(256, '.'));
    EXPECT_TRUE(dialog.textBox()->isReadOnly());
    EXPECT_TRUE(dialog.textBox()->toPlainText().startsWith(QStringLiteral("Unit text....")));
    dialog.open();
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 5000));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(written(), QStringList{QStringLiteral("(01bye")});
}

TEST_F(DialogTest, PanelLockPreselectsTheKnownStateAndWaitsForAClick) {
    connectUnit(1);
    for (const char state : {'E', 'D', '?'}) {
        PanelLockProcedure procedure(session, engine, prompts, clock);
        PanelLockDialog dialog(procedure, state);
        EXPECT_EQ(dialog.noButton()->isChecked(), state == 'E');
        EXPECT_EQ(dialog.yesButton()->isChecked(), state == 'D');
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.show();
        EXPECT_GE(dialog.width(), TitleBarWidth(dialog)) << "a window manager would cut the title";
        QTest::mouseClick(dialog.yesButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        if (state != '?')
            continue;
        dialog.okButton()->click();
        QTest::mouseClick(dialog.noButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a choice does not re-arm a running lock";
        dialog.okButton()->click();
        EXPECT_EQ(written(), QStringList{QStringLiteral("(01CD")});
    }
}

TEST_F(DialogTest, SelectDataStartsWithNoDirectionAndCancelStopsTheTransfer) {
    connectUnit(1);
    SelectDataProcedure procedure(session, engine, prompts, clock);
    SelectDataDialog dialog(procedure);
    EXPECT_FALSE(dialog.uploadButton()->isChecked());
    EXPECT_FALSE(dialog.downloadButton()->isChecked());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.open();
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    ASSERT_TRUE(dialog.cancelButton()->isEnabled()) << "a running transfer can be stopped";
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(written(), (QStringList{QStringLiteral("(01Q000"), QStringLiteral("(01bye")}));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DialogTest, DisconnectCancelSendsNothing) {
    connectUnit(1);
    DisconnectProcedure procedure(session, engine, prompts, clock);
    DisconnectDialog dialog(procedure);
    dialog.open();
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(port.written().empty());
    EXPECT_TRUE(procedure.isIdle());
}

// The menu items open their dialogs once installed; closing while connected runs the
// disconnection first.
TEST_F(DialogTest, InstalledCommandsOpenTheirDialogs) {
    ScratchDir folder;
    RecordingEditSink sink;
    struct NoFiles : FileDialogs {
        QString openFileName(const QString&) override { return {}; }
        QString saveFileName(const QString&) override { return {}; }
    } files;
    MainWindow window(session, prompts, files, sink, folder.path(QStringLiteral("settings")));
    InstallConnectionCommands(window, session, engine, prompts, clock);

    QStringList titles;
    const auto cancelNextDialog = [&titles] {
        QTimer::singleShot(0, qApp, [&titles] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                titles << modal->windowTitle();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
    };
    cancelNextDialog();
    window.action(MenuId::Connect)->trigger();
    EXPECT_EQ(session.ConnectedUnitId, 0);

    connectUnit(1);
    window.UpdateMenus();
    for (const MenuId id : {MenuId::Disconnect, MenuId::Information, MenuId::PanelLock}) {
        cancelNextDialog();
        window.action(id)->trigger();
    }
    cancelNextDialog();
    EXPECT_FALSE(window.runCloseSequence()) << "Cancel in Disconnect keeps the window";
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("Connect"), QStringLiteral("Disconnect"),
                           QStringLiteral("Device Information"),
                           QStringLiteral("Panel Operation Lock"), QStringLiteral("Disconnect")}));
    EXPECT_EQ(session.ConnectedUnitId, 1);
    EXPECT_TRUE(port.written().empty());
}

} // namespace
} // namespace mqx::test

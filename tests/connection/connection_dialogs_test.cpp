// The Connect menu's dialogs under the offscreen platform: their texts, what enables OK,
// the information box's filter, the act-once buttons, and the menu wiring.

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
#include "link/link_engine.h"
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
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace mqx::test {
namespace {

QStringList labelTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
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

TEST_F(DialogTest, ConnectOffersFourPortsAndNinetyNineUnitsAndActsOnce) {
    ConnectProcedure procedure(session, engine, prompts, clock);
    ConnectDialog dialog(procedure, 3, 12);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Connect"));
    EXPECT_TRUE(labelTexts(dialog).contains(QStringLiteral("COM Port")));
    EXPECT_TRUE(labelTexts(dialog).contains(QStringLiteral("MQX-T410  ID")));
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
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    dialog.okButton()->click();
    EXPECT_EQ(written(), QStringList{QStringLiteral("(09hello")});
    EXPECT_EQ(port.openArguments().value(0), QStringLiteral("2"));
    EXPECT_EQ(session.settings.LastUnitId, 9);

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()) << "no way out while the greeting runs";
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 20000));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(prompts.shown().back().text, QStringLiteral("Cannot connect MQX-T410(ID=9)"));
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
    ConnectDialog dialog(procedure, 1, 1);
    dialog.show();
    const auto scanEnded = [&] { return !dialog.isScanning(); };

    // Stopped at once: Escape stops the scan and leaves the dialog open.
    dialog.findButton()->click();
    EXPECT_EQ(dialog.findButton()->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    ASSERT_TRUE(clock.runUntil(scanEnded, 5000));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.scanLabel()->text(), QStringLiteral("Stopped after ID 01."));

    dialog.findButton()->click();
    ASSERT_TRUE(clock.runUntil(scanEnded, 60000));
    EXPECT_EQ(dialog.findButton()->text(), QStringLiteral("Find units"));
    ASSERT_EQ(dialog.foundList()->count(), 2);
    EXPECT_TRUE(dialog.foundList()->item(1)->text().startsWith(QStringLiteral("ID 17  ")));
    dialog.foundList()->setCurrentRow(1);
    EXPECT_EQ(dialog.unitList()->currentRow(), 16);
    dialog.okButton()->click();
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 20000));
    EXPECT_EQ(procedure.outcome(), ProcedureOutcome::Ok);
    EXPECT_EQ(session.ConnectedUnitId, 17);

    // A line without units says so.
    sim::UnitSimulator empty(std::vector<int>{});
    sim::SimulatedLine emptyLine{empty, clock, &clock};
    LinkEngine emptyEngine{emptyLine, clock, session};
    ConnectProcedure again(session, emptyEngine, prompts, clock);
    ConnectDialog quiet(again, 2, 1);
    quiet.show();
    quiet.findButton()->click();
    ASSERT_TRUE(clock.runUntil([&] { return !quiet.isScanning(); }, 60000));
    EXPECT_EQ(quiet.foundList()->count(), 0);
    EXPECT_EQ(quiet.scanLabel()->text(),
              QStringLiteral("No MQX-T410 answered on COM 2 (IDs 01 to 99)."));
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

    ConnectDialog plain(procedure, 1, 1);
    EXPECT_EQ(plain.deviceLabel()->text(), QString());
}

TEST_F(DialogTest, InformationBoxKeepsOnlyWhatTheLineCarries) {
    connectUnit(3);
    DeviceInfoProcedure procedure(DeviceInfoMode::Edit, session, engine, prompts, clock);
    DeviceInfoDialog dialog(procedure, 3, QByteArray("Main"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Device Information"));
    EXPECT_TRUE(labelTexts(dialog).contains(QStringLiteral("MQX-T410 ID")));
    EXPECT_EQ(dialog.unitBox()->text(), QStringLiteral("03"));
    EXPECT_TRUE(dialog.unitBox()->isReadOnly());
    EXPECT_FALSE(dialog.textBox()->isReadOnly());
    dialog.show();

    QPlainTextEdit* box = dialog.textBox();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, QStringLiteral(" (A~B"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Main AB"));
    EXPECT_EQ(box->textCursor().position(), 7);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Main AB"));

    QTextCursor caret = box->textCursor();
    caret.setPosition(2);
    box->setTextCursor(caret);
    QTest::keyClicks(box, QStringLiteral("(x"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("Maxin AB"));
    EXPECT_EQ(box->textCursor().position(), 3) << "the caret stays where the operator typed";

    box->selectAll();
    box->insertPlainText(QString(300, u'z')); // as a paste arrives
    EXPECT_EQ(box->toPlainText(), QString(256, u'z'));

    dialog.okButton()->click();
    dialog.okButton()->click();
    EXPECT_EQ(written(), QStringList{QStringLiteral("(03Yzzzzzz")});
}

TEST_F(DialogTest, InformationInConnectionModeIsReadOnlyAndCancelSaysBye) {
    connectUnit(1);
    DeviceInfoProcedure procedure(DeviceInfoMode::Connection, session, engine, prompts, clock);
    DeviceInfoDialog dialog(procedure, 1, QByteArray("Unit text").leftJustified(256, '.'));
    EXPECT_TRUE(dialog.textBox()->isReadOnly());
    EXPECT_TRUE(dialog.textBox()->toPlainText().startsWith(QStringLiteral("Unit text....")));
    dialog.open();
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible()) << "it closes once bye has been answered";
    ASSERT_TRUE(clock.runUntil([&] { return procedure.hasEnded(); }, 5000));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(written(), QStringList{QStringLiteral("(01bye")});
    EXPECT_FALSE(port.isOpen());
}

TEST_F(DialogTest, PanelLockPreselectsTheKnownStateAndWaitsForAClick) {
    connectUnit(1);
    struct Case {
        char state;
        bool no, yes;
    };
    for (const Case c : {Case{'E', true, false}, Case{'D', false, true}, Case{'?', false, false}}) {
        PanelLockProcedure procedure(session, engine, prompts, clock);
        PanelLockDialog dialog(procedure, c.state);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Panel Operation Lock"));
        EXPECT_EQ(dialog.noButton()->text(), QStringLiteral("Pannel Lock = No"));
        EXPECT_EQ(dialog.yesButton()->text(), QStringLiteral("Pannel Lock = Yes"));
        EXPECT_EQ(dialog.noButton()->isChecked(), c.no);
        EXPECT_EQ(dialog.yesButton()->isChecked(), c.yes);
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.show();
        EXPECT_GE(dialog.width(), TitleBarWidth(dialog)) << "a window manager would cut the title";
        QTest::mouseClick(dialog.yesButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        EXPECT_TRUE(dialog.yesButton()->isChecked());
    }
    PanelLockProcedure procedure(session, engine, prompts, clock);
    PanelLockDialog dialog(procedure, 'E');
    dialog.show();
    QTest::mouseClick(dialog.yesButton(), Qt::LeftButton);
    dialog.okButton()->click();
    QTest::mouseClick(dialog.noButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a choice does not re-arm a running lock";
    dialog.okButton()->click();
    EXPECT_EQ(written(), QStringList{QStringLiteral("(01CD")});
}

TEST_F(DialogTest, SelectDataStartsWithNoDirectionAndCancelStopsTheTransfer) {
    connectUnit(1);
    SelectDataProcedure procedure(session, engine, prompts, clock);
    SelectDataDialog dialog(procedure);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Data"));
    EXPECT_EQ(dialog.uploadButton()->text(), QStringLiteral("Upload Data from PC to MQX-T410"));
    EXPECT_EQ(dialog.downloadButton()->text(), QStringLiteral("Download Data from MQX-T410 to PC"));
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
    EXPECT_FALSE(port.isOpen());
}

TEST_F(DialogTest, DisconnectAsksAndCancelSendsNothing) {
    connectUnit(1);
    DisconnectProcedure procedure(session, engine, prompts, clock);
    DisconnectDialog dialog(procedure);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Disconnect"));
    EXPECT_EQ(labelTexts(dialog),
              QStringList{QStringLiteral("Are you sure you want to disconnect?")});
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
    cancelNextDialog();
    window.action(MenuId::Disconnect)->trigger();
    cancelNextDialog();
    window.action(MenuId::Information)->trigger();
    cancelNextDialog();
    window.action(MenuId::PanelLock)->trigger();
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

#include "connection/connect_dialog.h"
#include "connection/connect_procedure.h"
#include "connection/device_info_dialog.h"
#include "connection/device_info_procedure.h"
#include "connection/panel_lock_dialog.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_dialog.h"
#include "connection/select_data_procedure.h"
#include "link/title_width.h"
#include "unit_bench.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace mqx::test {
namespace {

struct DialogTest : UnitBench {
    DialogTest() : UnitBench({1, 3, 17}) {}
};

TEST_F(DialogTest, ConnectOffersFourPortsWithTheirDevicesAndNinetyNineUnitsAndActsOnce) {
    ConnectProcedure procedure(session, engine, prompts, clock);
    EXPECT_EQ(ConnectDialog(procedure, 1, 1).deviceLabel()->text(), QString());
    const QStringList devices{"/dev/ttyUSB0 (FT232R USB UART)", "/dev/ttyS1 (not found)",
                              "/tmp/mqx-port", "/dev/ttyS3"};
    ConnectDialog dialog(procedure, 3, 12, nullptr, devices);
    const QComboBox& ports = *dialog.portBox();
    EXPECT_EQ(std::tuple(ports.count(), ports.itemText(0), ports.currentText()),
              std::tuple(4, " COM 1", " COM 3"));
    EXPECT_EQ(dialog.deviceLabel()->text(), devices[2]);
    const QListWidget& units = *dialog.unitList();
    EXPECT_EQ(std::tuple(units.count(), units.item(8)->text(), units.currentItem()->text()),
              std::tuple(99, " ID 09", " ID 12"));
    dialog.open();
    // The open list shows every entry's device beside it, so it is wider than the names.
    const QAbstractItemView* list = ports.view();
    const int nameOnly = list->fontMetrics().horizontalAdvance(QStringLiteral(" COM 1"));
    for (int row = 0; row < 4; ++row)
        EXPECT_GT(list->sizeHintForIndex(list->model()->index(row, 0)).width(),
                  nameOnly + list->fontMetrics().horizontalAdvance(devices[row]))
            << row;
    dialog.unitList()->setCurrentRow(8);
    QTest::keyClick(dialog.portBox(), Qt::Key_Up);
    EXPECT_EQ(dialog.deviceLabel()->text(), devices[1]);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    dialog.okButton()->click();
    EXPECT_EQ(session.settings.LastPort, 2);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()) << "no way out while the greeting runs";
    ASSERT_TRUE(runToEnd(procedure));
    EXPECT_EQ(requests(), QStringList{QStringLiteral("(09hello")}) << "OK acts once";
    EXPECT_EQ(std::pair(dialog.isVisible(), dialog.result()),
              std::pair(false, int(QDialog::Rejected)));
}

TEST_F(DialogTest, ConnectFindListsTheUnitsThatAnswerAndPicksOne) {
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
    sim.setFault(sim::UnitCommand::Hello, {K::Silent});
    EXPECT_EQ(scan(false), QStringLiteral("No MQX-T410 answered on COM 2 (IDs 01 to 99)."));
    sim.clearFaults();
    scan(false);
    ASSERT_EQ(dialog.foundList()->count(), 3);
    EXPECT_TRUE(dialog.foundList()->item(2)->text().startsWith(QStringLiteral("ID 17  ")));
    dialog.foundList()->setCurrentRow(2);
    EXPECT_EQ(dialog.unitList()->currentRow(), 16);
    dialog.okButton()->click();
    EXPECT_TRUE(runToEnd(procedure) && session.ConnectedUnitId == 17);
}

TEST_F(DialogTest, InformationBoxKeepsOnlyWhatTheLineCarries) {
    openLine(3);
    DeviceInfoProcedure procedure(DeviceInfoMode::Edit, session, engine, prompts, clock);
    DeviceInfoDialog dialog(procedure, 3, QByteArray("Main"));
    EXPECT_EQ(std::tuple(dialog.unitBox()->text(), dialog.unitBox()->isReadOnly(),
                         dialog.textBox()->isReadOnly()),
              std::tuple("03", true, false));
    dialog.show();
    QPlainTextEdit* box = dialog.textBox();
    QTextCursor caret = box->textCursor();
    caret.setPosition(2);
    box->setTextCursor(caret);
    QTest::keyClicks(box, QStringLiteral("(x~"));
    EXPECT_EQ(std::pair(box->toPlainText(), box->textCursor().position()),
              std::pair(QStringLiteral("Maxin"), 3));
    box->selectAll();
    box->insertPlainText(QString(300, u'z')); // as a paste arrives
    EXPECT_EQ(box->toPlainText(), QString(256, u'z'));
    dialog.okButton()->click();
    dialog.okButton()->click();
    clock.advance(200); // the unit has the frame once the line has carried it
    EXPECT_EQ(requests(), QStringList{QStringLiteral("(03Yzzzz")});

    openLine(1);
    DeviceInfoProcedure shown(DeviceInfoMode::Connection, session, engine, prompts, clock);
    DeviceInfoDialog connection(shown, 1, QByteArray(256, '.'));
    connection.open();
    QTest::mouseClick(connection.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(connection.textBox()->isReadOnly() && connection.isVisible()) << "waits for bye";
    EXPECT_TRUE(runToEnd(shown) && connection.result() == QDialog::Rejected);
}

TEST_F(DialogTest, PanelLockPreselectsTheKnownStateAndWaitsForAClick) {
    openLine(1);
    for (const char state : {'E', 'D', '?'}) {
        PanelLockProcedure procedure(session, engine, prompts, clock);
        PanelLockDialog dialog(procedure, state);
        EXPECT_EQ(std::tuple(dialog.noButton()->isChecked(), dialog.yesButton()->isChecked(),
                             dialog.okButton()->isEnabled()),
                  std::tuple(state == 'E', state == 'D', false));
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
        clock.advance(10);
        EXPECT_EQ(requests(), QStringList{QStringLiteral("(01CD")});
    }
}

TEST_F(DialogTest, SelectDataStartsWithNoDirectionAndCancelStopsTheTransfer) {
    openLine(1);
    SelectDataProcedure procedure(session, engine, prompts, clock);
    SelectDataDialog dialog(procedure);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Data"));
    EXPECT_EQ(std::tuple(dialog.uploadButton()->isChecked(), dialog.downloadButton()->isChecked(),
                         dialog.okButton()->isEnabled()),
              std::tuple(false, false, false));
    dialog.open();
    QTest::mouseClick(dialog.downloadButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    ASSERT_TRUE(dialog.cancelButton()->isEnabled()) << "a running transfer can be stopped";
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    clock.advance(3000);
    sim.takeOutput(clock.nowMs()); // lets the unit take the last frame as ended
    EXPECT_EQ(requests(), (QStringList{"(01Q000", "(01bye"}));
    EXPECT_EQ(std::pair(dialog.isVisible(), dialog.result()),
              std::pair(false, int(QDialog::Rejected)));
}

} // namespace
} // namespace mqx::test

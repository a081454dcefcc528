// The Ports dialog (its first look is its reference picture; the saving, the port map's test).

#include "link/ports_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace mqx;

namespace {

PortCatalog adapters() {
    return PortCatalog({{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A12345"},
                        {"/dev/ttyUSB1", "USB-Serial Controller", "Prolific", ""}});
}

} // namespace

TEST(PortsDialog, TheBoxesStepThroughTheirChoicesAndTheChoiceGoesBack) {
    PortMap map;
    map.setDevicePath(2, "/dev/ttyUSB1");
    PortsDialog dialog(map, adapters());
    dialog.show();
    // COM1 offers the two adapters before its own device; the arrows step through them.
    QComboBox* com1 = dialog.comBox(1);
    QTest::keyClick(com1->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(com1->currentText(), "/dev/ttyUSB1");
    QTest::keyClick(com1->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(dialog.comLabel(1)->text(), "/dev/ttyUSB0 (FT232R USB UART)");
    QTest::keyClick(com1->lineEdit(), Qt::Key_Down);
    QTest::keyClick(dialog.comBox(2)->lineEdit(), Qt::Key_Up);

    // A typed name is a device of /dev; a cleared box gives the default back.
    QLineEdit* com3 = dialog.comBox(3)->lineEdit();
    com3->selectAll();
    QTest::keyClicks(com3, "ttyACM5");
    EXPECT_EQ(dialog.comLabel(3)->text(), "/dev/ttyACM5 (not found)");
    dialog.comBox(4)->lineEdit()->clear();

    const PortMap chosen = dialog.portMap();
    EXPECT_EQ(QStringList({chosen.devicePath(1), chosen.devicePath(2), chosen.devicePath(3),
                           chosen.devicePath(4)}),
              QStringList({"/dev/ttyUSB1", "/dev/ttyUSB0", "/dev/ttyACM5", "/dev/ttyS3"}));
}

TEST(PortsDialog, TabGoesInReadingOrder) {
    PortsDialog dialog(PortMap(), adapters());
    dialog.show();
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    std::vector<QWidget*> order{dialog.portTable()};
    for (int n = 1; n <= 4; ++n)
        order.push_back(dialog.comBox(n));
    order.insert(order.end(), {buttons->button(QDialogButtonBox::Ok),
                               buttons->button(QDialogButtonBox::Cancel), dialog.portTable()});
    dialog.portTable()->setFocus(Qt::TabFocusReason);
    for (QWidget* expected : order) {
        // An editable box's line edit takes the focus for it.
        QWidget* focus = dialog.focusWidget();
        auto* box = qobject_cast<QComboBox*>(focus->parentWidget());
        ASSERT_EQ(box != nullptr ? box : focus, expected);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
}

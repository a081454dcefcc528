// The Ports dialog under the offscreen platform: what it lists, the boxes stepping with
// the arrow keys and taking typed paths, the reading order of Tab, and the choice going
// back to the caller (which saves it: tests of the port map).

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

QWidget* focusOwner(QWidget* widget) {
    // An editable box's line edit takes the focus for it.
    auto* box = qobject_cast<QComboBox*>(widget->parentWidget());
    return box != nullptr ? box : widget;
}

} // namespace

TEST(PortsDialog, ListsThePortsAndMapsEachComNumber) {
    PortMap map;
    map.setDevicePath(2, "/dev/ttyUSB1");
    PortsDialog dialog(map, adapters());
    EXPECT_EQ(dialog.windowTitle(), "Ports");

    QTableWidget* table = dialog.portTable();
    ASSERT_EQ(table->rowCount(), 2);
    QStringList cells;
    for (int i = 0; i < 8; ++i)
        cells << table->item(i / 4, i % 4)->text();
    EXPECT_EQ(cells.join(u'|'), "/dev/ttyUSB0|FT232R USB UART|FTDI|A12345|"
                                "/dev/ttyUSB1|USB-Serial Controller|Prolific|");

    EXPECT_EQ(dialog.comBox(1)->currentText(), "/dev/ttyS0");
    EXPECT_EQ(dialog.comBox(2)->currentText(), "/dev/ttyUSB1");
    EXPECT_EQ(dialog.comLabel(2)->text(), "/dev/ttyUSB1 (USB-Serial Controller)");

    dialog.show();
    // COM1 offers the two adapters before its own device; the arrows step through them.
    QComboBox* com1 = dialog.comBox(1);
    QTest::keyClick(com1->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(com1->currentText(), "/dev/ttyUSB1");
    QTest::keyClick(com1->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(com1->currentText(), "/dev/ttyUSB0");
    EXPECT_EQ(dialog.comLabel(1)->text(), "/dev/ttyUSB0 (FT232R USB UART)");
    QTest::keyClick(com1->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(com1->currentText(), "/dev/ttyUSB1");
    QTest::keyClick(dialog.comBox(2)->lineEdit(), Qt::Key_Up);
    EXPECT_EQ(dialog.comBox(2)->currentText(), "/dev/ttyUSB0");

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
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        ASSERT_EQ(focusOwner(dialog.focusWidget()), order[i]) << i;
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(focusOwner(dialog.focusWidget()), order.back());
}

#pragma once
// "Ports": the serial ports this machine has, and which of them COM1..COM4 open. Each COM
// box offers the ports found and takes a typed path (a /dev/serial/by-id/... link, the
// pseudo-terminal of mqx-sim). The caller writes portMap() to the settings on OK.

#include "link/port_catalog.h"
#include "link/port_map.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QTableWidget;

namespace mqx {

class PortsDialog : public QDialog {
public:
    PortsDialog(const PortMap& map, PortCatalog catalog, QWidget* parent = nullptr);

    // COM1..COM4 as the boxes now say.
    PortMap portMap() const;

    QTableWidget* portTable() const { return m_table; }
    QComboBox* comBox(int number) const;
    QLabel* comLabel(int number) const;

private:
    PortCatalog m_catalog;
    QTableWidget* m_table = nullptr;
    std::array<QComboBox*, PortMap::kPortCount> m_boxes{};
    std::array<QLabel*, PortMap::kPortCount> m_labels{};
};

} // namespace mqx

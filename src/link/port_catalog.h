#pragma once
// The serial ports this machine has, as the operator needs to see them to choose one:
// the Ports dialog lists them and offers them for COM1..COM4, the Connect dialog says what
// each COM number stands for, and `mqxtool ports` prints the same. The list is taken
// once (present()) and can be made up in tests.

#include "link/port_map.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace mqx {

struct SerialPortEntry {
    QString device; // the path to open, e.g. /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
};

class PortCatalog {
public:
    PortCatalog() = default;
    explicit PortCatalog(std::vector<SerialPortEntry> ports);
    // The ports QSerialPortInfo finds now, ordered by device.
    static PortCatalog present();

    const std::vector<SerialPortEntry>& ports() const { return m_ports; }
    // The port `path` opens (the device itself or a link to it), or nullptr.
    const SerialPortEntry* find(const QString& path) const;
    // `path` with what it is: "/dev/ttyUSB0 (FT232R USB UART)" for a port found, the bare
    // path for another device that exists (a pseudo-terminal), "/dev/ttyS3 (not found)".
    QString describe(const QString& path) const;
    // What COM `number` can be set to: every port found, then its present device when that
    // is not one of them by name.
    QStringList choices(const PortMap& map, int number) const;
    // The ports found, one a line in columns, then what COM1..COM4 stand for.
    QString listing(const PortMap& map) const;

private:
    std::vector<SerialPortEntry> m_ports;
};

} // namespace mqx

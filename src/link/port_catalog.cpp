#include "link/port_catalog.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace mqx {
namespace {

// Links such as /dev/serial/by-id/... name the same device as the path they point to.
QString canonical(const QString& path) {
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

QString columns(const QStringList& cells, const std::vector<qsizetype>& widths) {
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i)
        line += i + 1 < cells.size()
                    ? cells[i].leftJustified(widths[static_cast<std::size_t>(i)] + 2)
                    : cells[i];
    return line.trimmed() + QLatin1Char('\n');
}

} // namespace

PortCatalog::PortCatalog(std::vector<SerialPortEntry> ports) : m_ports(std::move(ports)) {
    std::sort(
        m_ports.begin(), m_ports.end(),
        [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.device < b.device; });
}

PortCatalog PortCatalog::present() {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back(
            {info.systemLocation(), info.description(), info.manufacturer(), info.serialNumber()});
    return PortCatalog(std::move(ports));
}

const SerialPortEntry* PortCatalog::find(const QString& path) const {
    const QString wanted = canonical(path);
    for (const SerialPortEntry& port : m_ports)
        if (port.device == path || canonical(port.device) == wanted)
            return &port;
    return nullptr;
}

QString PortCatalog::describe(const QString& path) const {
    if (const SerialPortEntry* port = find(path)) {
        const QString what = !port->description.isEmpty() ? port->description : port->manufacturer;
        return what.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, what);
    }
    if (QFileInfo::exists(path))
        return path;
    return QStringLiteral("%1 (not found)").arg(path);
}

QStringList PortCatalog::choices(const PortMap& map, int number) const {
    QStringList offered;
    for (const SerialPortEntry& port : m_ports)
        offered << port.device;
    const QString current = map.devicePath(number);
    // A link to a port found stays as the operator gave it: it survives renumbering.
    if (!current.isEmpty() && !offered.contains(current))
        offered << current;
    return offered;
}

QString PortCatalog::listing(const PortMap& map) const {
    QString text;
    if (m_ports.empty()) {
        text += QStringLiteral("No serial ports found.\n");
    } else {
        std::vector<QStringList> rows{{QStringLiteral("Device"), QStringLiteral("Description"),
                                       QStringLiteral("Manufacturer"),
                                       QStringLiteral("Serial number")}};
        for (const SerialPortEntry& p : m_ports)
            rows.push_back({p.device, p.description, p.manufacturer, p.serialNumber});
        std::vector<qsizetype> widths(4, 0);
        for (const QStringList& row : rows)
            for (std::size_t i = 0; i < widths.size(); ++i)
                widths[i] = std::max(widths[i], row[static_cast<qsizetype>(i)].size());
        for (const QStringList& row : rows)
            text += columns(row, widths);
    }
    text += QLatin1Char('\n');
    for (int n = 1; n <= PortMap::kPortCount; ++n)
        text += QStringLiteral("COM%1  %2\n").arg(n).arg(describe(map.devicePath(n)));
    return text;
}

} // namespace mqx

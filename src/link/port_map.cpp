#include "link/port_map.h"

#include "core/app_settings.h"

#include <QDir>
#include <QSettings>

namespace mqx {

namespace {

QString groupName() {
    return QStringLiteral("Ports");
}

QString keyOf(int number) {
    return QStringLiteral("COM%1").arg(number);
}

QString settingsFile(const QString& folder) {
    return QDir(folder).filePath(QLatin1StringView(kSettingsFileName));
}

} // namespace

PortMap PortMap::fromSettings(QSettings& settings) {
    PortMap map;
    settings.beginGroup(groupName());
    for (int n = 1; n <= kPortCount; ++n) {
        const QString path = settings.value(keyOf(n)).toString().trimmed();
        if (!path.isEmpty())
            map.setDevicePath(n, path);
    }
    settings.endGroup();
    return map;
}

void PortMap::writeTo(QSettings& settings) const {
    settings.beginGroup(groupName());
    for (int n = 1; n <= kPortCount; ++n)
        settings.setValue(keyOf(n), devicePath(n));
    settings.endGroup();
}

PortMap PortMap::load(const QString& settingsFolder) {
    QSettings ini(settingsFile(settingsFolder), QSettings::IniFormat);
    return fromSettings(ini);
}

bool PortMap::save(const QString& settingsFolder) const {
    if (!QDir().mkpath(settingsFolder))
        return false;
    QSettings ini(settingsFile(settingsFolder), QSettings::IniFormat);
    writeTo(ini);
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString PortMap::defaultPath(int number) {
    return PortMap().devicePath(number);
}

QString PortMap::typedDevicePath(const QString& typed, int number) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return defaultPath(number);
    if (!text.contains(QLatin1Char('/')))
        return QStringLiteral("/dev/") + text;
    return text;
}

int PortMap::portNumber(const QString& portText) {
    bool ok = false;
    const int n = portText.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= kPortCount ? n : 1;
}

QString PortMap::resolve(const QString& portText) const {
    if (portText.contains(QLatin1Char('/')))
        return portText;
    return devicePath(portNumber(portText));
}

QString PortMap::devicePath(int number) const {
    return number >= 1 && number <= kPortCount ? m_paths[static_cast<size_t>(number - 1)]
                                               : QString();
}

void PortMap::setDevicePath(int number, const QString& path) {
    if (number >= 1 && number <= kPortCount)
        m_paths[static_cast<size_t>(number - 1)] = path;
}

} // namespace mqx

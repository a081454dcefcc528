#pragma once
// Which device a COM port number opens. The operator picks COM1..COM4, as on the unit's
// own documentation; the "Ports" section of the settings file says which device each one
// is on this machine:
//
//   [Ports]
//   COM1=/dev/ttyS0
//   COM2=/dev/ttyUSB0
//
// Ports the section does not name keep the defaults /dev/ttyS0, /dev/ttyS1, /dev/ttyS2 and
// /dev/ttyS3, the first four serial ports of a PC. A port text that contains "/" is a
// device path and is used as it is (a USB adapter's /dev/serial/by-id/... link, or the
// pseudo-terminal of mqx-sim); any other text that is not 1..4 opens COM1.

#include <QString>

#include <array>

class QSettings;

namespace mqx {

class PortMap {
public:
    static constexpr int kPortCount = 4;

    // The defaults, overridden by whatever the "Ports" section of `settings` holds.
    static PortMap fromSettings(QSettings& settings);
    // Writes all four paths into the "Ports" section, so the operator finds them to edit.
    void writeTo(QSettings& settings) const;
    // The same through the controller's settings file in `settingsFolder`; save keeps the
    // file's other sections and returns false when the file could not be written.
    static PortMap load(const QString& settingsFolder);
    bool save(const QString& settingsFolder) const;

    // The device an operator's typed text names: a bare name such as "ttyUSB0" is a device
    // of /dev, and a blank text gives COM `number` its default back.
    static QString typedDevicePath(const QString& typed, int number);
    static QString defaultPath(int number);

    // The device path for a COM number text or a device path.
    QString resolve(const QString& portText) const;
    // The COM number a port text stands for: 1..4, with anything else taken as 1.
    static int portNumber(const QString& portText);

    QString devicePath(int number) const;
    void setDevicePath(int number, const QString& path);

private:
    std::array<QString, kPortCount> m_paths{
        QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1"), QStringLiteral("/dev/ttyS2"),
        QStringLiteral("/dev/ttyS3")};
};

} // namespace mqx

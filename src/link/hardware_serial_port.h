#pragma once
// The real RS-232 port, through QSerialPort. Opened with a COM number text (mapped to a
// device by PortMap) or a device path. Set-up failures are shown to the operator under
// "Communicate Set up Error!" with the step that failed, plus a line naming the device and
// the system's reason, since on Linux a missing group membership ("Permission denied") is
// the first thing a new user meets; that reason is followed by the group to join.

#include "link/port_map.h"
#include "link/serial_port.h"

#include <QElapsedTimer>
#include <QSerialPort>

namespace mqx {

class Prompts;

class HardwareSerialPort : public SerialPort {
public:
    HardwareSerialPort(Prompts& prompts, PortMap ports = {});
    ~HardwareSerialPort() override;

    int Open(const QString& port, const QString& baud, const QString& parity,
             const QString& dataBits, const QString& stopBits) override;
    QByteArray Read(int maximum, bool* ok = nullptr) override;
    int Write(QByteArrayView frame) override;
    void PurgeInput() override;
    void Close() override;
    bool isOpen() const override { return m_port.isOpen(); }
    qint64 bytesToWrite() const override;
    void setFaultHandler(std::function<void()> handler) override;
    void setArrivalHandler(std::function<void()> handler) override;

    // Shows label + ": " + the reason for `code`, and `detail` on a line of its own when
    // there is one, then clears the port's error state.
    void ReportError(const QString& label, int code, const QString& detail = {});
    // The reason text of a driver error code: -1 settings refused, 1 receive overflow,
    // 256 transmit overflow, anything else a general failure.
    static QString errorReason(int code);

    // What COM1..COM4 open from the next Open on.
    void setPortMap(const PortMap& ports) { m_ports = ports; }

    // The device the last Open went to, and its line settings.
    QString devicePath() const { return m_devicePath; }
    const QSerialPort& device() const { return m_port; }

    // The line settings as the settings texts give them: parity 0 none, 1 odd, 2 even;
    // stop bits 1 or 2; data bits 5..8. Anything else gives none, one and eight.
    static QSerialPort::Parity parityFor(const QString& text);
    static QSerialPort::StopBits stopBitsFor(const QString& text);
    static QSerialPort::DataBits dataBitsFor(const QString& text);

private:
    void onError(QSerialPort::SerialPortError error);
    bool isHungUp() const;

    Prompts& m_prompts;
    PortMap m_ports;
    QString m_devicePath;
    QSerialPort m_port;
    std::function<void()> m_faultHandler;
    std::function<void()> m_arrivalHandler;
    // When the characters written so far have all left at the line's rate, on m_since.
    QElapsedTimer m_since;
    qint64 m_lineFreeNs = 0;
};

} // namespace mqx

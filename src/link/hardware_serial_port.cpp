#include "link/hardware_serial_port.h"

#include "core/prompts.h"
#include "link/permission_hint.h"

#include <algorithm>

#ifdef Q_OS_UNIX
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace mqx {

namespace {

// Longest a frame may take to reach the driver; at 19200 baud the longest frame, a whole
// program, needs about half a second on the wire.
constexpr int kWriteTimeoutMs = 3000;

int numberOf(const QString& text) {
    return text.trimmed().toInt();
}

constexpr qint64 kNsPerCharacter = 1000000000 / kLineCharactersPerSecond;

} // namespace

HardwareSerialPort::HardwareSerialPort(Prompts& prompts, PortMap ports)
    : m_prompts(prompts), m_ports(std::move(ports)) {
    m_since.start();
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
    // Queued: ready-read is also emitted from inside our own Read and Write (their waits
    // take in what the driver holds), and the handler must never run inside a port call.
    QObject::connect(
        &m_port, &QSerialPort::readyRead, &m_port,
        [this] {
            if (m_arrivalHandler && m_port.isOpen())
                m_arrivalHandler();
        },
        Qt::QueuedConnection);
}

void HardwareSerialPort::setArrivalHandler(std::function<void()> handler) {
    m_arrivalHandler = std::move(handler);
}

void HardwareSerialPort::setFaultHandler(std::function<void()> handler) {
    m_faultHandler = std::move(handler);
}

void HardwareSerialPort::onError(QSerialPort::SerialPortError error) {
    // The device gone: an adapter pulled out (the driver's EIO, a resource error) or the
    // far end of a pseudo-terminal closed (the read finds the end of the line, which
    // QSerialPort calls a read error). A read that merely found nothing, because we had
    // taken it first, is a resource error too; the hang-up the driver shows tells them
    // apart. A device that has gone does not come back by itself.
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
        return;
    if (isHungUp() && m_faultHandler)
        m_faultHandler();
}

bool HardwareSerialPort::isHungUp() const {
#ifdef Q_OS_UNIX
    pollfd state{static_cast<int>(m_port.handle()), POLLIN, 0};
    return ::poll(&state, 1, 0) > 0 && (state.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    return true;
#endif
}

qint64 HardwareSerialPort::bytesToWrite() const {
    if (!m_port.isOpen())
        return 0;
    qint64 queued = m_port.bytesToWrite();
#ifdef Q_OS_UNIX
    int driver = 0;
    if (::ioctl(m_port.handle(), TIOCOUTQ, &driver) == 0)
        queued += driver;
#endif
    // A pseudo-terminal or an adapter with a buffer of its own takes the frame at once,
    // yet the line carries it no faster than its rate.
    const qint64 aheadNs = m_lineFreeNs - m_since.nsecsElapsed();
    const qint64 onWire = aheadNs > 0 ? (aheadNs + kNsPerCharacter - 1) / kNsPerCharacter : 0;
    return std::max(queued, onWire);
}

HardwareSerialPort::~HardwareSerialPort() {
    Close();
}

QSerialPort::Parity HardwareSerialPort::parityFor(const QString& text) {
    switch (numberOf(text)) {
    case 1:
        return QSerialPort::OddParity;
    case 2:
        return QSerialPort::EvenParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits HardwareSerialPort::stopBitsFor(const QString& text) {
    return numberOf(text) == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
}

QSerialPort::DataBits HardwareSerialPort::dataBitsFor(const QString& text) {
    switch (numberOf(text)) {
    case 5:
        return QSerialPort::Data5;
    case 6:
        return QSerialPort::Data6;
    case 7:
        return QSerialPort::Data7;
    default:
        return QSerialPort::Data8;
    }
}

int HardwareSerialPort::Open(const QString& port, const QString& baud, const QString& parity,
                             const QString& dataBits, const QString& stopBits) {
    Close();
    const QString path = m_ports.resolve(port);
    m_devicePath = path;
    m_port.setPortName(path);
    auto reasonLine = [&] { return path + QStringLiteral(": ") + m_port.errorString(); };

    if (!m_port.open(QIODevice::ReadWrite)) {
        QString detail = reasonLine();
        if (const QString hint = PermissionHint(path); !hint.isEmpty())
            detail += QLatin1Char('\n') + hint;
        ReportError(QStringLiteral("CreatFile0"), 0, detail);
        Close();
        return -1;
    }
    m_port.setReadBufferSize(0); // Read hands out at most what the caller asks for anyway
    m_port.clear(QSerialPort::AllDirections);

    const bool applied =
        m_port.setBaudRate(numberOf(baud)) && m_port.setParity(parityFor(parity)) &&
        m_port.setDataBits(dataBitsFor(dataBits)) && m_port.setStopBits(stopBitsFor(stopBits));
    if (!applied) {
        ReportError(QStringLiteral("SetCommState"), 0, reasonLine());
        Close();
        return -1;
    }

    // A pseudo-terminal (mqx-sim) has no modem lines; the unit does not need DTR to answer.
    m_port.setDataTerminalReady(true);
    m_port.clearError();
    m_port.clear(QSerialPort::Output);
    m_port.clear(QSerialPort::Input);
    return 0;
}

QByteArray HardwareSerialPort::Read(int maximum, bool* ok) {
    if (ok)
        *ok = m_port.isOpen();
    if (!m_port.isOpen() || maximum <= 0)
        return {};
    // Collect whatever the driver holds now, without waiting for more. Without this the
    // bytes would reach QSerialPort only when the event loop next looks at the port.
    m_port.waitForReadyRead(0);
    const QSerialPort::SerialPortError error = m_port.error();
    if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError) {
        m_port.clear(QSerialPort::Output);
        m_port.clearError();
        if (ok)
            *ok = false;
        return {};
    }
    m_port.clearError();
    return m_port.read(maximum);
}

int HardwareSerialPort::Write(QByteArrayView frame) {
    if (!m_port.isOpen())
        return -1;
    const qint64 written = m_port.write(frame.data(), frame.size());
    bool sent = written == frame.size();
    while (sent && m_port.bytesToWrite() > 0)
        sent = m_port.waitForBytesWritten(kWriteTimeoutMs);
    if (!sent) {
        m_port.clear(QSerialPort::Output);
        m_port.clearError();
        return -1;
    }
    m_lineFreeNs = std::max(m_lineFreeNs, m_since.nsecsElapsed()) + frame.size() * kNsPerCharacter;
    return 0;
}

void HardwareSerialPort::PurgeInput() {
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

void HardwareSerialPort::Close() {
    m_lineFreeNs = 0;
    if (!m_port.isOpen())
        return;
    m_port.clear(QSerialPort::Output);
    m_port.close();
}

QString HardwareSerialPort::errorReason(int code) {
    switch (code) {
    case -1:
        return QStringLiteral("Change for DCB was failure");
    case 1:
        return QStringLiteral("Receive data was over flow.");
    case 256:
        return QStringLiteral("Transmit data was over flow.");
    default:
        return QStringLiteral("Communicate Error!");
    }
}

void HardwareSerialPort::ReportError(const QString& label, int code, const QString& detail) {
    QString text = label + QStringLiteral(": ") + errorReason(code);
    if (!detail.isEmpty())
        text += QLatin1Char('\n') + detail;
    m_prompts.message(QStringLiteral("Communicate Set up Error!"), text, PromptIcon::Exclamation);
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Output);
    m_port.clearError();
}

} // namespace mqx

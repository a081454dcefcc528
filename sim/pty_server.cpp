#include "pty_server.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace mqx::sim {
namespace {

QString lastError(const char* step) {
    return QStringLiteral("%1: %2").arg(QLatin1StringView(step),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyServer::PtyServer(UnitSimulator& simulator, const Clock& clock, QObject* parent)
    : QObject(parent), m_simulator(simulator), m_clock(clock) {
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &PtyServer::flushOutput);
}

PtyServer::~PtyServer() {
    m_notifier.reset();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyServer::open(QString* error) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        *error = lastError("posix_openpt");
        return false;
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        *error = lastError("grantpt/unlockpt");
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (!name) {
        *error = lastError("ptsname");
        return false;
    }
    m_devicePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        *error = lastError("open device side");
        return false;
    }
    // Raw: no echo (the units would hear their own answers), no line editing, no
    // translation of CR and LF, 8 bits.
    termios settings{};
    if (::tcgetattr(m_slave, &settings) != 0) {
        *error = lastError("tcgetattr");
        return false;
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B19200);
    ::cfsetospeed(&settings, B19200);
    if (::tcsetattr(m_slave, TCSANOW, &settings) != 0) {
        *error = lastError("tcsetattr");
        return false;
    }
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);

    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyServer::readMaster);
    m_poll.start();
    return true;
}

void PtyServer::readMaster() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            m_simulator.receive(QByteArrayView(buffer, n), m_clock.nowMs());
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: all read. EIO cannot happen while the device side is held open.
        return;
    }
}

void PtyServer::flushOutput() {
    m_pending.append(m_simulator.takeOutput(m_clock.nowMs()));
    while (!m_pending.isEmpty()) {
        const ssize_t n =
            ::write(m_master, m_pending.constData(), static_cast<std::size_t>(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // The terminal's buffer is full: nobody has read for seconds. Like a port whose
        // input queue overflows, what waited there is lost; the rest goes next tick.
        ::tcflush(m_slave, TCIFLUSH);
        return;
    }
}

} // namespace mqx::sim

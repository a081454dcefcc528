// The real line's parts: the QSerialPort port on a pseudo-terminal, the COM port map, a device
// one may not open, and the Qt timers (the engine on them: the real line's test, tests/e2e).

#include "core_application.h"
#include "link/hardware_serial_port.h"
#include "link/permission_hint.h"
#include "link/qt_timer_source.h"
#include "scripted_prompts.h"
#include "test_paths.h"

#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <grp.h>
#include <map>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace mqx;
using mqx::test::ScriptedPrompts;

namespace {

// A failed open's message: the failed step, the path and the reason, then any hint.
bool isOpenFailure(const QString& text, const QString& first, const QString& path,
                   const QString& hint = {}) {
    const QString e = QRegularExpression::escape(first + "\n" + path + ": ");
    const QString tail = hint.isEmpty() ? QString() : "\n" + QRegularExpression::escape(hint);
    return QRegularExpression("^" + e + "[^\n]+" + tail + "$").match(text).hasMatch();
}

// A pseudo-terminal pair, its port side open here too: send() waits until that side has it all.
struct PseudoTerminal {
    PseudoTerminal() {
        char name[256] = {};
        if (::openpty(&master, &port, name, nullptr, nullptr) == 0)
            path = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal() {
        for (int fd : {port, master})
            if (fd >= 0)
                ::close(fd);
    }
    bool send(const QByteArray& bytes) const {
        if (::write(master, bytes.constData(), bytes.size()) != bytes.size())
            return false;
        const QDeadlineTimer patience(5000);
        int queued = 0;
        while ((::ioctl(port, FIONREAD, &queued) != 0 || queued < bytes.size()) &&
               !patience.hasExpired())
            QThread::msleep(5);
        return queued >= bytes.size();
    }
    QByteArray receive(int count) const {
        QByteArray out;
        const QDeadlineTimer patience(5000);
        char buffer[256];
        for (pollfd p{master, POLLIN, 0}; out.size() < count && !patience.hasExpired();)
            if (const ssize_t n = ::poll(&p, 1, 50) > 0 ? ::read(master, buffer, 256) : 0; n > 0)
                out.append(buffer, n);
        return out;
    }
    int master = -1;
    int port = -1;
    QString path;
};

class HardwarePort : public ::testing::Test {
protected:
    void SetUp() override {
        mqx::test::ensureCoreApplication();
        ASSERT_FALSE(pty.path.isEmpty());
    }
    static int openLink(HardwareSerialPort& p, const QString& portText, const QString& parity = "0",
                        const QString& stop = "1") {
        return p.Open(portText, "19200", parity, "8", stop);
    }

    PseudoTerminal pty;
    ScriptedPrompts prompts;
    HardwareSerialPort port{prompts};
};

struct Recorder : TimerClient {
    void onTimer(int id) override { ++ticks[id]; }
    std::map<int, int> ticks;
};

} // namespace

// A vanished device is reported in the real line's test (tests/e2e), which kills mqx-sim.
TEST_F(HardwarePort, FollowsTheLineSettingsAndMovesWholeFramesInTheirWireTime) {
    ASSERT_EQ(openLink(port, pty.path), 0);
    EXPECT_TRUE(prompts.shown().empty()); // no DTR on a pseudo-terminal is no error
    const QSerialPort& d = port.device();
    EXPECT_EQ(std::tuple(d.baudRate(), d.parity(), d.dataBits(), d.stopBits()),
              std::tuple(19200, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop));
    // The other texts it may be opened with (two stop bits: the opens below).
    using H = HardwareSerialPort;
    using P = QSerialPort;
    EXPECT_EQ((std::vector<int>{H::parityFor("1"), H::parityFor("2"), H::parityFor("3"),
                                H::stopBitsFor("3"), H::dataBitsFor("7"), H::dataBitsFor("6"),
                                H::dataBitsFor("5"), H::dataBitsFor("12")}),
              (std::vector<int>{P::OddParity, P::EvenParity, P::NoParity, P::OneStop, P::Data7,
                                P::Data6, P::Data5, P::Data8}));
    // 960 characters need 500 ms at 19200 baud, although the terminal takes them at once.
    ASSERT_EQ(port.Write(QByteArray(960, 'x')), 0);
    EXPECT_EQ(pty.receive(960).size(), 960);
    EXPECT_TRUE(port.bytesToWrite() > 0 && port.bytesToWrite() <= 960) << port.bytesToWrite();
    QThread::msleep(600);
    EXPECT_EQ(port.bytesToWrite(), 0);
    bool ok = false;
    EXPECT_EQ((std::pair{port.Read(1024, &ok), ok}), std::pair(QByteArray(), true));

    // Reads take at most what is asked; a purge drops the rest.
    const QByteArray data = QByteArray("abcdefghijklmnopqrstuvwxyz").repeated(116);
    ASSERT_TRUE(pty.send(data));
    EXPECT_EQ(port.Read(1024), data.left(1024));
    EXPECT_EQ(port.Read(1024), data.mid(1024, 1024));
    port.PurgeInput();
    EXPECT_TRUE(port.Read(1024).isEmpty());

    port.Close();
    EXPECT_EQ(std::tuple(port.isOpen(), port.bytesToWrite(), port.Write("(01bye")),
              std::tuple(false, 0, -1));
}

TEST_F(HardwarePort, AFailedOpenIsReportedWithThePathAndItsReason) {
    mqx::test::ScratchDir dir;
    QSettings settings(dir.path("T410C.ini"), QSettings::IniFormat);
    settings.setValue("Ports/COM2", pty.path);
    settings.setValue("Ports/COM1", "/dev/mqx-test-com1");
    HardwareSerialPort mapped(prompts, PortMap::fromSettings(settings));
    const QString missing = QStringLiteral("/dev/mqx-test-no-such-port");
    const struct {
        QString text, parity;
        QString first; // the message's first line; the second names the path and the reason
        QString path;
    } cases[] = {
        // A pseudo-terminal carries no parity, so asking for one fails at the settings step.
        {pty.path, "2", "SetCommState: Communicate Error!", pty.path},
        {missing, "0", "CreatFile0: Communicate Error!", missing},
        // A COM number goes through the port map (its rules are the port map's test).
        {"5", "0", "CreatFile0: Communicate Error!", "/dev/mqx-test-com1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        prompts.clear();
        EXPECT_EQ(openLink(mapped, c.text, c.parity), -1);
        EXPECT_FALSE(mapped.isOpen());
        ASSERT_EQ(prompts.shown().size(), 1u);
        const auto& [title, text, icon, question, cancelFirst] = prompts.shown()[0];
        EXPECT_EQ(std::tuple(title, icon),
                  std::tuple("Communicate Set up Error!", PromptIcon::Exclamation));
        EXPECT_TRUE(isOpenFailure(text, c.first, c.path)) << text.toStdString();
    }
    ASSERT_EQ(openLink(mapped, "2", "0", "2"), 0);
    EXPECT_EQ(std::pair(mapped.devicePath(), mapped.device().stopBits()),
              std::pair(pty.path, QSerialPort::TwoStop));
}

namespace {

// Checks, as whoever runs it, that a device this user may not open is reported with the
// group that owns it; returns what went wrong, empty when nothing did.
std::string permissionFaults(const QString& device, const QString& group) {
    const QString hint =
        QStringLiteral("Add your user to the group \"%1\", then log out and in again.").arg(group);
    if (PermissionHint(device) != hint)
        return "hint: " + PermissionHint(device).toStdString();
    ScriptedPrompts prompts;
    HardwareSerialPort port(prompts);
    if (port.Open(device, "19200", "0", "8", "1") != -1 || port.isOpen())
        return "the device opened";
    const QString text = prompts.shown().size() == 1 ? prompts.shown()[0].text : "not one";
    return isOpenFailure(text, "CreatFile0: Communicate Error!", device, hint)
               ? ""
               : "message: " + text.toStdString();
}

} // namespace

TEST(PermissionHint, NamesTheGroupOfADeviceThisUserMayNotOpen) {
    mqx::test::ensureCoreApplication();
    // Nothing to say about a device that opens, or one that is missing rather than forbidden.
    EXPECT_EQ(PermissionHint(QStringLiteral("/dev/null")), QString());
    EXPECT_EQ(PermissionHint(QStringLiteral("/dev/mqx-test-no-such-port")), QString());

    mqx::test::ScratchDir dir;
    const QString device = mqx::test::writeFile(dir, QStringLiteral("ttyUSB9"), {});
    const QByteArray path = QFile::encodeName(device);
    if (::geteuid() != 0) {
        // Mode 000 shuts out the owner whatever the group may do.
        ASSERT_EQ(::chmod(path.constData(), 0), 0);
        EXPECT_EQ(permissionFaults(device, QFileInfo(device).group()), "");
        return;
    }
    // Root opens anything: the device goes to another group, like a serial port owned by
    // dialout, and the check runs in a child process that is nobody.
    const group* other = ::getgrnam("audio");
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(::chown(path.constData(), 0, other->gr_gid), 0);
    ASSERT_EQ(::chmod(path.constData(), 0660), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(QFileInfo(device).path()).constData(), 0755), 0);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                std::_Exit(2);
            const std::string faults = permissionFaults(device, QStringLiteral("audio"));
            std::fputs(faults.c_str(), stderr);
            std::_Exit(faults.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(QtTimers, DeliverNumberedTicksAndLeaveNoQtTimerBehindAStoppedOne) {
    mqx::test::ensureCoreApplication();
    QtTimerSource source;
    Recorder r;
    const auto timers = source.createTimers(r);
    timers->start(9, 1);
    timers->start(9, 1); // a restart replaces the running one
    timers->start(7, 1);
    timers->stop(9); // stopped before it can fire
    const QDeadlineTimer patience(10000);
    while (r.ticks[7] < 3 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(std::pair(r.ticks[7] >= 3, r.ticks[9]), std::pair(true, 0));
    timers->stop(7);
    auto* object = dynamic_cast<QObject*>(timers.get());
    EXPECT_TRUE(QAbstractEventDispatcher::instance()->registeredTimers(object).isEmpty());
}

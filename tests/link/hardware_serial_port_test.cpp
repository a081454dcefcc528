// The QSerialPort port on a pseudo-terminal made by the test, the COM port map, and the
// message for a device this user may not open.

#include "core_application.h"
#include "link/hardware_serial_port.h"
#include "link/permission_hint.h"
#include "scripted_prompts.h"
#include "test_paths.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace mqx;
using mqx::test::ScriptedPrompts;

namespace {

// A pseudo-terminal pair. The test keeps a descriptor of the port side too, so it can see
// how much input waits there.
class PseudoTerminal {
public:
    PseudoTerminal() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_path = QString::fromLocal8Bit(ptsname(m_master));
        m_port = ::open(ptsname(m_master), O_RDWR | O_NOCTTY | O_NONBLOCK);
    }
    ~PseudoTerminal() {
        if (m_port >= 0)
            ::close(m_port);
        if (m_master >= 0)
            ::close(m_master);
    }
    bool isValid() const { return m_master >= 0 && m_port >= 0; }
    // The far end goes, as when mqx-sim dies: the port side then reads end of line.
    void hangUp() {
        ::close(m_master);
        m_master = -1;
    }
    QString path() const { return m_path; }

    void send(const QByteArray& bytes) const {
        ASSERT_EQ(::write(m_master, bytes.constData(), bytes.size()), bytes.size());
    }
    // Waits until the port side holds `count` input characters.
    bool waitForInput(int count) const {
        const QDeadlineTimer patience(5000);
        int queued = 0;
        while ((::ioctl(m_port, FIONREAD, &queued) != 0 || queued < count) &&
               !patience.hasExpired())
            QThread::msleep(5);
        return queued >= count;
    }
    // What the port wrote, up to `count` characters.
    QByteArray receive(int count) const {
        QByteArray out;
        const QDeadlineTimer patience(5000);
        while (out.size() < count && !patience.hasExpired()) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 50) > 0) {
                char buffer[256];
                const ssize_t n = ::read(m_master, buffer, sizeof buffer);
                if (n > 0)
                    out.append(buffer, n);
            }
        }
        return out;
    }

private:
    int m_master = -1;
    int m_port = -1;
    QString m_path;
};

class HardwarePort : public ::testing::Test {
protected:
    void SetUp() override {
        mqx::test::ensureCoreApplication();
        ASSERT_TRUE(pty.isValid());
    }
    int openLink(HardwareSerialPort& p, const QString& portText, const QString& parity = "0",
                 const QString& stop = "1") {
        return p.Open(portText, "19200", parity, "8", stop);
    }

    PseudoTerminal pty;
    ScriptedPrompts prompts;
    HardwareSerialPort port{prompts};
};

} // namespace

TEST_F(HardwarePort, OpensADevicePathAndMovesWholeFrames) {
    ASSERT_EQ(openLink(port, pty.path()), 0);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(prompts.shown().empty()); // no DTR on a pseudo-terminal is no error
    EXPECT_EQ(port.device().baudRate(), 19200);
    EXPECT_EQ(port.device().parity(), QSerialPort::NoParity);
    EXPECT_EQ(port.device().dataBits(), QSerialPort::Data8);
    EXPECT_EQ(port.device().stopBits(), QSerialPort::OneStop);

    bool ok = false;
    EXPECT_TRUE(port.Read(1024, &ok).isEmpty());
    EXPECT_TRUE(ok);

    EXPECT_EQ(port.Write("(01hello"), 0);
    EXPECT_EQ(pty.receive(8), "(01hello");

    pty.send("(01hello");
    ASSERT_TRUE(pty.waitForInput(8));
    EXPECT_EQ(port.Read(1024), "(01hello");

    port.Close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.Write("(01bye"), -1);
}

TEST_F(HardwarePort, ReadsAtMostWhatIsAskedAndPurgesTheRest) {
    ASSERT_EQ(openLink(port, pty.path()), 0);
    QByteArray data;
    for (int i = 0; i < 3000; ++i)
        data += char('a' + i % 26);
    pty.send(data);
    ASSERT_TRUE(pty.waitForInput(3000));
    const QByteArray first = port.Read(1024);
    EXPECT_EQ(first, data.left(1024));
    EXPECT_EQ(port.Read(1024), data.mid(1024, 1024));

    port.PurgeInput();
    EXPECT_TRUE(port.Read(1024).isEmpty());
    pty.send("(01M");
    ASSERT_TRUE(pty.waitForInput(4));
    EXPECT_EQ(port.Read(1024), "(01M");
}

TEST_F(HardwarePort, AFrameTakesItsWireTimeAndAVanishedDeviceIsReported) {
    int faults = 0;
    port.setFaultHandler([&faults] { ++faults; });
    ASSERT_EQ(openLink(port, pty.path()), 0);
    EXPECT_EQ(port.bytesToWrite(), 0);
    // 960 characters need 500 ms at 19200 baud, although the terminal takes them at once.
    ASSERT_EQ(port.Write(QByteArray(960, 'x')), 0);
    EXPECT_EQ(pty.receive(960).size(), 960);
    EXPECT_GT(port.bytesToWrite(), 0);
    EXPECT_LE(port.bytesToWrite(), 960);
    QThread::msleep(600);
    EXPECT_EQ(port.bytesToWrite(), 0);

    EXPECT_EQ(faults, 0);
    pty.hangUp();
    const QDeadlineTimer patience(1000);
    while (faults == 0 && !patience.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(faults, 1) << "nobody read, yet the gone device was reported";
    port.Close();
    EXPECT_EQ(port.bytesToWrite(), 0);
}

TEST(HardwarePortSettings, LineSettingsFollowTheirTexts) {
    EXPECT_EQ(HardwareSerialPort::parityFor("0"), QSerialPort::NoParity);
    EXPECT_EQ(HardwareSerialPort::parityFor("1"), QSerialPort::OddParity);
    EXPECT_EQ(HardwareSerialPort::parityFor("2"), QSerialPort::EvenParity);
    EXPECT_EQ(HardwareSerialPort::parityFor("3"), QSerialPort::NoParity);
    EXPECT_EQ(HardwareSerialPort::stopBitsFor("1"), QSerialPort::OneStop);
    EXPECT_EQ(HardwareSerialPort::stopBitsFor("2"), QSerialPort::TwoStop);
    EXPECT_EQ(HardwareSerialPort::stopBitsFor("3"), QSerialPort::OneStop);
    EXPECT_EQ(HardwareSerialPort::dataBitsFor("8"), QSerialPort::Data8);
    EXPECT_EQ(HardwareSerialPort::dataBitsFor("7"), QSerialPort::Data7);
    EXPECT_EQ(HardwareSerialPort::dataBitsFor("12"), QSerialPort::Data8);
}

TEST_F(HardwarePort, RefusedLineSettingsAreReportedAndClose) {
    // A pseudo-terminal carries no parity, so asking for one fails at the settings step.
    EXPECT_EQ(openLink(port, pty.path(), "2"), -1);
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].title, "Communicate Set up Error!");
    EXPECT_TRUE(prompts.shown()[0].text.startsWith("SetCommState: Communicate Error!\n" +
                                                   pty.path() + ": "));
    EXPECT_EQ(openLink(port, pty.path(), "0", "2"), 0);
    EXPECT_EQ(port.device().stopBits(), QSerialPort::TwoStop);
}

TEST_F(HardwarePort, AMissingDeviceIsReportedWithItsPathAndReason) {
    const QString missing = QStringLiteral("/dev/mqx-test-no-such-port");
    EXPECT_EQ(openLink(port, missing), -1);
    EXPECT_FALSE(port.isOpen());
    ASSERT_EQ(prompts.shown().size(), 1u);
    const auto& shown = prompts.shown().front();
    EXPECT_EQ(shown.title, "Communicate Set up Error!");
    EXPECT_EQ(shown.icon, PromptIcon::Exclamation);
    const QStringList lines = shown.text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "CreatFile0: Communicate Error!");
    EXPECT_TRUE(lines[1].startsWith(missing + ": ")) << lines[1].toStdString();
    EXPECT_GT(lines[1].size(), missing.size() + 2);
}

TEST_F(HardwarePort, ComNumbersOpenTheDevicesOfThePortsSection) {
    mqx::test::ScratchDir dir;
    QSettings settings(dir.path("T410C.ini"), QSettings::IniFormat);
    settings.setValue("Ports/COM2", pty.path());
    settings.setValue("Ports/COM1", "/dev/mqx-test-com1");
    HardwareSerialPort mapped(prompts, PortMap::fromSettings(settings));

    ASSERT_EQ(openLink(mapped, "2"), 0);
    EXPECT_EQ(mapped.devicePath(), pty.path());
    mapped.Close();

    for (const QString& text : {QStringLiteral("0"), QStringLiteral("5"), QString()}) {
        prompts.clear();
        EXPECT_EQ(openLink(mapped, text), -1);
        ASSERT_EQ(prompts.shown().size(), 1u);
        EXPECT_TRUE(prompts.shown()[0].text.contains("\n/dev/mqx-test-com1: "))
            << text.toStdString();
    }
}

namespace {

// Checks, as whoever runs it, that a device this user may not open is reported with the
// group that owns it; returns what went wrong, empty when nothing did.
std::string permissionFaults(const QString& device, const QString& group) {
    std::string faults;
    const auto fault = [&faults](const QString& text) { faults += text.toStdString() + '\n'; };
    const QString hint =
        QStringLiteral("Add your user to the group \"%1\", then log out and in again.").arg(group);
    if (PermissionHint(device) != hint)
        fault("hint: " + PermissionHint(device));
    ScriptedPrompts prompts;
    HardwareSerialPort port(prompts);
    if (port.Open(device, "19200", "0", "8", "1") != -1 || port.isOpen())
        fault(QStringLiteral("the device opened"));
    if (prompts.shown().size() != 1)
        return faults + "not one message\n";
    const QStringList lines = prompts.shown()[0].text.split(QLatin1Char('\n'));
    if (lines.size() != 3 || lines[0] != "CreatFile0: Communicate Error!" ||
        !lines[1].startsWith(device + ": ") || lines[1].size() <= device.size() + 2 ||
        lines[2] != hint)
        fault("message: " + prompts.shown()[0].text);
    return faults;
}

} // namespace

TEST(PermissionHint, NamesTheGroupOfADeviceThisUserMayNotOpen) {
    mqx::test::ensureCoreApplication();
    // Nothing to say about a device that opens, or one that is missing rather than
    // forbidden.
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

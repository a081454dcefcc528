#include "sim_options.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace mqx::sim;

namespace {

// Reads from a raw terminal until `wanted` characters have come or `limitMs` has passed.
QByteArray readFor(int fd, qsizetype wanted, int limitMs) {
    QByteArray got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (got.size() < wanted && std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, n);
    }
    return got;
}

} // namespace

TEST(MqxSim, AnswersOnItsPseudoTerminalAndStopsOnSigterm) {
    QProcess sim;
    sim.start(QStringLiteral(MQX_SIM_PATH), {QStringLiteral("--id"), QStringLiteral("4")});
    ASSERT_TRUE(sim.waitForStarted(10000));
    QByteArray firstLine;
    while (!firstLine.contains('\n') && sim.waitForReadyRead(10000))
        firstLine += sim.readAllStandardOutput();
    const QByteArray path = firstLine.trimmed();
    ASSERT_TRUE(path.startsWith("/dev/pts/")) << firstLine.constData();

    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios settings{};
    ::tcgetattr(fd, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(fd, TCSANOW, &settings);

    ASSERT_EQ(::write(fd, "(04hello", 8), 8);
    EXPECT_EQ(readFor(fd, 8, 5000), "(04hello");
    ASSERT_EQ(::write(fd, "(01hello", 8), 8);
    EXPECT_EQ(readFor(fd, 1, 300), "") << "unit 1 is not on this line";
    ::close(fd);

    sim.terminate(); // SIGTERM
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(MqxSim, CommandLineOptions) {
    const SimOptionsResult full = ParseSimOptions(
        {QStringLiteral("mqx-sim"), QStringLiteral("--id"), QStringLiteral("3"),
         QStringLiteral("--id"), QStringLiteral("12"), QStringLiteral("--no-pacing"),
         QStringLiteral("--link"), QStringLiteral("/tmp/unit"), QStringLiteral("--log"),
         QStringLiteral("frames.log"), QStringLiteral("--fault"), QStringLiteral("recall:silent"),
         QStringLiteral("--fault"), QStringLiteral("pdatget:bursts:200")});
    ASSERT_TRUE(full.options);
    EXPECT_EQ(full.options->ids, (std::vector<int>{3, 12}));
    EXPECT_FALSE(full.options->pacing);
    EXPECT_EQ(full.options->linkPath, QStringLiteral("/tmp/unit"));
    EXPECT_EQ(full.options->logPath, QStringLiteral("frames.log"));
    ASSERT_EQ(full.options->faults.size(), 2u);
    EXPECT_EQ(full.options->faults[1].command, UnitCommand::DataGet);
    EXPECT_EQ(full.options->faults[1].fault.gapMs, 200);

    const SimOptionsResult plain = ParseSimOptions({QStringLiteral("mqx-sim")});
    ASSERT_TRUE(plain.options);
    EXPECT_EQ(plain.options->ids, (std::vector<int>{1}));
    EXPECT_TRUE(plain.options->pacing);

    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const SimOptionsResult version = ParseSimOptions({QStringLiteral("mqx-sim"), option});
        EXPECT_FALSE(version.options);
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.message, QStringLiteral("mqx-sim " MQX_VERSION "\n"));
    }

    for (const QStringList& bad :
         {QStringList{QStringLiteral("mqx-sim"), QStringLiteral("--id"), QStringLiteral("100")},
          QStringList{QStringLiteral("mqx-sim"), QStringLiteral("--fault"),
                      QStringLiteral("hello:loud")},
          QStringList{QStringLiteral("mqx-sim"), QStringLiteral("extra")},
          QStringList{QStringLiteral("mqx-sim"), QStringLiteral("--nonsense")}}) {
        const SimOptionsResult r = ParseSimOptions(bad);
        EXPECT_FALSE(r.options) << bad.join(' ').toStdString();
        EXPECT_EQ(r.exitCode, 2);
    }
}

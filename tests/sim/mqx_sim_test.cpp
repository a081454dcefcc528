#include "own_link.h"
#include "sim_options.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/stat.h>
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

namespace {

// What stands at `path` itself: its type and, for a link, where it points.
struct Entry {
    mode_t type = 0;
    QString target;
    friend bool operator==(const Entry&, const Entry&) = default;
};
Entry entryAt(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {static_cast<mode_t>(st.st_mode & S_IFMT),
            S_ISLNK(st.st_mode) ? QFile::symLinkTarget(path) : QString()};
}

} // namespace

// Whatever already stands at the link's path is somebody else's and stays as it is.
TEST(OwnLink, RefusesEveryExistingEntry) {
    mqx::test::ScratchDir dir;
    const QString file = mqx::test::writeFile(dir, QStringLiteral("file"), "keep me");
    const QString link = dir.path(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(file, link));
    const QString dangling = dir.path(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(dir.path(QStringLiteral("gone")), dangling));
    const QString folder = dir.path(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));

    for (const QString& path : {file, link, dangling, folder}) {
        const Entry before = entryAt(path);
        QString why;
        {
            OwnLink own;
            EXPECT_FALSE(own.make(path, QStringLiteral("/dev/pts/99"), &why)) << path.toStdString();
        }
        EXPECT_TRUE(why.contains(path)) << why.toStdString();
        EXPECT_EQ(entryAt(path), before) << path.toStdString();
    }
    EXPECT_EQ(mqx::test::readFile(file), "keep me");
}

TEST(OwnLink, RemovesOnlyTheLinkItMade) {
    mqx::test::ScratchDir dir;
    const QString path = dir.path(QStringLiteral("port"));
    QString why;
    {
        OwnLink own;
        ASSERT_TRUE(own.make(path, QStringLiteral("/dev/pts/99"), &why)) << why.toStdString();
        EXPECT_EQ(entryAt(path).target, QStringLiteral("/dev/pts/99"));
    }
    EXPECT_EQ(entryAt(path).type, 0u) << "gone with its maker";

    // Somebody puts something of their own in its place meanwhile.
    const std::function<void()> replacements[] = {
        [&] { mqx::test::writeFile(dir, QStringLiteral("port"), "theirs"); },
        [&] { QFile::link(QStringLiteral("/dev/pts/98"), path); },
    };
    for (const auto& replace : replacements) {
        Entry theirs;
        {
            OwnLink own;
            ASSERT_TRUE(own.make(path, QStringLiteral("/dev/pts/99"), &why));
            ASSERT_TRUE(QFile::remove(path));
            replace();
            theirs = entryAt(path);
            ASSERT_NE(theirs.type, 0u);
        }
        EXPECT_EQ(entryAt(path), theirs) << "not ours: kept";
        QFile::remove(path);
    }
}

TEST(MqxSim, LinkOptionNeverReplacesAnotherLink) {
    mqx::test::ScratchDir dir;
    // A link of somebody else's at the path.
    const QString data = mqx::test::writeFile(dir, QStringLiteral("data"), "data");
    const QString taken = dir.path(QStringLiteral("taken"));
    ASSERT_TRUE(QFile::link(data, taken));
    QProcess refused;
    refused.start(QStringLiteral(MQX_SIM_PATH), {QStringLiteral("--link"), taken});
    ASSERT_TRUE(refused.waitForFinished(10000));
    EXPECT_EQ(refused.exitCode(), 1);
    EXPECT_TRUE(refused.readAllStandardError().contains("exists already"));
    EXPECT_EQ(entryAt(taken).target, data);

    const QString path = dir.path(QStringLiteral("port"));
    QProcess sim;
    sim.start(QStringLiteral(MQX_SIM_PATH), {QStringLiteral("--link"), path});
    ASSERT_TRUE(sim.waitForStarted(10000));
    QByteArray firstLine;
    while (!firstLine.contains('\n') && sim.waitForReadyRead(10000))
        firstLine += sim.readAllStandardOutput();
    EXPECT_EQ(entryAt(path).target, QString::fromLatin1(firstLine.trimmed()));
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(10000));
    EXPECT_EQ(entryAt(path).type, 0u) << "its own link goes with it";
}

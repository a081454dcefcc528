// mqx-sim as users run it: its command line, its --link and SIGTERM.

#include "own_link.h"
#include "sim_options.h"
#include "sim_process.h"
#include "test_paths.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>

using namespace mqx::sim;
using mqx::test::ScratchDir;
using mqx::test::SimProcess;

namespace {

// What stands at `path` itself: "" for nothing, "file", or "-> target" for a link.
QString entryAt(const QString& path) {
    const QFileInfo entry(path);
    return entry.isSymLink() ? "-> " + entry.symLinkTarget() : entry.exists() ? "file" : "";
}

} // namespace

// Its answers on the pseudo-terminal show where the real serial code runs on it (tests/e2e).
TEST(MqxSim, ItsLinkPointsAtItsTerminalAndGoesWithItOnSigterm) {
    ScratchDir dir;
    const QString link = dir.path(QStringLiteral("port"));
    SimProcess sim({QStringLiteral("--link"), link});
    ASSERT_TRUE(sim.devicePath().startsWith(QStringLiteral("/dev/pts/")));
    EXPECT_EQ(entryAt(link), "-> " + sim.devicePath());
    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_EQ(entryAt(link), "");

    const QString data = mqx::test::writeFile(dir, QStringLiteral("data"), "data");
    ASSERT_TRUE(QFile::link(data, link));
    SimProcess refused({QStringLiteral("--link"), link});
    EXPECT_TRUE(refused.devicePath().isEmpty());
    EXPECT_EQ(refused.exitCode(), 1);
    EXPECT_TRUE(refused.errors().contains("exists already"));
    EXPECT_EQ(entryAt(link), "-> " + data) << "a path that is taken is kept";
}

TEST(MqxSim, CommandLineOptions) {
    const auto parse = [](const char* line) {
        return ParseSimOptions(QStringLiteral("mqx-sim %1")
                                   .arg(QLatin1StringView(line))
                                   .split(u' ', Qt::SkipEmptyParts));
    };
    const SimOptionsResult full =
        parse("--id 3 --id 12 --no-pacing --link /tmp/unit --log f.log --fault store:error:13 "
              "--fault pdatget:bursts:250 --fault rcallr:wrong-id --fault hello:garbled "
              "--fault pinfget@12:error:11 --fault recall:silent");
    ASSERT_TRUE(full.options);
    const SimOptions& o = *full.options;
    EXPECT_EQ(std::tuple(o.ids, o.pacing, o.linkPath, o.logPath),
              std::tuple(std::vector<int>{3, 12}, false, QStringLiteral("/tmp/unit"),
                         QStringLiteral("f.log")));
    using K = LineFault::Kind;
    using C = UnitCommand;
    std::vector<std::tuple<UnitCommand, K, int, int>> faults; // the number: error code or gap
    for (const auto& [command, f] : o.faults)
        faults.emplace_back(command, f.kind, f.kind == K::Bursts ? f.gapMs : f.errorCode, f.slot);
    EXPECT_EQ(faults, (decltype(faults){{C::Store, K::Error, 13, -1},
                                        {C::DataGet, K::Bursts, 250, -1},
                                        {C::RecallLock, K::WrongId, 0, -1},
                                        {C::Hello, K::Garbled, 0, -1},
                                        {C::InfoGet, K::Error, 11, 12},
                                        {C::Recall, K::Silent, 0, -1}}));
    const SimOptionsResult plain = parse("");
    ASSERT_TRUE(plain.options);
    EXPECT_EQ(std::tuple(plain.options->ids, plain.options->pacing),
              std::tuple(std::vector<int>{1}, true));

    for (const char* line : {"--version", "-v"}) {
        const SimOptionsResult r = parse(line);
        EXPECT_EQ(std::tuple(r.options.has_value(), r.exitCode, r.message),
                  std::tuple(false, 0, QStringLiteral("mqx-sim " MQX_VERSION "\n")));
    }
    for (const char* line :
         {"--id 100", "--id 0", "extra", "--nonsense", "--fault hello", "--fault nosuch:silent",
          "--fault hello:loud", "--fault hello:error", "--fault hello:error:100",
          "--fault hello:silent:3", "--fault hello:bursts:x", "--fault pinfget@51:silent",
          "--fault pinfget@:silent", "--fault nosuch@3:silent"}) {
        const SimOptionsResult r = parse(line);
        EXPECT_EQ(std::tuple(r.options.has_value(), r.exitCode), std::tuple(false, 2)) << line;
        EXPECT_FALSE(r.message.isEmpty() || r.message.endsWith(u' ')) << line; // it says why
    }
}

TEST(OwnLink, MakesOnlyWhereNothingStandsAndRemovesOnlyItsOwn) {
    ScratchDir dir;
    const QString file = mqx::test::writeFile(dir, QStringLiteral("file"), "keep me");
    const QString dangling = dir.path(QStringLiteral("dangling"));
    ASSERT_TRUE(QFile::link(dir.path(QStringLiteral("gone")), dangling));
    for (const QString& path : {file, dangling}) {
        const QString before = entryAt(path);
        QString why;
        EXPECT_FALSE(OwnLink().make(path, QStringLiteral("/dev/pts/99"), &why));
        EXPECT_TRUE(why.contains(path)) << why.toStdString();
        EXPECT_EQ(entryAt(path), before) << path.toStdString();
    }

    // Its own link goes with it; one that somebody put in its place meanwhile stays.
    const QString path = dir.path(QStringLiteral("port"));
    for (const QByteArray& theirs :
         {QByteArray(), QByteArray("file"), QByteArray("link"), QByteArray("same target")}) {
        QString left;
        {
            OwnLink own;
            QString why;
            ASSERT_TRUE(own.make(path, QStringLiteral("/dev/pts/99"), &why)) << why.toStdString();
            EXPECT_EQ(entryAt(path), "-> /dev/pts/99");
            if (!theirs.isEmpty()) { // made beside it, then moved over it
                const QString made = dir.path(QStringLiteral("theirs"));
                if (theirs == "file")
                    mqx::test::writeFile(dir, QStringLiteral("theirs"), "theirs");
                else
                    QFile::link(theirs == "link" ? "/dev/pts/98" : "/dev/pts/99", made);
                ASSERT_EQ(std::rename(QFile::encodeName(made), QFile::encodeName(path)), 0);
            }
            left = entryAt(path);
        }
        EXPECT_EQ(entryAt(path), theirs.isEmpty() ? "" : left) << theirs.constData();
        QFile::remove(path);
    }
    EXPECT_EQ(mqx::test::readFile(file), "keep me");
}

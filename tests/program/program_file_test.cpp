#include "core/session.h"
#include "program/program_file.h"
#include "program/record_text.h"
#include "test_paths.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace mqx;
using mqx::test::readFile;
using mqx::test::ScratchDir;
using mqx::test::writeFile;

namespace {

class ProgramFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ApplyDefaults(session);
    }
    ScratchDir dir;
    Session session;
};

QByteArray fileOf(const ProgramRecord& r, const char* lineEnd = "\r\n") {
    return QByteArray("MQX-T410VER1.50") + lineEnd + EncodeRecordText(r);
}

} // namespace

TEST_F(ProgramFile, SaveWritesHeaderAndImageAndLoadThenApplyGivesThemBack) {
    ProgramRecord& r = session.CurrentRecord();
    std::memcpy(r.name.data(), "Main PA", 7);
    r.out[3].delay = 96 * 25;
    r.peq_band[4][1] = {1, 50, 30, 10};
    r.reserved_294[7] = 0x42;
    const ProgramRecord saved = r;
    const QString path = dir.path(QStringLiteral("main.mqx"));
    ASSERT_TRUE(SaveProgramFile(session, path));
    EXPECT_EQ(readFile(path), fileOf(saved));

    ApplyDefaults(session);
    ASSERT_TRUE(LoadProgramFile(session, path));
    EXPECT_NE(session.CurrentRecord(), saved); // loading alone changes nothing
    ApplyLoadedFile(session);
    EXPECT_EQ(session.CurrentRecord(), saved);
}

TEST_F(ProgramFile, ApplyGivesEachOutputItsOwnGraphAndForgetsBandMemories) {
    const QString path = writeFile(dir, QStringLiteral("p.mqx"), fileOf(session.CurrentRecord()));
    session.CurrentRecord().out[2].display_mask = 0x3F;
    session.CurrentRecord().out[2].filler = 5;
    session.staging.out[2].display_mask = 0x3F; // left over from nowhere: must not survive
    session.peqBandOff.type[0][0] = 3;
    session.savedBandSettings.channel[1].hpf_freq = 29;
    ASSERT_TRUE(LoadProgramFile(session, path));
    ApplyLoadedFile(session);
    EXPECT_EQ(session.CurrentRecord().out[2].display_mask, 0x08);
    EXPECT_EQ(session.CurrentRecord().out[2].filler, 0);
    EXPECT_FALSE(session.peqBandOff.holdsAnything());
    EXPECT_FALSE(session.savedBandSettings.holdsAnything());
}

TEST_F(ProgramFile, ReadsLineFeedsLowerCaseAndOtherVersions) {
    ProgramRecord r = session.CurrentRecord();
    r.out[0].level = 0xC8;
    QByteArray bytes = fileOf(r, "\n");
    bytes.replace("C8", "c8");
    bytes.replace("VER1.50", "VER2.07");
    const QString path = writeFile(dir, QStringLiteral("lf.mqx"), bytes);
    ASSERT_TRUE(LoadProgramFile(session, path));
    EXPECT_EQ(session.staging.out[0].level, 0xC8);

    // an editor's line end after the image does no harm
    writeFile(dir, QStringLiteral("lf.mqx"), fileOf(r) + "\r\n");
    EXPECT_TRUE(LoadProgramFile(session, path));
}

TEST_F(ProgramFile, RefusesWhatIsNotAWholeProgram) {
    const QByteArray good = fileOf(session.CurrentRecord());
    const ProgramRecord before = session.CurrentRecord();
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    QByteArray notHex = good;
    notHex[17 + 297 + 10] = 'x';
    QByteArray lineInComment = good;
    lineInComment[17 + 100] = '\n';
    const std::vector<Case> cases = {
        {"empty", QByteArray(), "MQX-T410"},
        {"other maker", "XQM-T410VER1.50\r\n" + good.mid(17), "MQX-T410"},
        {"header only", "MQX-T410VER1.50", "first line"},
        {"truncated in outputs", good.left(900), "out["},
        {"one character short", good.chopped(1), "out[5].on"},
        {"not hex", notHex, "sg_mute"},
        {"line end in comment", lineInComment, "comment"},
        {"one byte over 64 KiB", good + QByteArray(64 * 1024 + 1 - good.size(), ' '),
         "far too large"},
    };
    for (const Case& c : cases) {
        const QString path = writeFile(dir, QStringLiteral("bad.mqx"), c.bytes);
        const FileResult result = LoadProgramFile(session, path);
        EXPECT_FALSE(result) << c.name;
        EXPECT_TRUE(result.error.contains(QLatin1StringView(c.reason)))
            << c.name << ": " << result.error.toStdString();
        EXPECT_EQ(session.CurrentRecord(), before) << c.name;
    }
    EXPECT_FALSE(LoadProgramFile(session, dir.path(QStringLiteral("missing.mqx"))));
}

TEST_F(ProgramFile, TheFileSizeLimitIsNamedAndTheEarlierFileKept) {
    const QString path = dir.path(QStringLiteral("keep.mqx"));
    ASSERT_TRUE(SaveProgramFile(session, path));
    const QByteArray earlier = readFile(path);

    // The session lets any file grow to 512 bytes only (ulimit -f); the disk has room.
    session.CurrentRecord().sine_freq = 71;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult result = SaveProgramFile(session, path);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(result);
    EXPECT_TRUE(result.error.contains(QLatin1StringView("file-size limit")))
        << result.error.toStdString();
    EXPECT_EQ(readFile(path), earlier);
    EXPECT_EQ(QDir(dir.path(QString())).entryList(QDir::Files),
              QStringList{QStringLiteral("keep.mqx")});

    EXPECT_FALSE(SaveProgramFile(session, dir.path(QStringLiteral("no/such/folder/x.mqx"))));
}

namespace {

// The type of whatever stands at `path` itself (links not followed), or 0.
mode_t typeAt(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

} // namespace

// A FIFO would block the read for ever; a save would put a regular file in the place of
// whatever stood there.
TEST_F(ProgramFile, OnlyRegularFilesAreReadOrReplaced) {
    const QString fifo = dir.path(QStringLiteral("fifo.mqx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = dir.path(QStringLiteral("socket.mqx"));
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(socketPath);
    ASSERT_LT(static_cast<std::size_t>(native.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const QString folder = dir.path(QStringLiteral("folder.mqx"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString linkToFifo = dir.path(QStringLiteral("link.mqx"));
    ASSERT_TRUE(QFile::link(fifo, linkToFifo));

    struct Row {
        const char* name;
        QString path;
        const char* kind;
        bool saveToo; // never saved over: a device node outside the scratch folder
    };
    const std::vector<Row> rows = {
        {"FIFO", fifo, "a FIFO (named pipe)", true},
        {"socket", socketPath, "a socket", true},
        {"folder", folder, "a folder", true},
        {"link to a FIFO", linkToFifo, "a FIFO (named pipe)", true},
        {"device", QStringLiteral("/dev/null"), "a character device", false},
    };
    for (const Row& row : rows) {
        const QString reason = QStringLiteral("not a regular file but ") + row.kind;
        const FileResult loaded = LoadProgramFile(session, row.path);
        EXPECT_FALSE(loaded) << row.name;
        EXPECT_EQ(loaded.error.toStdString(), reason.toStdString()) << row.name;
        if (!row.saveToo)
            continue;
        const mode_t before = typeAt(row.path);
        const FileResult saved = SaveProgramFile(session, row.path);
        EXPECT_FALSE(saved) << row.name;
        EXPECT_TRUE(saved.error.startsWith(reason))
            << row.name << ": " << saved.error.toStdString();
        EXPECT_EQ(typeAt(row.path), before) << row.name << " was replaced";
    }
    ::close(sock);
    EXPECT_EQ(typeAt(fifo), static_cast<mode_t>(S_IFIFO));
}

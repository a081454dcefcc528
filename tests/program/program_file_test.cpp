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

namespace mqx::test {
namespace {

class ProgramFile : public ::testing::Test {
protected:
    ProgramFile() { ApplyDefaults(session); }
    ScratchDir dir;
    Session session;
};

QByteArray fileOf(const ProgramRecord& r, const char* lineEnd = "\r\n") {
    return QByteArray("MQX-T410VER1.50") + lineEnd + EncodeRecordText(r);
}

// Apply gives each output its own graph and forgets the band memories.
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
    session.staging.out[2].display_mask = 0x3F; // left over from nowhere: must not survive
    session.staging.out[2].filler = 5;
    session.peqBandOff.type[0][0] = 3;
    session.savedBandSettings.channel[1].hpf_freq = 29;
    ASSERT_TRUE(LoadProgramFile(session, path) && session.CurrentRecord() != saved); // not yet
    ApplyLoadedFile(session);
    EXPECT_EQ(session.CurrentRecord(), saved);
    EXPECT_FALSE(session.peqBandOff.holdsAnything() || session.savedBandSettings.holdsAnything());
}

TEST_F(ProgramFile, ReadsEitherLineEndAndCaseAndRefusesWhatIsNotAWholeProgram) {
    ProgramRecord r = session.CurrentRecord();
    r.out[0].level = 0xC8;
    const QByteArray good = fileOf(r);
    const ProgramRecord before = session.CurrentRecord();
    const std::pair<QByteArray, const char*> cases[] = {
        {fileOf(r, "\n").replace("C8", "c8").replace("VER1.50", "VER2.07"), nullptr},
        {good + "\r\n", nullptr}, // an editor's line end after the image does no harm
        {QByteArray(), "MQX-T410"},
        {"XQM-T410VER1.50\r\n" + good.mid(17), "MQX-T410"},
        {"MQX-T410VER1.50", "first line"},
        {good.left(900), "out["},
        {good.chopped(1), "out[5].on"},
        {QByteArray(good).replace(17 + 297 + 10, 1, "x"), "sg_mute"},
        {QByteArray(good).replace(17 + 100, 1, "\n"), "comment"},
        {good + QByteArray(64 * 1024 + 1 - good.size(), ' '), "far too large"},
    };
    for (const auto& [bytes, reason] : cases) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        session.staging.out[0].level = 0;
        const FileResult result = LoadProgramFile(session, writeFile(dir, "f.mqx", bytes));
        EXPECT_EQ(static_cast<bool>(result), !reason);
        EXPECT_TRUE(reason ? result.error.contains(QLatin1StringView(reason))
                           : session.staging.out[0].level == 0xC8)
            << result.error.toStdString();
        EXPECT_EQ(session.CurrentRecord(), before);
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

    EXPECT_TRUE(!result && result.error.contains(QLatin1StringView("file-size limit")))
        << result.error.toStdString();
    EXPECT_EQ(readFile(path), earlier);
    EXPECT_EQ(QDir(dir.path(QString())).entryList(QDir::Files),
              QStringList{QStringLiteral("keep.mqx")});

    EXPECT_FALSE(SaveProgramFile(session, dir.path(QStringLiteral("no/such/folder/x.mqx"))));
}

// The type of whatever stands at `path` itself (links not followed), or 0.
mode_t typeAt(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// A FIFO would block the read; the device node outside the folder is never saved over.
TEST_F(ProgramFile, OnlyRegularFilesAreReadOrReplaced) {
    const QString fifo = dir.path(QStringLiteral("fifo.mqx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = dir.path(QStringLiteral("socket.mqx"));
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(QDir().mkdir(dir.path(QStringLiteral("folder.mqx"))));
    ASSERT_TRUE(QFile::link(fifo, dir.path(QStringLiteral("link.mqx"))));
    const std::pair<QString, const char*> rows[] = {
        {fifo, "a FIFO (named pipe)"},
        {socketPath, "a socket"},
        {dir.path(QStringLiteral("folder.mqx")), "a folder"},
        {dir.path(QStringLiteral("link.mqx")), "a FIFO (named pipe)"},
        {QStringLiteral("/dev/null"), "a character device"},
    };
    for (const auto& [path, kind] : rows) {
        SCOPED_TRACE(path.toStdString());
        const QString reason = QStringLiteral("not a regular file but ") + kind;
        EXPECT_EQ(LoadProgramFile(session, path).error, reason);
        if (path.startsWith(u"/dev/"))
            continue;
        const mode_t before = typeAt(path);
        const FileResult saved = SaveProgramFile(session, path);
        EXPECT_TRUE(!saved && saved.error.startsWith(reason)) << saved.error.toStdString();
        EXPECT_EQ(typeAt(path), before) << "replaced";
    }
    ::close(sock);
    EXPECT_EQ(typeAt(fifo), static_cast<mode_t>(S_IFIFO));
}

} // namespace
} // namespace mqx::test

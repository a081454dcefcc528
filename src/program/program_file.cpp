#include "program/program_file.h"

#include "core/session.h"
#include "program/record_text.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mqx {
namespace {

// Far larger than any program file; a bigger file is not one of ours and is not read whole.
constexpr qint64 kLargestFile = 64 * 1024;

FileResult failure(const QString& reason) {
    return {false, reason};
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Why a file of this type is no program file, or nothing for a regular file.
QString notRegular(mode_t mode) {
    if (S_ISREG(mode))
        return {};
    const char* kind = "something else";
    if (S_ISDIR(mode))
        kind = "a folder";
    else if (S_ISFIFO(mode))
        kind = "a FIFO (named pipe)";
    else if (S_ISCHR(mode))
        kind = "a character device";
    else if (S_ISBLK(mode))
        kind = "a block device";
    else if (S_ISSOCK(mode))
        kind = "a socket";
    return QStringLiteral("not a regular file but %1").arg(QLatin1StringView(kind));
}

// What stands at `path` (through symbolic links) when it is not a regular file.
QString notRegularAt(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return notRegular(st.st_mode);
}

// Opens `path` for reading only when it is a regular file. The type is asked before the
// open, so that no device is opened at all, and again of what was opened, in case the
// name changed hands meanwhile; the open itself does not wait, as it would on a FIFO
// until some writer came.
FileResult openRegular(QFile& file, const QString& path) {
    if (const QString why = notRegularAt(path); !why.isEmpty())
        return failure(why);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failure(systemError());
    struct stat st {};
    QString why = ::fstat(fd, &st) == 0 ? notRegular(st.st_mode) : systemError();
    if (why.isEmpty() && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        why = systemError();
    if (why.isEmpty() && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        why = file.errorString();
    if (!why.isEmpty()) {
        if (!file.isOpen())
            ::close(fd);
        return failure(why);
    }
    return {true, {}};
}

// The largest file this process may write, or -1 for no limit (ulimit -f).
qint64 fileSizeLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return -1;
    return static_cast<qint64>(limit.rlim_cur);
}

} // namespace

FileResult SaveRecordFile(const ProgramRecord& record, const QString& path) {
    // Saving renames a new file over the old name, which would put a regular file in the
    // place of a device node, a FIFO or a socket.
    if (const QString why = notRegularAt(path); !why.isEmpty())
        return failure(why + QStringLiteral("; it is left as it is"));
    QByteArray bytes(kFileHeader);
    bytes.append("\r\n");
    bytes.append(EncodeRecordText(record, RecordImage::Full));
    // Asked first: going past the limit would end the process with SIGXFSZ.
    if (const qint64 limit = fileSizeLimit(); limit >= 0 && limit < bytes.size())
        return failure(QStringLiteral("the file-size limit of this session (ulimit -f) is %1 "
                                      "bytes, smaller than the %2 bytes of a program file")
                           .arg(limit)
                           .arg(bytes.size()));

    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) is seen here: a buffered QSaveFile
    // of Qt 6.4 commits a cut-off file when its final flush writes only part of it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(file.errorString());
    // A short write says nothing of why; writing the rest again makes the system say it.
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            break;
        written += n;
    }
    if (written != bytes.size()) {
        QString reason = file.errorString();
        if (file.error() == QFileDevice::ResourceError)
            reason = QStringLiteral("the disk is full");
        else if (file.error() == QFileDevice::NoError)
            reason = QStringLiteral("the file could not be written whole");
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return {true, {}};
}

FileResult SaveProgramFile(const Session& session, const QString& path) {
    return SaveRecordFile(session.CurrentRecord(), path);
}

FileResult LoadRecordFile(ProgramRecord& into, const QString& path) {
    QFile file;
    if (const FileResult opened = openRegular(file, path); !opened)
        return opened;
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile)
        return failure(QStringLiteral("the file is far too large for a program file"));

    const qsizetype lineEnd = bytes.indexOf('\n');
    QByteArrayView header = QByteArrayView(bytes).first(lineEnd < 0 ? bytes.size() : lineEnd);
    if (header.endsWith('\r'))
        header.chop(1);
    // Only the maker's part of the header is compared: files of other versions load.
    if (!header.startsWith(QByteArrayView(kFileHeader, 8)))
        return failure(QStringLiteral("not an MQX-T410 program file (the first line does not "
                                      "begin with \"MQX-T410\")"));
    if (lineEnd < 0)
        return failure(QStringLiteral("the file ends after its first line"));

    // Fields are read by count and a read never runs past a line end, so a line end
    // inside the image cuts the image short there.
    QByteArrayView data = QByteArrayView(bytes).sliced(lineEnd + 1);
    const qsizetype nextLine = data.indexOf('\n');
    if (nextLine >= 0 && nextLine < kFullImageLength)
        data = data.first(nextLine);
    const DecodeResult decoded = DecodeRecordText(data, into, RecordImage::Full);
    if (!decoded)
        return failure(decoded.error);
    return {true, {}};
}

FileResult LoadProgramFile(Session& session, const QString& path) {
    return LoadRecordFile(session.staging, path);
}

void ApplyLoadedFile(Session& session) {
    ProgramRecord& current = session.CurrentRecord();
    current = session.staging;
    for (int c = 0; c < kOutputCount; ++c) {
        OutputChannel& o = current.out[static_cast<std::size_t>(c)];
        o.display_mask = OutputBit(c);
        o.filler = 0;
    }
    ForgetBandMemories(session);
}

} // namespace mqx

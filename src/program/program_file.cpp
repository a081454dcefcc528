#include "program/program_file.h"

#include "core/session.h"
#include "program/record_text.h"

#include <QFile>
#include <QSaveFile>

namespace mqx {
namespace {

// Far larger than any program file; a bigger file is not one of ours and is not read whole.
constexpr qint64 kLargestFile = 64 * 1024;

FileResult failure(const QString& reason) {
    return {false, reason};
}

} // namespace

FileResult SaveRecordFile(const ProgramRecord& record, const QString& path) {
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) is seen here: a buffered QSaveFile
    // of Qt 6.4 commits a cut-off file when its final flush writes only part of it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure(file.errorString());
    QByteArray bytes(kFileHeader);
    bytes.append("\r\n");
    bytes.append(EncodeRecordText(record, RecordImage::Full));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.error() == QFileDevice::NoError
                                   ? QStringLiteral("the disk is full")
                                   : file.errorString();
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(file.errorString());
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

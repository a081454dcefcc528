#include "program/program_transfer.h"

#include "core/session.h"
#include "link/link_engine.h"
#include "program/record_text.h"

namespace mqx {
namespace {

constexpr qsizetype kLetterAt = 3;
constexpr qsizetype kLengthAt = 7;
constexpr qsizetype kDataAt = 11;

// The four decimal digits of the length field, or -1.
int lengthField(QByteArrayView reply) {
    if (reply.size() < kDataAt)
        return -1;
    int length = 0;
    for (char c : reply.sliced(kLengthAt, 4)) {
        if (c < '0' || c > '9')
            return -1;
        length = length * 10 + (c - '0');
    }
    return length;
}

} // namespace

bool DecodeProgramReply(QByteArrayView reply, Session& session, int n) {
    if (reply.size() <= kLetterAt)
        return false;
    ProgramRecord& record = session.Record(n);
    const char letter = reply[kLetterAt];
    if (letter == 'e') {
        record.empty_flag = 255;
        return false;
    }
    static const CommandTable table;
    RecordImage image;
    if (letter == 'Q')
        image = RecordImage::Full;
    else if (letter == 'I')
        image = RecordImage::Header;
    else
        return false;
    const int expected =
        table[letter == 'Q' ? CmdPdatget : CmdPinfget].replyLength - static_cast<int>(kDataAt);
    if (lengthField(reply) != expected || reply.size() < kDataAt + expected)
        return false;
    if (!DecodeRecordText(reply.sliced(kDataAt, expected), record, image))
        return false;
    if (image == RecordImage::Full)
        ForgetBandMemories(session);
    return true;
}

bool DecodeProgramReply(const LinkEngine& engine, Session& session, int n) {
    return DecodeProgramReply(engine.ReplyBuffer(), session, n);
}

QByteArray EncodeUpload(const ProgramRecord& record) {
    return EncodeRecordText(record, RecordImage::Upload);
}

bool DownloadCurrent(QByteArrayView reply, Session& session) {
    if (reply.size() <= kLetterAt || reply[kLetterAt] != 'Q')
        return false;
    return DecodeProgramReply(reply, session, 0);
}

bool DownloadCurrent(const LinkEngine& engine, Session& session) {
    return DownloadCurrent(engine.ReplyBuffer(), session);
}

} // namespace mqx

#include "link/reply_check.h"

#include "link/request_frame.h"

namespace mqx {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

ReplyCheck CheckReply(const CommandTable& table, int index, int unitId, QByteArrayView reply) {
    if (!CommandTable::isValidIndex(index))
        return ReplyCheck::garbled();

    if (reply.size() > 3 && reply[0] == '(' && reply[3] == 'e') {
        // An error reply from any unit counts; digits that are missing or are not digits
        // make it unreadable rather than some made-up code.
        if (reply.size() < 6 || !isDigit(reply[4]) || !isDigit(reply[5]))
            return ReplyCheck::garbled();
        return ReplyCheck::unitError((reply[4] - '0') * 10 + (reply[5] - '0'));
    }

    QByteArray expected = FrameHead(unitId) + table[index].text;
    qsizetype length = table[index].replyLength;
    if (index >= CmdPlock) {
        expected.truncate(4);
        length = 4;
    }
    if (reply.size() < length)
        return ReplyCheck::garbled();
    return reply.first(length) == expected ? ReplyCheck::match() : ReplyCheck::garbled();
}

} // namespace mqx

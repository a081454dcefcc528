#pragma once
// The judgement of a finished exchange: the expected echo, something garbled, or an error
// reply carrying the unit's error code.

#include "link/command_table.h"

#include <QByteArrayView>

namespace mqx {

class ReplyCheck {
public:
    enum class Kind { Match, Garbled, UnitError };

    static ReplyCheck match() { return ReplyCheck(Kind::Match, 0); }
    static ReplyCheck garbled() { return ReplyCheck(Kind::Garbled, -1); }
    static ReplyCheck unitError(int code) { return ReplyCheck(Kind::UnitError, code); }

    Kind kind() const { return m_kind; }
    bool isMatch() const { return m_kind == Kind::Match; }
    // 0 for the expected echo, -1 for a garbled reply, n for an error reply with code n.
    // An error reply "00" also gives 0, so success is asked of isMatch(), never of code().
    int code() const { return m_code; }

    friend bool operator==(const ReplyCheck&, const ReplyCheck&) = default;

private:
    ReplyCheck(Kind kind, int code) : m_kind(kind), m_code(code) {}

    Kind m_kind = Kind::Garbled;
    int m_code = -1;
};

// Judges `reply` (from its leading "(") as the answer to command `index` from unit
// `unitId`. For hello and bye the whole echo must match; for every other command only the
// head: the unit ID and the first character of the command's text.
ReplyCheck CheckReply(const CommandTable& table, int index, int unitId, QByteArrayView reply);

} // namespace mqx

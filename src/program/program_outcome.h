#pragma once
// How every program management exchange ends on screen: a complete reply that echoes the
// request gives the operation's success text, a unit error code the unit's own text with
// the program number under it, anything else the operation's failure text.

#include "core/prompts.h"

#include <QString>

namespace mqx {

class ReplyCheck;

enum class ProgramAction {
    Delete,
    Recall,
    Download, // the current program fetched after a recall
    ProtectionSet,
    ProtectionClear,
    RecallLockSet,
    RecallLockClear,
    Store,
    Name,
    Information,
};

struct ProgramMessage {
    bool success = false;
    QString title;
    QString text; // empty when the outcome shows nothing
    PromptIcon icon = PromptIcon::Information;
    friend bool operator==(const ProgramMessage&, const ProgramMessage&) = default;
};

// `succeeded`: the exchange ended with a complete reply; `check`: that reply judged
// against the request; `program`: the number the texts name (for a store, the number the
// unit stored to).
ProgramMessage ProgramOutcome(ProgramAction action, bool succeeded, const ReplyCheck& check,
                              int program);

// The second line the program texts carry: "\nProgramNo = 07".
QString ProgramNumberLine(int program);

// A program number as the lists show it: "07".
QString TwoDigits(int number);

} // namespace mqx

#include "program/program_outcome.h"

#include "link/error_text.h"
#include "link/reply_check.h"

namespace mqx {
namespace {

struct Texts {
    const char* title;
    const char* success; // nullptr: nothing shown
    const char* failure;
    bool numbered; // both texts end with the program number line
};

Texts textsOf(ProgramAction action) {
    switch (action) {
    case ProgramAction::Delete:
        return {"List Delete", "The program was deleted.", "The deletion of the program failed.",
                true};
    case ProgramAction::Recall:
        return {"Program Recall", "The program was recalled.", "The recall of the program failed.",
                true};
    case ProgramAction::Download:
        return {"ProgramDownLoad", nullptr, "Program Download Err !!", true};
    case ProgramAction::ProtectionSet:
        return {"Program Protection", "The program was done protection.",
                "The protection of the program failed.", true};
    case ProgramAction::ProtectionClear:
        return {"Program Protection", "The program removed protection.",
                "The protection of the program failed.", true};
    case ProgramAction::RecallLockSet:
        return {"RecallLock", "The program was locked and was recall.",
                "The recall lock of the program failed", true};
    case ProgramAction::RecallLockClear:
        return {"RecallLock", "The program was removed recall lock.",
                "The recall lock of the program failed", true};
    case ProgramAction::Store:
        return {"Program Store", "Program store OK!", "Program store Err!", false};
    case ProgramAction::Name:
        return {"Program Name", "Program name was renewed.", "Can not renew the Program name.",
                false};
    case ProgramAction::Information:
        return {"Program Information", "Program information was renewed.",
                "Can not renew the Program information.", false};
    }
    return {"", nullptr, "", false};
}

} // namespace

QString TwoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString ProgramNumberLine(int program) {
    return QStringLiteral("\nProgramNo = ") + TwoDigits(program);
}

ProgramMessage ProgramOutcome(ProgramAction action, bool succeeded, const ReplyCheck& check,
                              int program) {
    const Texts t = textsOf(action);
    ProgramMessage m;
    m.title = QString::fromLatin1(t.title);
    if (succeeded && check.isMatch()) {
        m.success = true;
        if (t.success != nullptr) {
            // A store names the slot it went to even though its failure cannot.
            const bool numbered = t.numbered || action == ProgramAction::Store;
            m.text = QString::fromLatin1(t.success) +
                     (numbered ? ProgramNumberLine(program) : QString());
        }
        return m;
    }
    m.icon = PromptIcon::Exclamation;
    if (succeeded)
        // An error reply, or a garbled one, whose code no table knows.
        m.text = ErrorText(check.code()) + ProgramNumberLine(program);
    else
        m.text = QString::fromLatin1(t.failure) + (t.numbered ? ProgramNumberLine(program) : "");
    return m;
}

} // namespace mqx

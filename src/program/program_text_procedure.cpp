#include "program/program_text_procedure.h"

#include "core/carried_text.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"
#include "program/program_outcome.h"

#include <algorithm>

namespace mqx {

QByteArray PadProgramText(const QString& text, int width) {
    QByteArray padded(width, '.');
    const QByteArray typed = FilterInfoText(text, 0, width).text.toLatin1();
    padded.replace(0, typed.size(), typed);
    return padded;
}

ProgramTextProcedure::ProgramTextProcedure(ProgramTextKind kind, Session& session,
                                           LinkEngine& engine, Prompts& prompts,
                                           TimerSource& timers)
    : LinkProcedure(engine, timers), m_kind(kind), m_session(session), m_prompts(prompts) {}

int ProgramTextProcedure::width() const {
    return m_kind == ProgramTextKind::Name ? kNameLength : kCommentLength;
}

QString ProgramTextProcedure::currentText() const {
    const ProgramRecord& r = m_session.CurrentRecord();
    return m_kind == ProgramTextKind::Name ? QString::fromLatin1(r.name.data(), kNameLength)
                                           : QString::fromLatin1(r.comment.data(), kCommentLength);
}

void ProgramTextProcedure::store() {
    ProgramRecord& r = m_session.CurrentRecord();
    char* field = m_kind == ProgramTextKind::Name ? r.name.data() : r.comment.data();
    std::copy(m_padded.cbegin(), m_padded.cend(), field);
}

bool ProgramTextProcedure::ok(const QString& text) {
    if (!begin())
        return false;
    m_padded = PadProgramText(text, width());
    if (m_session.ConnectedUnitId == 0) {
        store();
        finish(ProcedureOutcome::Ok);
        return true;
    }
    LinkEngine& link = engine();
    link.setProgramArg(0);
    link.arguments().ArgCode = m_kind == ProgramTextKind::Name ? "2" : "3";
    link.arguments().ArgText = m_padded;
    if (link.IssueCommand(CmdPinfset) == 0) {
        step(SetReplyTimer);
        return true;
    }
    startTimer(SetReplyTimer);
    return true;
}

void ProgramTextProcedure::step(int id) {
    if (!pollDone(id))
        return;
    const LinkEngine& link = engine();
    const ProgramMessage outcome = ProgramOutcome(
        m_kind == ProgramTextKind::Name ? ProgramAction::Name : ProgramAction::Information,
        m_session.ConnectedUnitId != 0 && link.succeeded(), link.CheckReply(CmdPinfset), 0);
    if (outcome.success)
        store();
    m_prompts.message(outcome.title, outcome.text, outcome.icon);
    finish(outcome.success ? ProcedureOutcome::Ok : ProcedureOutcome::Cancel);
}

} // namespace mqx

#include "connection/compare_procedure.h"

#include "core/prompts.h"
#include "core/session.h"
#include "link/error_text.h"
#include "link/link_engine.h"
#include "program/field_labels.h"
#include "program/program_transfer.h"

#include <memory>

namespace mqx {

CompareProcedure::CompareProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                   TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts) {}

bool CompareProcedure::start(CompareStep what) {
    if (!begin())
        return false;
    m_what = what;
    if (pauseMetering(m_session.meterLevels, LevelOffTimer))
        return true;
    transfer();
    return true;
}

void CompareProcedure::transfer() {
    LinkEngine& link = engine();
    link.setProgramArg(0);
    int command = CmdPdatget;
    if (m_what == CompareStep::Send) {
        m_upload = EncodeUpload(m_session.CurrentRecord());
        link.arguments().ArgData = m_upload;
        command = CmdPdatset;
    }
    if (link.IssueCommand(command) == 0) {
        finish(ProcedureOutcome::Cancel);
        return;
    }
    startTimer(ReplyTimer);
}

void CompareProcedure::leave() {
    if (m_session.ConnectedUnitId != 0 && resumeMetering(LevelOnTimer))
        return;
    finish(m_done ? ProcedureOutcome::Ok : ProcedureOutcome::Cancel);
}

QStringList CompareProcedure::differences() const {
    return DiffRecords(m_session.CurrentRecord(), m_unit);
}

bool CompareProcedure::takeUnitProgram() {
    return !m_reply.isEmpty() && DownloadCurrent(m_reply, m_session);
}

void CompareProcedure::step(int id) {
    if (!pollDone(id))
        return;
    if (m_session.ConnectedUnitId == 0) {
        finish(ProcedureOutcome::Cancel);
        return;
    }
    switch (id) {
    case LevelOffTimer:
        engine().StopLevelReading();
        transfer();
        break;
    case ReplyTimer:
        transferDone();
        break;
    default:
        finish(m_done ? ProcedureOutcome::Ok : ProcedureOutcome::Cancel);
        break;
    }
}

void CompareProcedure::transferDone() {
    const LinkEngine& link = engine();
    const int command = m_what == CompareStep::Send ? CmdPdatset : CmdPdatget;
    const ReplyCheck check = link.CheckReply(command);
    m_done = link.succeeded() && check.isMatch();
    if (m_done && m_what == CompareStep::Fetch) {
        // Read into a session of its own: the operator's program and memories stay.
        auto scratch = std::make_unique<Session>();
        m_done = DownloadCurrent(link, *scratch);
        if (m_done) {
            m_unit = scratch->CurrentRecord();
            m_reply = link.ReplyBuffer();
        }
    }
    if (!m_done) {
        const QString unit = QStringLiteral("\nMQX-T410 ID = %1")
                                 .arg(m_session.ConnectedUnitId, 2, 10, QLatin1Char('0'));
        const QString what = m_what == CompareStep::Send
                                 ? QStringLiteral("The PC's program could not be sent to the unit.")
                                 : QStringLiteral("The unit's program could not be read.");
        m_prompts.message(QStringLiteral("Compare with unit"),
                          link.succeeded() && check.kind() == ReplyCheck::Kind::UnitError
                              ? ErrorText(check.code()) + unit
                              : what + unit,
                          PromptIcon::Exclamation);
    }
    leave();
}

} // namespace mqx

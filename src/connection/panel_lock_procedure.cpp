#include "connection/panel_lock_procedure.h"

#include "core/session.h"
#include "link/error_text.h"
#include "link/link_engine.h"

namespace mqx {
namespace {

const QString kTitle = QStringLiteral("Panel Operation Lock");

} // namespace

PanelLockProcedure::PanelLockProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                       TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts) {}

QString PanelLockProcedure::idLine() const {
    return QStringLiteral("\nMQX-T410 ID = %1")
        .arg(m_session.ConnectedUnitId, 2, 10, QLatin1Char('0'));
}

bool PanelLockProcedure::start(bool lock) {
    if (!begin())
        return false;
    m_lock = lock;
    m_retries = 0;
    if (!issueRequest())
        return true;
    startTimer(RequestReplyTimer);
    return true;
}

bool PanelLockProcedure::issueRequest() {
    if (engine().IssueCommand(m_lock ? CmdPlock : CmdAplock) != 0)
        return true;
    fail();
    return false;
}

void PanelLockProcedure::step(int id) {
    LinkEngine& link = engine();
    const int request = m_lock ? CmdPlock : CmdAplock;
    switch (id) {
    case RequestReplyTimer: {
        if (!pollDone(id))
            return;
        if (!link.succeeded())
            return fail();
        const ReplyCheck check = link.CheckReply(request);
        QString text;
        if (check.isMatch()) {
            if (m_lock)
                prepare(QStringLiteral("Panel operation was locked.") + idLine(),
                        PromptIcon::Information);
            else
                prepare(QStringLiteral("The lock of panel operation was canceled.\nMQX-T410 "
                                       "ID = %1")
                            .arg(m_session.ConnectedUnitId),
                        PromptIcon::Information);
        } else if (ErrorText(check.code(), text)) {
            prepare(text + idLine(), PromptIcon::Exclamation);
        } else if (m_retries >= kRetries) {
            prepare(text + idLine(), PromptIcon::Exclamation);
        } else {
            ++m_retries;
            if (issueRequest())
                startTimer(RequestReplyTimer);
        }
        break;
    }
    case StateTimer:
        if (link.IssueCommand(CmdPnllock) == 0)
            return fail();
        startTimer(StateReplyTimer);
        break;
    case StateReplyTimer:
        if (!pollDone(id))
            return;
        if (!link.succeeded())
            return fail();
        if (link.CheckReply(CmdPnllock).isMatch()) {
            m_session.PanelLockState = link.ReplyBuffer().size() > 4 ? link.ReplyBuffer()[4] : 0;
            m_prompts.message(kTitle, m_message, m_icon);
            if (m_statusChanged)
                m_statusChanged();
            finish(ProcedureOutcome::Ok);
        } else if (m_retries >= kRetries) {
            fail();
        } else {
            ++m_retries;
            startTimer(StateTimer);
        }
        break;
    default:
        break;
    }
}

void PanelLockProcedure::prepare(const QString& text, PromptIcon icon) {
    m_message = text;
    m_icon = icon;
    m_retries = 0;
    startTimer(StateTimer);
}

void PanelLockProcedure::fail() {
    m_prompts.message(kTitle, QStringLiteral("The lock of panel operation failed.") + idLine(),
                      PromptIcon::Exclamation);
    finish(ProcedureOutcome::Cancel);
}

} // namespace mqx

#include "connection/connect_procedure.h"

#include "connection/unit_scan_procedure.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/error_text.h"
#include "link/link_engine.h"

namespace mqx {

ConnectProcedure::ConnectProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                   TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts), m_timerSource(timers) {
}

std::unique_ptr<UnitScanProcedure> ConnectProcedure::newScan() {
    return std::make_unique<UnitScanProcedure>(m_session, engine(), m_timerSource);
}

QString ConnectProcedure::failureText(int unitId) {
    return QStringLiteral("Cannot connect MQX-T410(ID=%1)").arg(unitId);
}

bool ConnectProcedure::start(int port, int unitId) {
    if (!isIdle())
        return false;
    m_session.settings.LastPort = port;
    m_session.settings.LastUnitId = unitId;
    return start(QString::number(port), unitId);
}

bool ConnectProcedure::start(const QString& portText, int unitId) {
    if (!begin())
        return false;
    m_session.ConnectedUnitId = unitId;
    if (engine().OpenLink(portText) == 0) {
        // The port has already said what went wrong with it.
        fail();
        return true;
    }
    step(HelloTimer);
    return true;
}

bool ConnectProcedure::cancel() {
    if (!begin())
        return false;
    m_session.ConnectedUnitId = 0;
    finish(ProcedureOutcome::Cancel);
    return true;
}

void ConnectProcedure::step(int id) {
    LinkEngine& link = engine();
    switch (id) {
    case HelloTimer:
        if (link.IssueCommand(CmdHello) == 0)
            return fail();
        startTimer(HelloReplyTimer);
        break;
    case HelloReplyTimer:
        if (!pollDone(id))
            return;
        if (!link.succeeded() || !link.CheckReply(CmdHello).isMatch())
            return fail();
        m_greeted = true;
        startTimer(InfoTimer);
        break;
    case InfoTimer:
        if (link.IssueCommand(CmdDevinfget) == 0)
            return fail();
        startTimer(InfoReplyTimer);
        break;
    case InfoReplyTimer:
        if (!pollDone(id))
            return;
        if (!link.succeeded())
            return fail();
        if (refused(CmdDevinfget))
            return;
        m_session.DeviceInfoText = link.payload().left(256);
        startTimer(LockTimer);
        break;
    case LockTimer:
        if (link.IssueCommand(CmdPnllock) == 0)
            return fail();
        startTimer(LockReplyTimer);
        break;
    case LockReplyTimer:
        if (!pollDone(id))
            return;
        if (!link.succeeded())
            return fail();
        if (refused(CmdPnllock))
            return;
        m_session.PanelLockState = link.ReplyBuffer().size() > 4 ? link.ReplyBuffer()[4] : '\0';
        if (m_statusChanged)
            m_statusChanged();
        finish(ProcedureOutcome::Ok);
        break;
    case ByeReplyTimer:
        if (pollDone(id))
            endFailed();
        break;
    default:
        break;
    }
}

bool ConnectProcedure::refused(int command) {
    // The head of these replies is not checked, but an error reply is no information and
    // no lock state: its two digits would otherwise pass for them.
    const ReplyCheck check = engine().CheckReply(command);
    if (check.kind() != ReplyCheck::Kind::UnitError)
        return false;
    m_unitError = check.code();
    fail();
    return true;
}

void ConnectProcedure::fail() {
    if (m_greeted && engine().IssueCommand(CmdBye) != 0) {
        startTimer(ByeReplyTimer);
        return;
    }
    endFailed();
}

void ConnectProcedure::endFailed() {
    const int unitId = m_session.ConnectedUnitId;
    engine().CloseLink();
    m_session.ConnectedUnitId = 0;
    const QString text =
        m_unitError < 0
            ? failureText(unitId)
            : ErrorText(m_unitError) +
                  QStringLiteral("\nMQX-T410 ID = %1").arg(unitId, 2, 10, QLatin1Char('0'));
    m_prompts.message(QString::fromLatin1(kApplicationTitle), text, PromptIcon::Exclamation);
    finish(ProcedureOutcome::Cancel);
}

} // namespace mqx

#include "connection/select_data_procedure.h"

#include "connection/connect_procedure.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/error_text.h"
#include "link/link_engine.h"
#include "program/program_transfer.h"

namespace mqx {

SelectDataProcedure::SelectDataProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                         TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts) {}

bool SelectDataProcedure::start(TransferDirection direction) {
    if (!begin())
        return false;
    m_direction = direction;
    LinkEngine& link = engine();
    link.setProgramArg(0);
    int command = CmdPdatget;
    if (direction == TransferDirection::Upload) {
        m_upload = EncodeUpload(m_session.CurrentRecord());
        link.arguments().ArgData = m_upload;
        command = CmdPdatset;
    }
    if (link.IssueCommand(command) == 0) {
        dropConnection();
        return true;
    }
    m_transferring = true;
    startTimer(TransferReplyTimer);
    return true;
}

bool SelectDataProcedure::cancel() {
    if (m_transferring) {
        stopTransfer();
        return true;
    }
    if (!begin())
        return false;
    dropConnection();
    return true;
}

void SelectDataProcedure::stopTransfer() {
    m_transferring = false;
    // The unit may still be sending its program, so no echo of bye would be read in time;
    // bye goes out as a bare frame and closing the port ends the wait as failed.
    engine().SendFrame(CmdBye);
    engine().CloseLink();
    finish(ProcedureOutcome::Cancel);
}

void SelectDataProcedure::step(int id) {
    if (!pollDone(id))
        return;
    if (id == TransferReplyTimer) {
        transferDone();
        return;
    }
    engine().CloseLink();
    finish(ProcedureOutcome::Cancel);
}

void SelectDataProcedure::transferDone() {
    m_transferring = false;
    const LinkEngine& link = engine();
    const int command = m_direction == TransferDirection::Upload ? CmdPdatset : CmdPdatget;
    const ReplyCheck check = link.CheckReply(command);
    // An error reply completes an exchange as well as the data does; only the echo of
    // the request, and for a download data that reads, make a transfer.
    bool transferred = link.succeeded() && check.isMatch();
    if (transferred && m_direction == TransferDirection::Download)
        transferred = DownloadCurrent(link, m_session);
    if (transferred) {
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QStringLiteral("Connection Completed"), PromptIcon::Information);
        finish(ProcedureOutcome::Ok);
        return;
    }
    const int unitId = m_session.ConnectedUnitId;
    if (link.succeeded() && check.kind() == ReplyCheck::Kind::UnitError)
        m_prompts.message(
            QStringLiteral("Select Data"),
            ErrorText(check.code()) +
                QStringLiteral("\nMQX-T410 ID = %1").arg(unitId, 2, 10, QLatin1Char('0')),
            PromptIcon::Exclamation);
    else
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          ConnectProcedure::failureText(unitId), PromptIcon::Exclamation);
    dropConnection();
}

void SelectDataProcedure::dropConnection() {
    if (engine().IssueCommand(CmdBye) != 0) {
        startTimer(ByeReplyTimer);
        return;
    }
    engine().CloseLink();
    finish(ProcedureOutcome::Cancel);
}

} // namespace mqx

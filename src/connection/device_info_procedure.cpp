#include "connection/device_info_procedure.h"

#include "connection/device_info_text.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/error_text.h"
#include "link/link_engine.h"

namespace mqx {
namespace {

const QString kTitle = QStringLiteral("Devices Information");

} // namespace

DeviceInfoProcedure::DeviceInfoProcedure(DeviceInfoMode mode, Session& session, LinkEngine& engine,
                                         Prompts& prompts, TimerSource& timers)
    : LinkProcedure(engine, timers), m_mode(mode), m_session(session), m_prompts(prompts) {}

bool DeviceInfoProcedure::ok(const QString& text) {
    if (!begin())
        return false;
    if (m_mode == DeviceInfoMode::Connection || m_session.ConnectedUnitId == 0) {
        finish(ProcedureOutcome::Ok);
        return true;
    }
    m_text = PadDeviceInfoText(text);
    engine().setProgramArg(0);
    engine().arguments().ArgText = m_text;
    if (engine().IssueCommand(CmdDevinfset) == 0) {
        m_prompts.message(kTitle, QStringLiteral("Can not renew the information of the devices."),
                          PromptIcon::Exclamation);
        finish(ProcedureOutcome::Cancel);
        return true;
    }
    startTimer(SetReplyTimer);
    return true;
}

bool DeviceInfoProcedure::cancel() {
    if (!begin())
        return false;
    if (m_mode == DeviceInfoMode::Edit) {
        finish(ProcedureOutcome::Cancel);
        return true;
    }
    if (engine().IssueCommand(CmdBye) != 0) {
        startTimer(ByeReplyTimer);
    } else {
        engine().CloseLink();
        finish(ProcedureOutcome::Cancel);
    }
    return true;
}

void DeviceInfoProcedure::step(int id) {
    if (!pollDone(id))
        return;
    if (id == ByeReplyTimer) {
        engine().CloseLink();
        finish(ProcedureOutcome::Cancel);
        return;
    }
    // An error reply is a complete reply too; the text counts as renewed only when the
    // unit echoed the request.
    const ReplyCheck check = engine().CheckReply(CmdDevinfset);
    if (!engine().succeeded() || !check.isMatch()) {
        QString text = QStringLiteral("Can not renew the information of the devices.");
        if (engine().succeeded() && check.kind() == ReplyCheck::Kind::UnitError)
            text = ErrorText(check.code()) +
                   QStringLiteral("\nMQX-T410 ID = %1")
                       .arg(m_session.ConnectedUnitId, 2, 10, QLatin1Char('0'));
        m_prompts.message(kTitle, text, PromptIcon::Exclamation);
        finish(ProcedureOutcome::Cancel);
        return;
    }
    m_session.DeviceInfoText = m_text;
    m_prompts.message(kTitle, QStringLiteral("That devices information were renewed."),
                      PromptIcon::Information);
    finish(ProcedureOutcome::Ok);
}

} // namespace mqx

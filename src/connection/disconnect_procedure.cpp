#include "connection/disconnect_procedure.h"

#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"

namespace mqx {

DisconnectProcedure::DisconnectProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                         TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts) {}

bool DisconnectProcedure::start() {
    if (!begin())
        return false;
    // A unit that no longer answers is this procedure's own failure from here on.
    engine().watchUnit(false);
    step(LevelOffTimer);
    return true;
}

void DisconnectProcedure::step(int id) {
    LinkEngine& link = engine();
    switch (id) {
    case LevelOffTimer:
        if (!link.MeteringOn()) {
            // Nothing to stop: straight on to the bye.
            m_session.meterLevels.setAtRest();
            return step(ByeTimer);
        }
        if (link.levelReadGuard()) {
            startTimer(LevelOffTimer);
            return;
        }
        // StopLevelReading also discards what has arrived, so no level frame is taken
        // for the reply to levoff.
        link.StopLevelReading();
        m_session.meterLevels.setAtRest();
        link.setMeteringOn(false);
        if (link.IssueCommand(CmdLevoff) == 0)
            return end(false);
        startTimer(LevelOffReplyTimer);
        break;
    case LevelOffReplyTimer:
        if (!pollDone(id))
            return;
        m_levelOffFailed = !link.succeeded();
        startTimer(ByeTimer);
        break;
    case ByeTimer:
        if (link.IssueCommand(CmdBye) == 0)
            return end(false);
        startTimer(ByeReplyTimer);
        break;
    case ByeReplyTimer:
        if (pollDone(id))
            end(link.succeeded() && !m_levelOffFailed);
        break;
    default:
        break;
    }
}

void DisconnectProcedure::end(bool completed) {
    engine().CloseLink();
    m_completed = completed;
    if (completed)
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QStringLiteral("Disconnect Completed"), PromptIcon::Information);
    else
        m_prompts.message(QString::fromLatin1(kApplicationTitle),
                          QStringLiteral("Disconnect Not Completed"), PromptIcon::Exclamation);
    finish(ProcedureOutcome::Ok);
}

} // namespace mqx

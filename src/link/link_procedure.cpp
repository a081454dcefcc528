#include "link/link_procedure.h"

#include "link/link_engine.h"

namespace mqx {

LinkProcedure::LinkProcedure(LinkEngine& engine, TimerSource& timers)
    : m_engine(engine), m_timers(timers.createTimers(*this)) {
    m_engine.addExchangeListener(this);
}

LinkProcedure::~LinkProcedure() {
    m_engine.removeExchangeListener(this);
}

void LinkProcedure::exchangeEnded() {
    for (int id : m_running)
        m_timers->start(id, 0);
}

void LinkProcedure::onTimer(int id) {
    m_timers->stop(id);
    m_running.erase(id);
    if (m_state == State::Running)
        step(id);
}

bool LinkProcedure::begin() {
    if (m_state != State::Idle)
        return false;
    m_state = State::Running;
    return true;
}

void LinkProcedure::startTimer(int id) {
    const bool idle = m_engine.done() && m_engine.PendingCommand() < 0;
    m_timers->start(id, idle ? 0 : kPollMs);
    m_running.insert(id);
}

bool LinkProcedure::pollDone(int id) {
    // A command issued while another exchange ran (the engine's own levon, say) waits in
    // the queue slot; the done flag then still speaks of that other exchange.
    if (m_engine.done() && m_engine.PendingCommand() < 0)
        return true;
    startTimer(id);
    return false;
}

void LinkProcedure::finish(ProcedureOutcome outcome) {
    if (m_state == State::Ended)
        return;
    m_state = State::Ended;
    m_outcome = outcome;
    if (m_finished)
        m_finished(outcome);
}

bool LinkProcedure::pauseMetering(MeterLevels& meters, int replyTimer) {
    m_meteringPaused = m_engine.MeteringOn();
    if (!m_meteringPaused)
        return false;
    m_engine.StopLevelReading();
    m_engine.setMeteringOn(false);
    meters.setAtRest();
    if (m_engine.IssueCommand(CmdLevoff) == 0)
        return false;
    startTimer(replyTimer);
    return true;
}

bool LinkProcedure::resumeMetering(int replyTimer) {
    if (!m_meteringPaused)
        return false;
    m_engine.StopLevelReading();
    m_engine.setMeteringOn(true);
    if (m_engine.IssueCommand(CmdLevon) == 0)
        return false;
    startTimer(replyTimer);
    return true;
}

} // namespace mqx

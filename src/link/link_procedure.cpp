#include "link/link_procedure.h"

#include "link/link_engine.h"

namespace mqx {

LinkProcedure::LinkProcedure(LinkEngine& engine, TimerSource& timers)
    : m_engine(engine), m_timers(timers.createTimers(*this)) {}

LinkProcedure::~LinkProcedure() = default;

void LinkProcedure::onTimer(int id) {
    m_timers->stop(id);
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
    m_timers->start(id, kPollMs);
}

bool LinkProcedure::pollDone(int id) {
    if (m_engine.done())
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

} // namespace mqx

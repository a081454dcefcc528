#pragma once
// What every dialog's exchange with the unit has in common. A procedure issues commands
// through the link engine, polls the engine's done flag on numbered 60 ms timers of its
// own (each stopped when it fires, so a step runs once per start), and ends once with an
// outcome, OK or Cancel, reported to whoever started it. The dialog that shows it only
// gathers the operator's choice and closes on the outcome.
//
// A procedure acts once: starting it again, while it runs or after it has ended, does
// nothing. Destroying it stops its timers.

#include "link/timer_source.h"

#include <functional>
#include <memory>

namespace mqx {

class LinkEngine;

enum class ProcedureOutcome { Ok, Cancel };

class LinkProcedure : public TimerClient {
public:
    static constexpr int kPollMs = 60;

    LinkProcedure(LinkEngine& engine, TimerSource& timers);
    ~LinkProcedure() override;
    LinkProcedure(const LinkProcedure&) = delete;
    LinkProcedure& operator=(const LinkProcedure&) = delete;

    bool isIdle() const { return m_state == State::Idle; }
    bool isRunning() const { return m_state == State::Running; }
    bool hasEnded() const { return m_state == State::Ended; }
    // Meaningful once the procedure has ended.
    ProcedureOutcome outcome() const { return m_outcome; }

    // Called once, when the procedure ends. The callback must not destroy the procedure.
    void setFinishedCallback(std::function<void(ProcedureOutcome)> callback) {
        m_finished = std::move(callback);
    }

    void onTimer(int id) final;

protected:
    // One step of the sequence: timer `id` has fired and has been stopped.
    virtual void step(int id) = 0;

    // Claims the procedure for one run; false when it has been started before.
    bool begin();
    void startTimer(int id);
    // True once the exchange of the command last issued has ended; otherwise timer `id`
    // polls again.
    bool pollDone(int id);
    void finish(ProcedureOutcome outcome);

    LinkEngine& engine() { return m_engine; }
    const LinkEngine& engine() const { return m_engine; }

private:
    enum class State { Idle, Running, Ended };

    LinkEngine& m_engine;
    State m_state = State::Idle;
    ProcedureOutcome m_outcome = ProcedureOutcome::Cancel;
    std::function<void(ProcedureOutcome)> m_finished;
    // Last, so no tick arrives while the rest is being torn down.
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx

#pragma once
// What every dialog's exchange with the unit has in common. A procedure issues commands
// through the link engine, polls the engine's done flag on numbered timers of its own
// (each stopped when it fires, so a step runs once per start), and ends once with an
// outcome, OK or Cancel, reported to whoever started it. The dialog that shows it only
// gathers the operator's choice and closes on the outcome.
//
// A step that waits on an exchange polls every 60 ms, and the engine's word that an
// exchange has ended brings the poll forward, so the reply is judged the moment it is
// complete; a step with nothing to wait for goes at once. The engine keeps the rest the
// line needs between a reply and the next request.
//
// A procedure acts once: starting it again, while it runs or after it has ended, does
// nothing. Destroying it stops its timers.

#include "link/link_engine.h"
#include "link/timer_source.h"

#include <functional>
#include <memory>
#include <set>

namespace mqx {

enum class ProcedureOutcome { Ok, Cancel };

class LinkProcedure : public TimerClient, private ExchangeListener {
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
    // Runs step `id`: at once (on the next turn of the event loop) when the engine is idle,
    // else as a poll every 60 ms that the end of the exchange brings forward.
    void startTimer(int id);
    // True once the exchange of the command last issued has ended; otherwise timer `id`
    // polls again.
    bool pollDone(int id);
    void finish(ProcedureOutcome outcome);

    // For exchanges that must have the line to themselves (transfers, program lists):
    // stops the level stream and, when metering was on, asks the unit to stop sending and
    // shows the meters at rest. True when that levoff went out; timer `replyTimer` then
    // waits for its reply. Stopping the level reading also throws away what has arrived
    // of the stream.
    bool pauseMetering(MeterLevels& meters, int replyTimer);
    // Turns metering back on if pauseMetering turned it off. True when the levon went
    // out; timer `replyTimer` then waits for its reply.
    bool resumeMetering(int replyTimer);

    LinkEngine& engine() { return m_engine; }
    const LinkEngine& engine() const { return m_engine; }

private:
    enum class State { Idle, Running, Ended };

    void exchangeEnded() override;

    LinkEngine& m_engine;
    State m_state = State::Idle;
    ProcedureOutcome m_outcome = ProcedureOutcome::Cancel;
    std::function<void(ProcedureOutcome)> m_finished;
    std::set<int> m_running; // timers started and not yet fired
    bool m_meteringPaused = false;
    // Last, so no tick arrives while the rest is being torn down.
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx

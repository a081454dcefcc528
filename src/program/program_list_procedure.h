#pragma once
// The Program List dialog's sequences, from opening to Exit:
//
//   levoff --> pinfget 1 .. 50, each read into records 1..50 as it comes --> ready
//   ready: protection (pprt), recall lock (rcallr), recall (+ pdatget of the current
//          program), delete (pgdell), one at a time
//   Exit --> levon (when metering ran at opening) --> ended
//
// The level stream is stopped for the whole dialog so that no level frame mixes with its
// replies. A read that fails ends the reading where it is: the lines read so far stay and
// only Exit remains. A lost line ends the procedure at once (lineLost).

#include "link/link_procedure.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace mqx {

class Prompts;
struct Session;

class ProgramListProcedure : public LinkProcedure {
public:
    enum TimerId : int {
        LevelOffReplyTimer = 60,
        ReadTimer = 61,
        ReadReplyTimer = 62,
        ActionReplyTimer = 63,
        DownloadReplyTimer = 64,
        LeaveTimer = 65,
        LevelOnReplyTimer = 66,
    };
    enum class Phase { Idle, Reading, Ready, Stopped, Leaving, Ended };

    ProgramListProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                         TimerSource& timers);

    // Opening: stops metering and reads the list. Without `readList` (a command-line
    // action on one slot) it is ready at once. False when it ran before.
    bool start(bool readList = true);
    // Each action acts only while the list is ready and no other action runs; false when
    // it was ignored or the operator said no. `writeEnable` and `recallLock` are what the
    // choosers returned.
    bool protect(int slot, std::uint8_t writeEnable);
    bool lock(int slot, std::uint8_t recallLock);
    bool recall(int slot);
    bool remove(int slot);
    // Exit: a read under way is let finish, then metering is restarted and the procedure
    // ends. Ignored while an action runs.
    bool exit();
    // The link has gone: end at once, nothing more is sent.
    void lineLost();

    Phase phase() const { return m_phase; }
    bool isBusy() const { return m_busy; }
    // Slots read so far (1..n).
    int slotsRead() const { return m_read; }
    // Asked before a recall when the OFF buttons remember settings; true goes on.
    void setCaution(std::function<bool()> caution) { m_caution = std::move(caution); }
    // Line `slot` has new content.
    void setLineCallback(std::function<void(int slot)> callback) { m_line = std::move(callback); }
    // The phase or the busy flag changed; `slot` is the slot the last action was about
    // (0: none).
    void setStateCallback(std::function<void(int slot)> callback) { m_state = std::move(callback); }
    // Record 0 now holds a recalled program.
    void setProgramReplacedCallback(std::function<void()> callback) {
        m_replaced = std::move(callback);
    }

private:
    enum class Action { None, Protect, Lock, Recall, Delete };

    void step(int id) override;
    void readNext();
    void readDone();
    void actionDone();
    void downloadDone();
    bool beginAction(int slot, Action action, int command);
    void endAction();
    void leave();
    void setPhase(Phase phase);
    void show(const struct ProgramMessage& message);
    bool connected() const;

    Session& m_session;
    Prompts& m_prompts;
    std::function<bool()> m_caution;
    std::function<void(int)> m_line;
    std::function<void(int)> m_state;
    std::function<void()> m_replaced;
    Phase m_phase = Phase::Idle;
    bool m_busy = false;
    bool m_exitAsked = false;
    int m_read = 0;
    int m_toRead = 0;
    Action m_action = Action::None;
    int m_slot = 0;
    std::uint8_t m_value = 0;
};

} // namespace mqx

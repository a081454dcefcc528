#pragma once
// The Program Store dialog's sequences:
//
//   levoff --> pinfget of the slot the current program came from --> ready
//   ready: choosing a slot reads its header (pinfget); "New" reads nothing
//   Store Exec --> (question when the slot holds a program) --> store --> levon --> ended
//   Exit --> levon --> ended
//
// Metering is stopped for the whole dialog and restarted on leaving when it ran at
// opening. Only a slot the unit says is empty, or "New", is stored to without asking: a
// slot whose header could not be read may hold a program.

#include "link/link_procedure.h"

#include <QString>

#include <functional>

namespace mqx {

class Prompts;
struct Session;

class ProgramStoreProcedure : public LinkProcedure {
public:
    enum TimerId : int {
        LevelOffReplyTimer = 60,
        ReadReplyTimer = 61,
        StoreReplyTimer = 62,
        LevelOnReplyTimer = 63,
    };
    // What is known of the chosen slot.
    enum class SlotState { New, Reading, Used, Unused, Unknown };

    ProgramStoreProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                          TimerSource& timers);

    // Opening: stops metering, then chooses the current program's own slot.
    bool start();
    // 0 = "New", 1..50 a slot. A read under way finishes first; the newest choice is read
    // after it.
    void choose(int entry);
    // "Store Exec"; ignored while busy. Without a unit the procedure just ends.
    bool storeExec();
    // "Exit"; ignored while busy.
    bool exit();
    void lineLost();

    int chosen() const { return m_chosen; }
    SlotState slotState() const { return m_slotState; }
    bool isBusy() const;
    // The texts of the "Selected Program" group.
    QString selectedName() const;
    QString selectedInformation() const;
    // Whether the store went through (meaningful once ended).
    bool stored() const { return m_stored; }

    // Something the dialog shows changed.
    void setStateCallback(std::function<void()> callback) { m_state = std::move(callback); }

private:
    void step(int id) override;
    void readChosen();
    void readDone();
    void storeDone();
    void leave();
    void changed();
    bool connected() const;

    Session& m_session;
    Prompts& m_prompts;
    std::function<void()> m_state;
    bool m_ready = false; // levoff done
    bool m_storing = false;
    bool m_leaving = false;
    bool m_reading = false;
    bool m_stored = false;
    int m_chosen = 0;
    int m_target = 0;
    int m_readSlot = 0; // the slot whose read runs
    SlotState m_slotState = SlotState::New;
};

} // namespace mqx

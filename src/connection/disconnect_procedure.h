#pragma once
// The Disconnect dialog's sequence: stop the level stream (levoff), say goodbye (bye),
// close the port.
//
//   65 levoff --> 66 --> 61 bye --> 60 --> port closed, "Disconnect Completed"
//
// With metering already off (mqxtool, or a unit whose stream never started) it begins at
// the bye. It always ends with OK: whatever the unit answered, the controller is no
// longer connected. When the unit did not answer levoff the bye is still sent and waited
// for, so the unit hears it before the port closes, and the message says the disconnection
// was not completed.

#include "link/link_procedure.h"

namespace mqx {

class Prompts;
struct Session;

class DisconnectProcedure : public LinkProcedure {
public:
    enum TimerId : int {
        LevelOffTimer = 65,
        LevelOffReplyTimer = 66,
        ByeTimer = 61,
        ByeReplyTimer = 60,
    };

    DisconnectProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                        TimerSource& timers);

    // The dialog's OK; false when the procedure ran before.
    bool start();
    // Once ended: whether the unit answered every step.
    bool completed() const { return m_completed; }

private:
    void step(int id) override;
    void end(bool completed);

    Session& m_session;
    Prompts& m_prompts;
    bool m_levelOffFailed = false;
    bool m_completed = false;
};

} // namespace mqx

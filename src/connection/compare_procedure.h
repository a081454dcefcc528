#pragma once
// Connect > "Compare with unit...": the unit's current program is fetched (pdatget "000")
// into a record of its own, never into the operator's, and held against it field by
// field. The comparison window then offers two ways out, each a procedure of its own:
// send the PC's program (pdatset, as an upload at connection does) or take the unit's
// (read as a download at connection is, and the PC's program is replaced).
//
//   CompareProcedure fetch; fetch.start(CompareStep::Fetch) --> differences()
//   CompareProcedure send;  send.start(CompareStep::Send)   --> the unit holds the PC's
//   fetch.takeUnitProgram()                                  --> the PC holds the unit's
//
// A fetch or send that fails (no reply, an error reply, data that does not read) says
// why and leaves both programs as they were; the connection stays. Metering stands still
// while the program is on the line, as for every program transfer.

#include "core/program_record.h"
#include "link/link_procedure.h"

#include <QByteArray>
#include <QStringList>

namespace mqx {

class Prompts;
struct Session;

enum class CompareStep { Fetch, Send };

class CompareProcedure : public LinkProcedure {
public:
    enum TimerId : int { LevelOffTimer = 62, ReplyTimer = 63, LevelOnTimer = 64 };

    CompareProcedure(Session& session, LinkEngine& engine, Prompts& prompts, TimerSource& timers);

    bool start(CompareStep what);

    // After a fetch that ended with OK.
    const ProgramRecord& unitProgram() const { return m_unit; }
    QStringList differences() const;
    // Replaces the PC's program with the fetched one, as a download does.
    bool takeUnitProgram();

private:
    void step(int id) override;
    void transfer();
    void transferDone();
    void leave();

    Session& m_session;
    Prompts& m_prompts;
    CompareStep m_what = CompareStep::Fetch;
    bool m_done = false;
    QByteArray m_upload;
    QByteArray m_reply; // the fetched program's reply, as it came
    ProgramRecord m_unit{};
};

} // namespace mqx

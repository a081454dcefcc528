#include "program/program_list_procedure.h"

#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"
#include "program/program_list_text.h"
#include "program/program_outcome.h"
#include "program/program_transfer.h"

namespace mqx {

ProgramListProcedure::ProgramListProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                           TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts) {}

bool ProgramListProcedure::connected() const {
    return m_session.ConnectedUnitId != 0;
}

void ProgramListProcedure::setPhase(Phase phase) {
    m_phase = phase;
    if (m_state)
        m_state(m_slot);
}

bool ProgramListProcedure::start(bool readList) {
    if (!begin())
        return false;
    m_toRead = readList ? kProgramSlots : 0;
    m_phase = Phase::Reading;
    if (pauseMetering(m_session.meterLevels, LevelOffReplyTimer)) {
        setPhase(Phase::Reading);
        return true;
    }
    setPhase(Phase::Reading);
    readNext();
    return true;
}

void ProgramListProcedure::readNext() {
    if (m_exitAsked || m_read >= m_toRead) {
        if (m_exitAsked)
            return leave();
        return setPhase(Phase::Ready);
    }
    engine().setProgramArg(m_read + 1);
    if (engine().IssueCommand(CmdPinfget) == 0)
        return setPhase(Phase::Stopped);
    startTimer(ReadReplyTimer);
}

void ProgramListProcedure::readDone() {
    const LinkEngine& link = engine();
    const int n = m_read + 1;
    const ReplyCheck check = link.CheckReply(CmdPinfget);
    // An error reply says the slot holds nothing; anything but that or a header that reads
    // ends the reading, so no line shows what an earlier unit held in that slot.
    bool read = false;
    if (link.succeeded() && check.kind() == ReplyCheck::Kind::UnitError) {
        DecodeProgramReply(link, m_session, n);
        read = true;
    } else if (link.succeeded() && check.isMatch()) {
        read = DecodeProgramReply(link, m_session, n);
    }
    if (!read) {
        if (m_exitAsked)
            return leave();
        return setPhase(Phase::Stopped);
    }
    m_read = n;
    if (m_line)
        m_line(n);
    readNext();
}

bool ProgramListProcedure::beginAction(int slot, Action action, int command) {
    m_busy = true;
    m_action = action;
    m_slot = slot;
    engine().setProgramArg(slot);
    engine().arguments().ArgCode = engine().arguments().ProgramArg;
    setPhase(m_phase);
    if (engine().IssueCommand(command) == 0) {
        actionDone();
        return true;
    }
    startTimer(ActionReplyTimer);
    return true;
}

bool ProgramListProcedure::protect(int slot, std::uint8_t writeEnable) {
    if (m_phase != Phase::Ready || m_busy || slot < 1 || slot > kProgramSlots)
        return false;
    m_value = writeEnable;
    return beginAction(slot, Action::Protect, writeEnable < 255 ? CmdPprtDisable : CmdPprtEnable);
}

bool ProgramListProcedure::lock(int slot, std::uint8_t recallLock) {
    if (m_phase != Phase::Ready || m_busy || slot < 1 || slot > kProgramSlots)
        return false;
    m_value = recallLock;
    return beginAction(slot, Action::Lock, recallLock == 255 ? CmdRcallrDisable : CmdRcallrEnable);
}

bool ProgramListProcedure::recall(int slot) {
    if (m_phase != Phase::Ready || m_busy || slot < 1 || slot > kProgramSlots)
        return false;
    // Nothing runs while the questions are on screen, but a second press must not ask again.
    m_busy = true;
    const bool remembered =
        m_session.peqBandOff.holdsAnything() || m_session.savedBandSettings.holdsAnything();
    bool go = !remembered || !m_caution || m_caution();
    go = go &&
         m_prompts.confirm(
             QStringLiteral("Program Recall"),
             QStringLiteral("Are you sure you want to recall program %1 ?").arg(TwoDigits(slot)),
             PromptIcon::Information);
    if (!go || m_phase != Phase::Ready) {
        m_busy = false;
        m_slot = slot;
        setPhase(m_phase);
        return false;
    }
    return beginAction(slot, Action::Recall, CmdRecall);
}

bool ProgramListProcedure::remove(int slot) {
    if (m_phase != Phase::Ready || m_busy || slot < 1 || slot > kProgramSlots)
        return false;
    m_busy = true;
    const bool go = m_prompts.confirm(
        QStringLiteral("Program Delete"),
        QStringLiteral("Are you sure want to delete program %1 ?").arg(TwoDigits(slot)),
        PromptIcon::Information);
    if (!go || m_phase != Phase::Ready) {
        m_busy = false;
        m_slot = slot;
        setPhase(m_phase);
        return false;
    }
    return beginAction(slot, Action::Delete, CmdPgdell);
}

void ProgramListProcedure::show(const ProgramMessage& message) {
    if (!message.text.isEmpty())
        m_prompts.message(message.title, message.text, message.icon);
}

void ProgramListProcedure::actionDone() {
    const LinkEngine& link = engine();
    ProgramAction kind = ProgramAction::Delete;
    int command = CmdPgdell;
    switch (m_action) {
    case Action::Protect:
        kind = m_value == 0 ? ProgramAction::ProtectionSet : ProgramAction::ProtectionClear;
        command = m_value < 255 ? CmdPprtDisable : CmdPprtEnable;
        break;
    case Action::Lock:
        kind = m_value == 0 ? ProgramAction::RecallLockClear : ProgramAction::RecallLockSet;
        command = m_value == 255 ? CmdRcallrDisable : CmdRcallrEnable;
        break;
    case Action::Recall:
        kind = ProgramAction::Recall;
        command = CmdRecall;
        break;
    case Action::Delete:
    case Action::None:
        break;
    }
    const ProgramMessage outcome =
        ProgramOutcome(kind, connected() && link.succeeded(), link.CheckReply(command), m_slot);
    if (!outcome.success) {
        show(outcome);
        return endAction();
    }
    ProgramRecord& record = m_session.Record(m_slot);
    switch (m_action) {
    case Action::Protect:
        record.write_enable = m_value;
        break;
    case Action::Lock:
        record.recall_lock = m_value;
        break;
    case Action::Delete:
        record.empty_flag = 255;
        break;
    case Action::Recall:
        engine().setProgramArg(0);
        if (engine().IssueCommand(CmdPdatget) == 0) {
            show(outcome);
            show(ProgramOutcome(ProgramAction::Download, false, ReplyCheck::garbled(), m_slot));
            return endAction();
        }
        startTimer(DownloadReplyTimer);
        show(outcome);
        return;
    case Action::None:
        break;
    }
    if (m_line)
        m_line(m_slot);
    show(outcome);
    endAction();
}

void ProgramListProcedure::downloadDone() {
    const LinkEngine& link = engine();
    const ReplyCheck check = link.CheckReply(CmdPdatget);
    bool loaded = connected() && link.succeeded() && check.isMatch();
    // Only a whole program that reads replaces the current one.
    if (loaded)
        loaded = DownloadCurrent(link, m_session);
    if (loaded) {
        if (m_replaced)
            m_replaced();
    } else {
        show(ProgramOutcome(ProgramAction::Download,
                            connected() && link.succeeded() && !check.isMatch(), check, m_slot));
    }
    endAction();
}

void ProgramListProcedure::endAction() {
    m_busy = false;
    m_action = Action::None;
    if (!connected())
        return lineLost();
    setPhase(m_phase);
}

bool ProgramListProcedure::exit() {
    if (m_busy || m_phase == Phase::Leaving || m_phase == Phase::Ended)
        return false;
    if (m_phase == Phase::Idle) {
        if (!begin())
            return false;
        finish(ProcedureOutcome::Ok);
        m_phase = Phase::Ended;
        return true;
    }
    m_exitAsked = true;
    // A read under way ends first; its step then leaves.
    if (m_phase == Phase::Reading)
        return true;
    leave();
    return true;
}

void ProgramListProcedure::leave() {
    setPhase(Phase::Leaving);
    if (connected() && resumeMetering(LevelOnReplyTimer))
        return;
    m_phase = Phase::Ended;
    finish(ProcedureOutcome::Ok);
}

void ProgramListProcedure::lineLost() {
    if (m_phase == Phase::Ended)
        return;
    m_busy = false;
    m_phase = Phase::Ended;
    if (isIdle())
        begin();
    finish(ProcedureOutcome::Cancel);
}

void ProgramListProcedure::step(int id) {
    if (!pollDone(id))
        return;
    if (!connected() && id != LevelOnReplyTimer)
        return lineLost();
    switch (id) {
    case LevelOffReplyTimer:
        // Whatever of the stream was still on its way is not a header.
        engine().StopLevelReading();
        readNext();
        break;
    case ReadReplyTimer:
        readDone();
        break;
    case ActionReplyTimer:
        actionDone();
        break;
    case DownloadReplyTimer:
        downloadDone();
        break;
    case LevelOnReplyTimer:
        m_phase = Phase::Ended;
        finish(ProcedureOutcome::Ok);
        break;
    default:
        break;
    }
}

} // namespace mqx

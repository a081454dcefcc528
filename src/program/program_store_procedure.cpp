#include "program/program_store_procedure.h"

#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"
#include "program/program_list_text.h"
#include "program/program_outcome.h"
#include "program/program_transfer.h"

namespace mqx {

ProgramStoreProcedure::ProgramStoreProcedure(Session& session, LinkEngine& engine, Prompts& prompts,
                                             TimerSource& timers)
    : LinkProcedure(engine, timers), m_session(session), m_prompts(prompts) {}

bool ProgramStoreProcedure::connected() const {
    return m_session.ConnectedUnitId != 0;
}

bool ProgramStoreProcedure::isBusy() const {
    return !m_ready || m_reading || m_storing || m_leaving || hasEnded();
}

void ProgramStoreProcedure::changed() {
    if (m_state)
        m_state();
}

bool ProgramStoreProcedure::start() {
    if (!begin())
        return false;
    const int own = m_session.CurrentRecord().program_number;
    m_chosen = own >= 1 && own <= kProgramSlots ? own : 0;
    m_slotState = m_chosen == 0 ? SlotState::New : SlotState::Reading;
    if (pauseMetering(m_session.meterLevels, LevelOffReplyTimer)) {
        changed();
        return true;
    }
    m_ready = true;
    readChosen();
    changed();
    return true;
}

void ProgramStoreProcedure::choose(int entry) {
    if (entry < 0 || entry > kProgramSlots || hasEnded() || m_storing || m_leaving)
        return;
    m_chosen = entry;
    m_slotState = entry == 0 ? SlotState::New : SlotState::Reading;
    if (m_ready && !m_reading)
        readChosen();
    changed();
}

void ProgramStoreProcedure::readChosen() {
    if (m_chosen == 0 || !connected()) {
        if (m_chosen != 0)
            m_slotState = SlotState::Unknown;
        return;
    }
    m_readSlot = m_chosen;
    engine().setProgramArg(m_readSlot);
    if (engine().IssueCommand(CmdPinfget) == 0) {
        m_slotState = SlotState::Unknown;
        return;
    }
    m_reading = true;
    startTimer(ReadReplyTimer);
}

void ProgramStoreProcedure::readDone() {
    m_reading = false;
    const LinkEngine& link = engine();
    const ReplyCheck check = link.CheckReply(CmdPinfget);
    SlotState state = SlotState::Unknown;
    if (link.succeeded() && check.kind() == ReplyCheck::Kind::UnitError) {
        DecodeProgramReply(link, m_session, m_readSlot);
        state = SlotState::Unused;
    } else if (link.succeeded() && check.isMatch() &&
               DecodeProgramReply(link, m_session, m_readSlot)) {
        state = m_session.Record(m_readSlot).empty_flag != 0 ? SlotState::Unused : SlotState::Used;
    }
    if (m_chosen != m_readSlot) {
        // The operator moved on meanwhile: what was read is kept, the newest choice is read.
        m_slotState = m_chosen == 0 ? SlotState::New : SlotState::Reading;
        readChosen();
    } else {
        m_slotState = state;
    }
    changed();
}

QString ProgramStoreProcedure::selectedName() const {
    switch (m_slotState) {
    case SlotState::New:
        return QStringLiteral("..........");
    case SlotState::Unused:
        return QStringLiteral("Not Used");
    case SlotState::Used:
        return QString::fromLatin1(m_session.programs.Record(m_chosen).name.data(), kNameLength);
    case SlotState::Reading:
    case SlotState::Unknown:
        break;
    }
    return {};
}

QString ProgramStoreProcedure::selectedInformation() const {
    switch (m_slotState) {
    case SlotState::New:
        return QStringLiteral("....................");
    case SlotState::Unused:
        return QStringLiteral("Not Used");
    case SlotState::Used:
        return QString::fromLatin1(m_session.programs.Record(m_chosen).comment.data(),
                                   kCommentLength);
    case SlotState::Reading:
    case SlotState::Unknown:
        break;
    }
    return {};
}

bool ProgramStoreProcedure::storeExec() {
    if (isBusy())
        return false;
    if (!connected()) {
        m_leaving = true;
        finish(ProcedureOutcome::Cancel);
        return true;
    }
    m_storing = true;
    changed();
    const bool free = m_slotState == SlotState::New || m_slotState == SlotState::Unused;
    if (!free && !m_prompts.confirm(QStringLiteral("ProgramStore Message"),
                                    QStringLiteral("Replace existing MQX-T410 ProgramData ?"),
                                    PromptIcon::Question)) {
        m_storing = false;
        changed();
        return false;
    }
    m_target = m_chosen;
    engine().setProgramArg(m_target);
    if (engine().IssueCommand(CmdStore) == 0) {
        storeDone();
        return true;
    }
    startTimer(StoreReplyTimer);
    return true;
}

void ProgramStoreProcedure::storeDone() {
    const LinkEngine& link = engine();
    const ReplyCheck check = link.CheckReply(CmdStore);
    const bool answered = connected() && link.succeeded();
    int number = m_target;
    if (answered && check.isMatch()) {
        bool ok = false;
        const int given = link.payload().trimmed().toInt(&ok);
        if (ok)
            number = given;
    }
    const ProgramMessage outcome = ProgramOutcome(ProgramAction::Store, answered, check, number);
    m_prompts.message(outcome.title, outcome.text, outcome.icon);
    if (outcome.success) {
        m_stored = true;
        ProgramRecord& current = m_session.CurrentRecord();
        current.program_number = static_cast<std::uint8_t>(number);
        current.recall_lock = 0;
        current.write_enable = 255;
        if (number >= 1 && number <= kProgramSlots) {
            // The slot now holds the current program's header.
            ProgramRecord& slot = m_session.Record(number);
            slot = current;
            slot.empty_flag = 0;
        }
    }
    m_storing = false;
    leave();
}

bool ProgramStoreProcedure::exit() {
    if (hasEnded() || m_storing || m_leaving || m_reading || (!m_ready && isRunning()))
        return false;
    if (isIdle()) {
        begin();
        finish(ProcedureOutcome::Cancel);
        return true;
    }
    leave();
    return true;
}

void ProgramStoreProcedure::leave() {
    m_leaving = true;
    changed();
    if (connected() && resumeMetering(LevelOnReplyTimer))
        return;
    finish(m_stored ? ProcedureOutcome::Ok : ProcedureOutcome::Cancel);
}

void ProgramStoreProcedure::lineLost() {
    if (hasEnded())
        return;
    if (isIdle())
        begin();
    m_leaving = true;
    finish(ProcedureOutcome::Cancel);
}

void ProgramStoreProcedure::step(int id) {
    if (!pollDone(id))
        return;
    if (!connected() && id != LevelOnReplyTimer)
        return lineLost();
    switch (id) {
    case LevelOffReplyTimer:
        engine().StopLevelReading();
        m_ready = true;
        readChosen();
        changed();
        break;
    case ReadReplyTimer:
        readDone();
        break;
    case StoreReplyTimer:
        storeDone();
        break;
    case LevelOnReplyTimer:
        finish(m_stored ? ProcedureOutcome::Ok : ProcedureOutcome::Cancel);
        break;
    default:
        break;
    }
}

} // namespace mqx

#include "link/link_engine.h"

#include "core/session.h"
#include "link/request_frame.h"
#include "link/serial_port.h"

namespace mqx {

LinkEngine::LinkEngine(SerialPort& port, TimerSource& timers, const int& connectedUnitId,
                       MeterLevels& meters)
    : m_port(port), m_connectedUnitId(connectedUnitId), m_meters(meters),
      m_timers(timers.createTimers(*this)) {}

LinkEngine::LinkEngine(SerialPort& port, TimerSource& timers, Session& session)
    : LinkEngine(port, timers, session.ConnectedUnitId, session.meterLevels) {}

LinkEngine::~LinkEngine() = default;

int LinkEngine::OpenLink(const QString& portText) {
    if (m_port.Open(portText, QStringLiteral("19200"), QStringLiteral("0"), QStringLiteral("8"),
                    QStringLiteral("1")) != 0)
        return 0;
    // A fresh link starts idle, whatever the last one was doing when it went.
    for (int id : {QueueTimer, ReplyTimer, ResumeTimer, LevelTimer})
        m_timers->stop(id);
    m_state = ExchangeState{};
    m_pendingCommand = -1;
    setBusy(false);
    return 1;
}

void LinkEngine::CloseLink() {
    for (int id : {QueueTimer, ReplyTimer, ResumeTimer, LevelTimer})
        m_timers->stop(id);
    if (!m_state.done)
        finishExchange(false);
    m_pendingCommand = -1;
    setBusy(false);
    m_port.PurgeInput();
    m_port.Close();
}

int LinkEngine::IssueCommand(int index) {
    if (m_connectedUnitId == 0 || !CommandTable::isValidIndex(index))
        return 0;
    if (m_meteringOn) {
        m_timers->stop(LevelTimer);
        // Only a frame sent now needs the level frames cleared away. While a reply is
        // awaited the input is that reply; a queued command purges when it goes out.
        if (m_state.done)
            m_port.PurgeInput();
    }

    if (m_state.done) {
        m_currentCommand = index;
        writeFrame(index, m_args);
        // An edit's reply is left to the level reader, which drops it; its frame has
        // already asked for the level stream again.
        if (index == CmdParedt)
            StartLevelReading();
        else
            StartReplyWait();
    } else {
        // One slot: a slider drag coalesces into its newest edit.
        m_pendingCommand = index;
        m_pendingArgs = m_args;
        m_queueTicks = kQueueTicks;
        m_timers->start(QueueTimer, 100);
    }
    return 1;
}

bool LinkEngine::SendFrame(int index) {
    if (m_connectedUnitId == 0 || !CommandTable::isValidIndex(index))
        return false;
    return writeFrame(index, m_args);
}

bool LinkEngine::writeFrame(int index, const ArgumentSlots& args) {
    // A failed write is not reported here: the reply wait then ends by its time limit.
    return m_port.Write(BuildFrame(m_table, index, m_connectedUnitId, args)) == 0;
}

void LinkEngine::StartReplyWait() {
    const CommandSpec& command = m_table[m_currentCommand];
    m_state = ExchangeState{command.replyLength, 0, command.timeLimit, false, false};
    m_replyBuffer.clear();
    m_timers->start(ReplyTimer, 50);
    setBusy(true);
}

bool LinkEngine::replyComplete() const {
    // An error reply is "(" + ID + "e" + two digits whatever the command; it is complete
    // only once its code has arrived, also for commands whose replies are shorter.
    if (m_state.received >= 4 && m_replyBuffer[0] == '(' && m_replyBuffer[3] == 'e')
        return m_state.received >= 6;
    return m_state.received >= m_state.expected;
}

void LinkEngine::finishExchange(bool succeeded) {
    m_state.succeeded = succeeded;
    m_state.done = true;
}

void LinkEngine::PollReply() {
    m_state.done = false;
    const QByteArray got = m_port.Read(kReadChunk);
    if (!got.isEmpty()) {
        m_timers->stop(ReplyTimer);
        m_replyBuffer += got.first(std::min(got.size(), kReplyBufferSize - m_replyBuffer.size()));
        m_state.received += static_cast<int>(got.size());
        if (replyComplete()) {
            finishExchange(true);
            return;
        }
        if (m_replyBuffer[0] != '(') {
            finishExchange(false);
            return;
        }
        m_state.ticks = kSilenceTicks;
        m_timers->start(ReplyTimer, 50);
    }
    if (m_state.ticks == 0) {
        m_timers->stop(ReplyTimer);
        finishExchange(false);
        return;
    }
    --m_state.ticks;
    if (replyComplete()) {
        m_timers->stop(ReplyTimer);
        finishExchange(true);
    }
}

ReplyCheck LinkEngine::CheckReply(int index) const {
    return mqx::CheckReply(m_table, index, m_connectedUnitId, m_replyBuffer);
}

void LinkEngine::StartLevelReading() {
    m_levelReader.clear();
    m_timers->start(LevelTimer, 50);
}

void LinkEngine::StopLevelReading() {
    m_timers->stop(LevelTimer);
    m_port.PurgeInput();
}

void LinkEngine::setBusyCallback(std::function<void(bool)> callback) {
    m_busyCallback = std::move(callback);
}

void LinkEngine::setMetersCallback(std::function<void(const MeterLevels&)> callback) {
    m_metersCallback = std::move(callback);
}

void LinkEngine::setBusy(bool busy) {
    if (m_busy == busy)
        return;
    m_busy = busy;
    if (m_busyCallback)
        m_busyCallback(busy);
}

void LinkEngine::onTimer(int id) {
    switch (id) {
    case ReplyTimer:
        onReplyTimer();
        break;
    case ResumeTimer:
        onResumeTimer();
        break;
    case QueueTimer:
        onQueueTimer();
        break;
    case LevelTimer:
        onLevelTimer();
        break;
    default:
        break;
    }
}

void LinkEngine::onReplyTimer() {
    PollReply();
    if (!m_state.done)
        return;
    setBusy(false);
    if (!m_meteringOn || m_currentCommand == CmdBye)
        return;
    if (m_currentCommand == CmdLevon) {
        StartLevelReading();
    } else if (m_currentCommand == CmdLevoff) {
        m_timers->stop(ResumeTimer);
    } else {
        m_resumeCountdown = kResumeCountdown;
        m_timers->start(ResumeTimer, 100);
    }
}

void LinkEngine::onResumeTimer() {
    if (!m_meteringOn) {
        m_timers->stop(ResumeTimer);
        return;
    }
    if (m_resumeCountdown != 0) {
        --m_resumeCountdown;
        return;
    }
    if (m_currentCommand == CmdParedt) {
        // An edit went out meanwhile, and its frame has resumed the stream already.
        m_timers->stop(ResumeTimer);
        return;
    }
    if (m_state.done) {
        m_timers->stop(ResumeTimer);
        m_levelReader.clear();
        m_timers->start(QueueTimer, 80);
    } else {
        m_resumeCountdown = kResumeCountdown; // not before the line is free
    }
}

void LinkEngine::onQueueTimer() {
    if (m_pendingCommand >= 0) {
        // A waiting command goes first; the meters resume after its exchange. After 10 s
        // of a busy line it goes anyway.
        if (m_state.done || m_queueTicks == 0) {
            m_timers->stop(QueueTimer);
            sendPending();
        } else {
            --m_queueTicks;
        }
        return;
    }
    m_timers->stop(QueueTimer);
    if (m_meteringOn)
        IssueCommand(CmdLevon);
}

void LinkEngine::sendPending() {
    const int index = m_pendingCommand;
    const ArgumentSlots args = m_pendingArgs;
    m_pendingCommand = -1;
    if (!m_state.done) {
        // The exchange that kept the line busy is given up as failed.
        m_timers->stop(ReplyTimer);
        finishExchange(false);
        setBusy(false);
    }
    if (m_meteringOn)
        StopLevelReading();
    m_currentCommand = index;
    writeFrame(index, args);
    if (index == CmdParedt)
        StartLevelReading();
    else
        StartReplyWait();
}

void LinkEngine::onLevelTimer() {
    if (!m_meteringOn)
        return;
    m_levelReadGuard = true;
    const bool frameReady = m_levelReader.take(m_port.Read(kReadChunk));
    m_levelReadGuard = false;
    if (frameReady && DecodeMeterLevels(m_levelReader.levelDigits(), m_meters) && m_metersCallback)
        m_metersCallback(m_meters);
}

} // namespace mqx

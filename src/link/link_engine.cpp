#include "link/link_engine.h"

#include "core/session.h"
#include "link/request_frame.h"
#include "link/serial_port.h"

#include <algorithm>

namespace mqx {

LinkEngine::LinkEngine(SerialPort& port, TimerSource& timers, const int& connectedUnitId,
                       MeterLevels& meters)
    : m_port(port), m_connectedUnitId(connectedUnitId), m_meters(meters),
      m_timers(timers.createTimers(*this)) {
    // The report may come from inside a read or a write of ours; it is dealt with on a
    // tick of its own, when no engine call is under way.
    m_port.setFaultHandler([this] { m_timers->start(FaultTimer, 0); });
    m_port.setArrivalHandler([this] { onArrival(); });
}

LinkEngine::LinkEngine(SerialPort& port, TimerSource& timers, Session& session)
    : LinkEngine(port, timers, session.ConnectedUnitId, session.meterLevels) {}

LinkEngine::~LinkEngine() {
    m_port.setFaultHandler({});
    m_port.setArrivalHandler({});
}

int LinkEngine::OpenLink(const QString& portText) {
    m_portText = portText;
    if (m_port.Open(portText, QStringLiteral("19200"), QStringLiteral("0"), QStringLiteral("8"),
                    QStringLiteral("1")) != 0)
        return 0;
    // A fresh link starts idle, whatever the last one was doing when it went.
    for (int id :
         {QueueTimer, LineTimer, FaultTimer, GapTimer, ReplyTimer, ResumeTimer, LevelTimer})
        m_timers->stop(id);
    m_state = ExchangeState{};
    m_waiting.clear();
    m_heldFrames.clear();
    m_watchingUnit = false;
    m_linkOpen = true;
    setBusy(false);
    return 1;
}

void LinkEngine::CloseLink() {
    for (int id :
         {QueueTimer, LineTimer, FaultTimer, GapTimer, ReplyTimer, ResumeTimer, LevelTimer})
        m_timers->stop(id);
    if (!m_state.done)
        finishExchange(false);
    m_waiting.clear();
    m_heldFrames.clear();
    m_watchingUnit = false;
    m_linkOpen = false;
    setBusy(false);
    m_port.PurgeInput();
    m_port.Close();
}

void LinkEngine::watchUnit(bool on) {
    m_watchingUnit = on;
    m_silentLevelTicks = 0;
}

void LinkEngine::setLineLostCallback(std::function<void(LineLoss)> callback) {
    m_lineLost = std::move(callback);
}

void LinkEngine::loseLine(LineLoss how) {
    CloseLink();
    if (m_lineLost)
        m_lineLost(how);
}

int LinkEngine::IssueCommand(int index) {
    if (m_connectedUnitId == 0 || !CommandTable::isValidIndex(index))
        return 0;
    // Level reading pauses for every command. A frame purges the input as it goes out,
    // never while a reply is awaited: the input is that reply.
    if (m_meteringOn)
        m_timers->stop(LevelTimer);

    if (!m_state.done) {
        enqueue(index);
        m_queueTicks = kQueueTicks;
        m_timers->start(QueueTimer, 100);
    } else if (index == CmdParedt) {
        if (m_waiting.empty() && !isResting() && m_port.bytesToWrite() <= 1) {
            send({index, m_args});
        } else {
            enqueue(index);
            sendWaitingEdits();
        }
    } else {
        // Its exchange starts now, for whoever polls done() next. The edits still waiting
        // for the line go just before it, unpaced: they were made first.
        m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(),
                                       [](const Waiting& w) { return w.index != CmdParedt; }),
                        m_waiting.end());
        m_timers->stop(LineTimer);
        while (!m_waiting.empty()) {
            const Waiting edit = std::move(m_waiting.front());
            m_waiting.pop_front();
            send(edit);
        }
        send({index, m_args});
    }
    return 1;
}

void LinkEngine::enqueue(int index) {
    // A newer edit of the same parameter makes a waiting one pointless; any other command
    // replaces the one waiting before it. What replaces goes last, in the order issued.
    const bool edit = index == CmdParedt;
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(),
                                   [&](const Waiting& w) {
                                       return edit ? w.index == CmdParedt &&
                                                         w.args.ArgCode == m_args.ArgCode
                                                   : w.index != CmdParedt;
                                   }),
                    m_waiting.end());
    m_waiting.push_back({index, m_args});
}

bool LinkEngine::holdsWaitingCommand() const {
    return std::any_of(m_waiting.begin(), m_waiting.end(),
                       [](const Waiting& w) { return w.index != CmdParedt; });
}

void LinkEngine::send(const Waiting& command) {
    if (m_meteringOn)
        StopLevelReading();
    m_currentCommand = command.index;
    writeFrame(command.index, command.args);
    // An edit's reply is left to the level reader, which drops it; its frame has
    // already asked for the level stream again.
    if (command.index == CmdParedt)
        StartLevelReading();
    else
        StartReplyWait();
}

void LinkEngine::sendWaitingEdits() {
    // The frame before has left once at most its last character is still on the wire, as
    // a driver's queue is empty while the last character shifts out: the next frame then
    // follows it back to back. After a reply they wait for the gap's end.
    if (isResting())
        return;
    while (m_state.done && !m_waiting.empty() && m_waiting.front().index == CmdParedt) {
        if (const qint64 left = m_port.bytesToWrite(); left > 1) {
            m_timers->start(LineTimer, WireTimeMs(left - 1));
            return;
        }
        const Waiting edit = std::move(m_waiting.front());
        m_waiting.pop_front();
        sendFromQueue(edit);
    }
}

void LinkEngine::sendWaitingCommand() {
    if (!m_state.done || isResting() || m_waiting.empty() || m_waiting.front().index == CmdParedt)
        return;
    const Waiting command = std::move(m_waiting.front());
    m_waiting.pop_front();
    sendFromQueue(command);
}

void LinkEngine::sendFromQueue(const Waiting& command) {
    // The queue timer ran for what waited; with the queue empty it would resume the
    // meters, which the edit's own levon, or the exchange's end, does already.
    if (m_waiting.empty())
        m_timers->stop(QueueTimer);
    send(command);
}

bool LinkEngine::SendFrame(int index) {
    if (m_connectedUnitId == 0 || !CommandTable::isValidIndex(index))
        return false;
    // Last words before the port closes (a transfer given up): they cannot wait for the
    // rest after a reply, so they go ahead of any frame held for it.
    return writeFrame(index, m_args, false);
}

bool LinkEngine::writeFrame(int index, const ArgumentSlots& args, bool holdForRest) {
    // Whatever the unit sends next is an answer to this frame; silence counts from here.
    m_silentLevelTicks = 0;
    QByteArray frame = BuildFrame(m_table, index, m_connectedUnitId, args);
    if (holdForRest && isResting()) {
        m_heldFrames.push_back(std::move(frame));
        return true;
    }
    // A failed write is not reported here: the reply wait then ends by its time limit.
    return m_port.Write(frame) == 0;
}

void LinkEngine::StartReplyWait() {
    const CommandSpec& command = m_table[m_currentCommand];
    const int limit = m_firstReplyTicks > 0 ? m_firstReplyTicks : command.timeLimit;
    m_state = ExchangeState{command.replyLength, 0, limit, false, false};
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
    // Listeners only take note here; they go on from a tick of their own.
    const std::vector<ExchangeListener*> listeners = m_listeners;
    for (ExchangeListener* listener : listeners)
        listener->exchangeEnded();
}

void LinkEngine::addExchangeListener(ExchangeListener* listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void LinkEngine::removeExchangeListener(ExchangeListener* listener) {
    std::erase(m_listeners, listener);
}

bool LinkEngine::takeArrived() {
    const QByteArray got = m_port.Read(kReadChunk);
    if (got.isEmpty())
        return false;
    m_timers->stop(ReplyTimer);
    m_replyBuffer += got.first(std::min(got.size(), kReplyBufferSize - m_replyBuffer.size()));
    m_state.received += static_cast<int>(got.size());
    if (replyComplete()) {
        finishExchange(true);
        return true;
    }
    if (m_replyBuffer[0] != '(') {
        finishExchange(false);
        return true;
    }
    m_state.ticks = kSilenceTicks;
    m_timers->start(ReplyTimer, 50);
    return true;
}

void LinkEngine::onArrival() {
    // Only a reply that is awaited is read here; the level stream keeps to its period.
    if (m_state.done || !m_heldFrames.empty() || !m_timers->isActive(ReplyTimer))
        return;
    if (!takeArrived())
        return;
    if (!m_state.done) {
        --m_state.ticks; // as the poll that found these characters would have
        return;
    }
    m_timers->stop(ReplyTimer);
    exchangeEnded();
}

void LinkEngine::PollReply() {
    m_state.done = false;
    if (takeArrived() && m_state.done)
        return;
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
    case LineTimer:
        onLineTimer();
        break;
    case GapTimer:
        onGapTimer();
        break;
    case FaultTimer:
        m_timers->stop(FaultTimer);
        if (m_linkOpen)
            loseLine(LineLoss::PortFault);
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
    if (m_state.done)
        exchangeEnded();
}

void LinkEngine::exchangeEnded() {
    setBusy(false);
    if (m_watchingUnit && !m_meteringOn && !m_state.succeeded && m_state.received == 0)
        return loseLine(LineLoss::NoAnswer);
    if (m_meteringOn && m_currentCommand != CmdBye) {
        if (m_currentCommand == CmdLevon) {
            StartLevelReading();
        } else if (m_currentCommand == CmdLevoff) {
            m_timers->stop(ResumeTimer);
        } else {
            m_resumeCountdown = kResumeCountdown;
            m_timers->start(ResumeTimer, 100);
        }
    }
    // Whatever waited for the reply goes once the line has rested: the edits first, then
    // a waiting command. A unit that said nothing needs no rest.
    if (m_state.received > 0) {
        m_timers->start(GapTimer, kReplyGapMs);
        return;
    }
    sendWaitingEdits();
    sendWaitingCommand();
}

void LinkEngine::onGapTimer() {
    m_timers->stop(GapTimer);
    if (!m_heldFrames.empty()) {
        const std::vector<QByteArray> frames = std::move(m_heldFrames);
        m_heldFrames.clear();
        // What came in while they waited is no answer to them.
        if (!m_state.done)
            m_port.PurgeInput();
        for (const QByteArray& frame : frames)
            m_port.Write(frame);
        m_silentLevelTicks = 0;
        // The wait for the first characters counts from the write.
        if (!m_state.done)
            m_timers->start(ReplyTimer, 50);
    }
    sendWaitingEdits();
    sendWaitingCommand();
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
    if (m_waiting.empty()) {
        m_timers->stop(QueueTimer);
        if (m_meteringOn)
            IssueCommand(CmdLevon);
        return;
    }
    // Waiting commands go first; the meters resume after them.
    if (!m_state.done) {
        if (m_queueTicks != 0) {
            --m_queueTicks;
            return;
        }
        // After 10 s of a busy line the exchange that kept it busy is given up as failed.
        m_timers->stop(ReplyTimer);
        finishExchange(false);
        setBusy(false);
    }
    sendWaitingEdits();
    sendWaitingCommand();
    if (!holdsWaitingCommand())
        m_timers->stop(QueueTimer);
}

void LinkEngine::onLineTimer() {
    m_timers->stop(LineTimer);
    sendWaitingEdits();
}

void LinkEngine::onLevelTimer() {
    if (!m_meteringOn)
        return;
    m_levelReadGuard = true;
    const bool frameReady = m_levelReader.take(m_port.Read(kReadChunk));
    m_levelReadGuard = false;
    if (frameReady) {
        m_silentLevelTicks = 0;
    } else if (m_watchingUnit && ++m_silentLevelTicks >= kLevelSilenceTicks) {
        return loseLine(LineLoss::NoLevels);
    }
    if (frameReady && DecodeMeterLevels(m_levelReader.levelDigits(), m_meters) && m_metersCallback)
        m_metersCallback(m_meters);
}

} // namespace mqx

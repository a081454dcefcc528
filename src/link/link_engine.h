#pragma once
// The link engine runs every exchange with the connected unit, one at a time:
//
//   IssueCommand(index) --line free--> frame written --> reply wait --> done / succeeded
//          |                                                   |         (+ 20 ms gap)
//          +--line busy--> the queue slot (timer 35) ----------+
//
// A reply is judged the moment the port tells of its last character; the 50 ms polls of
// timer 20 stay as the bound of the waits (the command's limit for the first characters,
// then 1 s of silence). Whoever waits on the exchange is told as it ends. Between the end
// of a reply and the next frame the line rests kReplyGapMs; frames issued meanwhile are
// held and go when it has passed.
//
// Callers fill the argument slots, issue a command, then poll done() from a timer of their
// own (or listen for the exchange's end) and judge the reply with CheckReply. Parameter
// edits wait for no reply. Edits that
// cannot go at once wait in the queue in the order they were made; a newer edit of the
// same parameter code takes the place of a waiting one, so a fader drag sends only its
// newest value while edits of different parameters all arrive. Any other command keeps to
// one slot: a newer one replaces it. An edit is written only once the frame before it has
// left the line (timer 36), so the unit trails the operator by one frame at most.
// While metering is on, level frames are read (timer 199) whenever no reply is awaited;
// every exchange pauses them and they are resumed after it, by the levon request every
// edit frame carries, or about half a second after any other exchange (timers 26 and 35).
//
// A lost line ends the link: the port reporting that its device has gone (timer 37 takes
// the report out of whatever call raised it), and, once the caller watches the unit, no
// level frame for 2 s with metering on, or an exchange left unanswered with metering off.

#include "core/meter_levels.h"
#include "link/argument_slots.h"
#include "link/command_table.h"
#include "link/exchange_state.h"
#include "link/level_reader.h"
#include "link/reply_check.h"
#include "link/timer_source.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace mqx {

class SerialPort;
struct Session;

// How the line was found lost.
enum class LineLoss { PortFault, NoLevels, NoAnswer };

// Told whenever an exchange ends, so that a waiter can go on at once instead of at its
// next poll. It may only note that, never issue commands or close the link from here.
class ExchangeListener {
public:
    virtual ~ExchangeListener() = default;
    virtual void exchangeEnded() = 0;
};

class LinkEngine : public TimerClient {
public:
    enum TimerId : int {
        ReplyTimer = 20,
        ResumeTimer = 26,
        QueueTimer = 35,
        LineTimer = 36,
        FaultTimer = 37,
        GapTimer = 38,
        LevelTimer = 199
    };
    static constexpr int kReplyBufferSize = 1040;
    static constexpr int kReadChunk = 1024;
    static constexpr int kQueueTicks = 100;       // 100 ms ticks: 10 s of a busy line
    static constexpr int kSilenceTicks = 20;      // once a reply flows, 1 s of silence ends it
    static constexpr int kResumeCountdown = 5;    // 100 ms ticks after an exchange
    static constexpr int kLevelSilenceTicks = 40; // 50 ms level ticks: 2 s without a frame
    // The rest between the end of a reply and the next frame. The old controller's polling
    // never wrote sooner than this, and units are not known to take less.
    static constexpr int kReplyGapMs = 20;

    // The engine reads the connected unit's ID (0: none) from `connectedUnitId` on every
    // command and writes decoded levels into `meters`; both must outlive it.
    LinkEngine(SerialPort& port, TimerSource& timers, const int& connectedUnitId,
               MeterLevels& meters);
    LinkEngine(SerialPort& port, TimerSource& timers, Session& session);
    // The ID is read on every command, so it must be a variable, never a temporary.
    LinkEngine(SerialPort&, TimerSource&, const int&&, MeterLevels&) = delete;
    ~LinkEngine() override;
    LinkEngine(const LinkEngine&) = delete;
    LinkEngine& operator=(const LinkEngine&) = delete;

    // Opens the port at 19200 baud, 8N1. Returns 1, or 0 when the port could not be opened
    // (the port has told the operator why).
    int OpenLink(const QString& portText);
    // Stops every engine timer, ends a reply wait as failed, forgets the waiting commands,
    // discards input and closes the port.
    void CloseLink();
    // The port text of the last OpenLink.
    const QString& portText() const { return m_portText; }

    // The arguments of the next IssueCommand; copied when it is called.
    ArgumentSlots& arguments() { return m_args; }
    void setProgramArg(int programNumber) { m_args.setProgram(programNumber); }

    // Sends command `index` now if the line is free, else queues it: an edit behind the
    // waiting edits (in place of one with the same code), any other command in the one
    // slot for them. A command other than an edit issued on a free line goes at once,
    // with the edits still waiting written just before it. Returns 0 (nothing sent) while
    // no unit is connected or for an unknown index, else 1.
    int IssueCommand(int index);

    // Writes the frame of `index` with the current arguments; true when the write worked.
    // The exchange bookkeeping is IssueCommand's; this is the bare frame, written at once
    // even in the rest after a reply (last words before closing).
    bool SendFrame(int index);
    void StartReplyWait();
    void PollReply();
    // While non-zero, a reply wait gives the first characters this many 50 ms ticks
    // instead of the command's own limit: a scan of the line greets IDs where most are
    // silent and cannot afford seconds for each. 0 restores the commands' limits.
    void setFirstReplyTicks(int ticks) { m_firstReplyTicks = ticks; }

    const ExchangeState& exchange() const { return m_state; }
    bool done() const { return m_state.done; }
    bool succeeded() const { return m_state.succeeded; }
    int CurrentCommand() const { return m_currentCommand; }
    // The waiting command that goes next, or -1.
    int PendingCommand() const { return m_waiting.empty() ? -1 : m_waiting.front().index; }
    int waitingCount() const { return static_cast<int>(m_waiting.size()); }
    const QByteArray& ReplyBuffer() const { return m_replyBuffer; }
    // The reply after its 4-character head.
    QByteArray payload() const { return m_replyBuffer.mid(4); }
    // Judges the reply of the exchange that has just ended against command `index`.
    ReplyCheck CheckReply(int index) const;
    const CommandTable& commandTable() const { return m_table; }

    bool MeteringOn() const { return m_meteringOn; }
    // Only the flag: whoever turns metering on issues levon; whoever turns it off
    // discards input, issues levoff and stops level reading.
    void setMeteringOn(bool on) { m_meteringOn = on; }
    void StartLevelReading();
    void StopLevelReading();
    bool isLevelReading() const { return m_timers->isActive(LevelTimer); }
    // True only while a level read runs.
    bool levelReadGuard() const { return m_levelReadGuard; }

    // Called with true when a reply wait starts and false when it ends: the busy cursor.
    void setBusyCallback(std::function<void(bool busy)> callback);
    // Called after each level frame has been decoded into the meter block.
    void setMetersCallback(std::function<void(const MeterLevels&)> callback);
    // Listeners are told of the end of every exchange; each must be removed before it goes.
    void addExchangeListener(ExchangeListener* listener);
    void removeExchangeListener(ExchangeListener* listener);
    // True from the end of a reply until kReplyGapMs later; frames written meanwhile wait.
    bool isResting() const { return m_timers->isActive(GapTimer); }

    // While on, a unit that falls silent counts as a lost line: no level frame for 2 s
    // of level reading with metering on (every frame written starts the 2 s again, as an
    // edit's own levon restarts the stream), or an exchange without a character of reply
    // with metering off.
    // Whoever holds the connection turns it on once the unit has been greeted; CloseLink
    // turns it off. A port fault counts whenever the link is open.
    void watchUnit(bool on);
    bool isWatchingUnit() const { return m_watchingUnit; }
    // Called once the link has been closed for a lost line. The engine does nothing more
    // in that tick, so the callback may open the link again or destroy nothing else.
    void setLineLostCallback(std::function<void(LineLoss)> callback);

    void onTimer(int id) override;

private:
    struct Waiting {
        int index = 0;
        ArgumentSlots args;
    };

    bool writeFrame(int index, const ArgumentSlots& args, bool holdForRest = true);
    void send(const Waiting& command);
    void sendFromQueue(const Waiting& command);
    void enqueue(int index);
    bool holdsWaitingCommand() const;
    void sendWaitingEdits();
    void sendWaitingCommand();
    void loseLine(LineLoss how);
    void finishExchange(bool succeeded);
    bool replyComplete() const;
    bool takeArrived();
    void exchangeEnded();
    void setBusy(bool busy);
    void onArrival();
    void onGapTimer();
    void onReplyTimer();
    void onResumeTimer();
    void onQueueTimer();
    void onLineTimer();
    void onLevelTimer();

    SerialPort& m_port;
    const int& m_connectedUnitId;
    MeterLevels& m_meters;
    CommandTable m_table;

    ExchangeState m_state;
    QByteArray m_replyBuffer;
    int m_currentCommand = 0;
    std::deque<Waiting> m_waiting; // in the order issued
    int m_queueTicks = 0;
    ArgumentSlots m_args;
    QString m_portText;
    int m_firstReplyTicks = 0;

    bool m_meteringOn = false;
    int m_resumeCountdown = 0;
    bool m_levelReadGuard = false;
    LevelReader m_levelReader;
    bool m_linkOpen = false;
    bool m_watchingUnit = false;
    int m_silentLevelTicks = 0;

    bool m_busy = false;
    std::function<void(bool)> m_busyCallback;
    std::function<void(const MeterLevels&)> m_metersCallback;
    std::function<void(LineLoss)> m_lineLost;
    std::vector<ExchangeListener*> m_listeners;
    std::vector<QByteArray> m_heldFrames; // written during the gap after a reply

    // Last, so the timers are gone before anything their ticks would touch.
    std::unique_ptr<Timers> m_timers;
};

} // namespace mqx

#pragma once
// One unit reached through the real serial port, for the unit verbs of mqxtool. It runs
// the controller's own procedures (connect, select data, disconnect) on window-thread
// timers, each in an event loop of its own, under one overall time limit so that the
// tool always ends: a procedure still running at the limit is abandoned and the port
// closed. A lost line (the device gone, or, once greeted, a unit that stops answering)
// abandons the procedure at once; the engine has closed the port.

#include "connection/select_data_procedure.h"
#include "core/session.h"
#include "link/hardware_serial_port.h"
#include "link/link_engine.h"
#include "link/qt_timer_source.h"

#include <QDeadlineTimer>

namespace mqx::tool {

class UnitLink {
public:
    UnitLink(Prompts& prompts, int limitMs);
    ~UnitLink();
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    // Opens `port` (a device path or COM number 1..4) and greets unit `unitId`, reading its
    // information text and panel lock state into the session.
    bool connect(const QString& port, int unitId);
    bool transfer(TransferDirection direction);
    // Says bye and closes the port; true when the unit answered. Without a greeting it
    // only makes sure the port is closed.
    bool disconnect();

    // Runs a procedure already started until it ends, the line is lost or the time limit
    // passes; true when it ended with OK.
    bool run(LinkProcedure& procedure);
    // Lets `procedure` run until `condition` holds; false when it ended first, the line
    // was lost or the time limit passed.
    bool waitUntil(const LinkProcedure& procedure, const std::function<bool()>& condition);
    // One exchange: command `index` with the arguments set in the engine; true when a
    // complete reply came (judge it with engine().CheckReply).
    bool exchange(int index);

    Session& session() { return m_session; }
    LinkEngine& engine() { return m_engine; }
    TimerSource& timers() { return m_timers; }
    bool isGreeted() const { return m_session.ConnectedUnitId != 0; }
    // True when the overall time limit cut a procedure short.
    bool timedOut() const { return m_timedOut; }
    // True when the line was lost; lostText() says where.
    bool lineLost() const { return m_lineLost; }
    QString lostText() const;

private:
    Prompts& m_prompts;
    Session m_session;
    HardwareSerialPort m_port;
    QtTimerSource m_timers;
    LinkEngine m_engine;
    QDeadlineTimer m_deadline;
    bool m_timedOut = false;
    bool m_lineLost = false;
    int m_lostUnitId = 0;
    std::function<void()> m_stopWaiting;
};

} // namespace mqx::tool

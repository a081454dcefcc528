#pragma once
// The Connect dialog's sequence: open the port, greet the chosen unit (hello), read its
// information text (devinfget) and its front-panel lock state (pnllock).
//
//   50 hello --> 60 echo? --> 51 devinfget --> 61 --> 52 pnllock --> 62 --> OK
//
// Any failure shows "Cannot connect MQX-T410(ID=%d)" (an error reply to devinfget or
// pnllock: the unit's own error text instead), closes the port, sets the session back to
// not connected and ends with Cancel. A unit that has answered hello is told bye
// before the port closes, so it is never left believing it is still connected.

#include "link/link_procedure.h"

#include <QString>

#include <memory>

namespace mqx {

class Prompts;
class UnitScanProcedure;
struct Session;

class ConnectProcedure : public LinkProcedure {
public:
    enum TimerId : int {
        HelloTimer = 50,
        HelloReplyTimer = 60,
        InfoTimer = 51,
        InfoReplyTimer = 61,
        LockTimer = 52,
        LockReplyTimer = 62,
        ByeReplyTimer = 63,
    };

    ConnectProcedure(Session& session, LinkEngine& engine, Prompts& prompts, TimerSource& timers);

    // The dialog's OK: COM port 1..4 and unit 1..99, remembered as the last choice whether
    // or not the connection then comes about. False when the procedure ran before.
    bool start(int port, int unitId);
    // Opens `portText` (a COM number or a device path) and greets unit `unitId`.
    bool start(const QString& portText, int unitId);
    // The dialog's Cancel before OK: nothing was opened, so nothing is left connected.
    bool cancel();

    // Called once the unit has answered all three exchanges, just before the OK outcome:
    // the window shows the unit's ID, lock state and information.
    void setStatusCallback(std::function<void()> callback) {
        m_statusChanged = std::move(callback);
    }

    static QString failureText(int unitId);

    // "Find units" before OK: a scan of the line on the same link, run to its end before
    // this procedure starts. Each call gives a fresh scan, so the operator may look again.
    std::unique_ptr<UnitScanProcedure> newScan();

private:
    void step(int id) override;
    // Fails the connection with the unit's error text when it answered `command` with an
    // error reply; true when it did.
    bool refused(int command);
    void fail();
    void endFailed();

    Session& m_session;
    Prompts& m_prompts;
    TimerSource& m_timerSource;
    std::function<void()> m_statusChanged;
    bool m_greeted = false;
    int m_unitError = -1; // the code of an error reply that ended the greeting
};

} // namespace mqx

#pragma once
// "Find units": greets every unit ID on one port in turn and notes those that answer,
// with their information text, each told bye before the next ID is greeted.
//
//   open --> for ID 1..99: hello (short wait) --echo--> devinfget --> bye --> next ID
//                                   |                                    ^
//                                   +--silence or garbage--> bye (short wait)
//   --> close, session not connected --> OK (Cancel when stopped or the port failed)
//
// A unit answers hello within a few tens of milliseconds, so each ID is given
// kReplyTicks of the engine's 50 ms ticks, not the seconds a connection allows. Every ID
// greeted is told bye, answered or not (a unit may take a hello and answer late or
// garbled), so 99 silent IDs take about twenty seconds. Stopping takes effect between
// exchanges, so no ID is left greeted when the port closes.

#include "link/link_procedure.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace mqx {

struct Session;

struct FoundUnit {
    int id = 0;
    QByteArray info; // the unit's information text without its padding dots
    friend bool operator==(const FoundUnit&, const FoundUnit&) = default;
};

class UnitScanProcedure : public LinkProcedure {
public:
    enum TimerId : int {
        HelloTimer = 70,
        HelloReplyTimer = 71,
        InfoTimer = 72,
        InfoReplyTimer = 73,
        ByeTimer = 74,
        ByeReplyTimer = 75,
    };
    static constexpr int kFirstId = 1;
    static constexpr int kLastId = 99;
    // The first characters of a hello echo must come within two ticks (100 ms) of the
    // request: 8 characters each way take 8.3 ms at 19200 baud, the rest is the unit's
    // turnaround and the margin.
    static constexpr int kReplyTicks = 1;

    UnitScanProcedure(Session& session, LinkEngine& engine, TimerSource& timers);
    ~UnitScanProcedure() override;

    // Opens `portText` (a COM number or a device path) and greets the IDs from `first` to
    // `last`. False when the procedure ran before.
    bool start(const QString& portText, int first = kFirstId, int last = kLastId);
    // Stops after the exchange under way; a unit that has answered still gets its bye.
    void cancel();
    bool isCancelled() const { return m_cancelled; }
    // True when the port could not be opened (it has said why).
    bool portFailed() const { return m_portFailed; }

    // Called after each ID with that ID, once its exchanges are over.
    void setProgressCallback(std::function<void(int id)> callback) {
        m_progress = std::move(callback);
    }
    // The IDs that answered, in the order greeted.
    const std::vector<FoundUnit>& found() const { return m_found; }
    // The ID greeted last (0 before the first).
    int currentId() const { return m_id; }

    // "ID 03  Rack 2" for the lists of the dialog and mqxtool.
    static QString unitText(const FoundUnit& unit);
    // What a scan that found nothing says, naming the port as the operator knows it.
    static QString noneFoundText(const QString& portName);

private:
    void step(int id) override;
    void nextId();
    void end();

    Session& m_session;
    std::function<void(int)> m_progress;
    std::vector<FoundUnit> m_found;
    int m_id = 0;
    int m_last = kLastId;
    bool m_cancelled = false;
    bool m_portFailed = false;
};

} // namespace mqx

#pragma once
// One RS-232 line with one or more simulated MQX-T410 units on it.
//
//   controller bytes --receive(bytes, nowMs)--> frames --> SimulatedUnit::handle
//        --> answer (faults applied) --> LineTransmitter --> takeOutput(nowMs)
//
// Passive and deterministic: it never reads a clock. Callers feed what the controller
// wrote with the time it was written and ask what the units have put on the line by a
// given time; frame ends, paced requests and answers, burst gaps and the level frames
// every 100 ms are all worked out from those times. So it runs the same on the tests'
// virtual time and on the steady time of mqx-sim.
//
// A unit knows how long each request is and answers the moment its last character has
// come in; a frame it cannot measure (an unknown text, noise) ends at the next "(" or
// after kSilenceMs without a character. Each unit answers only frames with its own ID;
// frames for other IDs go unanswered.

#include "line_fault.h"
#include "line_transmitter.h"
#include "simulated_unit.h"
#include "unit_command.h"

#include <QByteArray>
#include <QByteArrayView>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace mqx::sim {

class UnitSimulator {
public:
    static constexpr qint64 kSilenceMs = 30;
    static constexpr qint64 kLevelPeriodMs = 100;
    // Longer than any request the controller sends (a program upload is 1022 characters
    // after the ID); anything longer is noise and is dropped unanswered.
    static constexpr qsizetype kMaxFrameLength = 1100;

    enum class Direction { Received, Sent };
    // Called for every complete frame received and every frame queued for sending
    // (answers and level frames), with its time in ms.
    using FrameObserver = std::function<void(Direction, QByteArrayView frame, qint64 ms)>;

    // Units with the given IDs (1..99; duplicates and IDs outside are ignored).
    explicit UnitSimulator(const std::vector<int>& ids = {1});
    ~UnitSimulator();
    UnitSimulator(const UnitSimulator&) = delete;
    UnitSimulator& operator=(const UnitSimulator&) = delete;

    // Paced at 1920 characters a second both ways by default: a request reaches the
    // units a character at a time, as their answers come back. Off, both arrive whole.
    void setPacing(bool on) { m_line.setPacing(on); }
    bool pacing() const { return m_line.pacing(); }

    // The fault applies to every unit's answers to `command` (for one program number
    // when `fault.slot` names one) until cleared, or until it has spoiled
    // `fault.remaining` answers. A fault for the request's own program number goes before
    // one for any number.
    void setFault(UnitCommand command, const LineFault& fault);
    // Clears the command's faults, for every program number.
    void clearFault(UnitCommand command);
    void clearFaults() { m_faults.clear(); }

    void setFrameObserver(FrameObserver observer) { m_observer = std::move(observer); }

    // The unit with this ID, or nullptr.
    SimulatedUnit* unit(int id);
    std::vector<int> unitIds() const;

    // Bytes the controller wrote at `nowMs`. Times never run backwards: an earlier time
    // than one seen before counts as that one.
    void receive(QByteArrayView bytes, qint64 nowMs);
    // Everything the units have put on the line by `nowMs` and not yet taken.
    QByteArray takeOutput(qint64 nowMs);
    // Characters the controller wrote that are still on their way to the units at `nowMs`.
    qsizetype charactersArrivingAfter(qint64 nowMs) const;
    // The next moment (µs) at which something may happen on the line: the controller's
    // characters in, a frame falling silent, a level frame due, the last character of what
    // the units are sending out. -1 when nothing is under way.
    qint64 nextChangeUs() const;

private:
    struct Station {
        std::unique_ptr<SimulatedUnit> unit;
        qint64 nextLevelMs = -1; // -1 while the unit sends no level frames
    };

    struct Arriving {
        char c = 0;
        qint64 atUs = 0;
    };

    void advanceTo(qint64 ms);
    void arrive(char c, qint64 ms);
    void headArrived(qint64 ms);
    void stopLevelsForRequestsIn(QByteArrayView bytes, qint64 ms);
    void completeFrame(qint64 ms);
    void answer(Station& station, QByteArrayView body, qint64 ms);
    void send(const QByteArray& bytes, Station& station, qint64 ms, bool levelFrame);
    Station* stationFor(QByteArrayView frame);
    using FaultKey = std::pair<UnitCommand, int>; // the command, its program number or -1
    const FaultKey* faultFor(UnitCommand command, QByteArrayView body) const;

    std::vector<Station> m_stations;
    std::map<FaultKey, LineFault> m_faults;
    LineTransmitter m_line;
    FrameObserver m_observer;
    std::deque<Arriving> m_arriving; // written, not yet at the units
    qint64 m_inboundFreeUs = 0;      // when the last character written reaches them
    QByteArray m_frame;              // the frame being received, from its "("
    bool m_frameTooLong = false;
    qint64 m_lastByteUs = 0;
    qint64 m_nowMs = 0;
};

} // namespace mqx::sim

#include "simulated_line.h"

#include <algorithm>

namespace mqx::sim {

SimulatedLine::SimulatedLine(UnitSimulator& simulator, const Clock& clock, TimerSource* timers)
    : m_simulator(simulator), m_clock(clock),
      m_timers(timers ? timers->createTimers(*this) : nullptr) {}

SimulatedLine::~SimulatedLine() = default;

void SimulatedLine::scheduleWake() {
    if (!m_timers)
        return;
    const qint64 nextUs = m_open ? m_simulator.nextChangeUs() : -1;
    if (nextUs < 0) {
        m_timers->stop(WakeTimer);
        return;
    }
    const qint64 inMs = (nextUs + 999) / 1000 - m_clock.nowMs();
    m_timers->start(WakeTimer, static_cast<int>(std::max<qint64>(inMs, 0)));
}

void SimulatedLine::onTimer(int) {
    m_timers->stop(WakeTimer);
    // The handler may read, write or close; the wake is set again for whatever is left.
    if (collect() && m_arrivalHandler)
        m_arrivalHandler();
    scheduleWake();
}

int SimulatedLine::Open(const QString&, const QString&, const QString&, const QString&,
                        const QString&) {
    // What the units sent while nobody listened is gone.
    m_simulator.takeOutput(m_clock.nowMs());
    m_input.clear();
    m_open = true;
    m_cut = false;
    m_pulled = false;
    scheduleWake();
    return 0;
}

qint64 SimulatedLine::bytesToWrite() const {
    return m_open ? m_simulator.charactersArrivingAfter(m_clock.nowMs()) : 0;
}

void SimulatedLine::pullAdapter() {
    m_pulled = true;
    m_input.clear();
    if (m_open && m_faultHandler)
        m_faultHandler();
}

bool SimulatedLine::collect() {
    const QByteArray arrived = m_simulator.takeOutput(m_clock.nowMs());
    if (!m_open || m_cut || m_pulled)
        return false;
    const qsizetype room = kInputQueueLimit - m_input.size();
    m_input.append(arrived.first(std::min(room, arrived.size())));
    return !arrived.isEmpty();
}

QByteArray SimulatedLine::Read(int maximum, bool* ok) {
    if (ok)
        *ok = m_open && !m_pulled;
    if (!m_open || m_pulled || maximum <= 0)
        return {};
    collect();
    const QByteArray out = m_input.first(std::min<qsizetype>(maximum, m_input.size()));
    m_input.remove(0, out.size());
    return out;
}

int SimulatedLine::Write(QByteArrayView frame) {
    if (!m_open || m_pulled)
        return -1;
    if (m_cut)
        return 0;
    m_simulator.receive(frame, m_clock.nowMs());
    scheduleWake();
    return 0;
}

void SimulatedLine::PurgeInput() {
    collect();
    m_input.clear();
}

void SimulatedLine::Close() {
    m_open = false;
    m_input.clear();
    if (m_timers)
        m_timers->stop(WakeTimer);
}

} // namespace mqx::sim

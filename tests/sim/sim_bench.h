#pragma once
// A line with simulated units on simulated time, for asking one request at a time.

#include "unit_simulator.h"

#include <QByteArray>

namespace mqx::sim::test {

class SimBench {
public:
    explicit SimBench(std::vector<int> ids = {1}, bool pacing = false) : m_sim(ids) {
        m_sim.setPacing(pacing);
    }

    UnitSimulator& sim() { return m_sim; }
    SimulatedUnit& unit(int id = 1) { return *m_sim.unit(id); }
    qint64 now() const { return m_now; }

    void write(QByteArrayView bytes) { m_sim.receive(bytes, m_now); }
    QByteArray waitMs(qint64 ms) {
        m_now += ms;
        return m_sim.takeOutput(m_now);
    }
    // Sends a whole frame and collects its answer, however it ends and however long it is.
    QByteArray ask(QByteArrayView frame) {
        write(frame);
        return waitMs(UnitSimulator::kSilenceMs + (m_sim.pacing() ? 600 : 0));
    }

private:
    UnitSimulator m_sim;
    qint64 m_now = 1000;
};

} // namespace mqx::sim::test

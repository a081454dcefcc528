#pragma once
// The controller's link engine and simulated units on one line, on virtual time. The units'
// frame observer keeps what they heard and what they sent, so a test can hold the two ends
// against each other.

#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "core/program_record.h"
#include "core/session.h"
#include "link/link_engine.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace mqx::test {

class SimulatedLink : public ::testing::Test {
protected:
    explicit SimulatedLink(const std::vector<int>& ids = {1}, int connectedId = 1);
    void SetUp() override;

    sim::SimulatedUnit& unit(int id = 1) { return *simulator.unit(id); }

    // Runs the clock until the exchange under way has ended.
    bool waitDone(qint64 limitMs = 30000);
    // Issues `index` with the arguments set so far and waits for its exchange to end.
    ::testing::AssertionResult exchange(int index, qint64 limitMs = 30000);
    // Lets virtual time pass; the units hear it even while the engine reads nothing.
    void idle(qint64 ms);
    // Downloads the current program and decodes it; nothing when the exchange failed.
    std::optional<ProgramRecord> download();

    std::vector<QByteArray> heard; // by the units
    std::vector<QByteArray> sent;  // by the units: answers and level frames

    VirtualClock clock;
    sim::UnitSimulator simulator;
    sim::SimulatedLine line{simulator, clock, &clock};
    Session session;
    LinkEngine engine{line, clock, session};
};

} // namespace mqx::test

// The simulated unit behind the port seam (a cut cable: tests/connection; the purge: tests/e2e).

#include "simulated_line.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

using namespace mqx;
using namespace mqx::sim;

TEST(SimulatedLine, ToldOfAnArrivalOnceARunOfCharactersHasComeIn) {
    UnitSimulator sim;
    test::VirtualClock clock;
    SimulatedLine line(sim, clock, &clock);
    bool ok = true;
    EXPECT_EQ((std::pair{line.Read(1024, &ok), ok}), std::pair(QByteArray(), false));
    std::vector<std::pair<qint64, QByteArray>> arrivals;
    line.setArrivalHandler([&] { arrivals.emplace_back(clock.nowMs(), line.Read(3, &ok)); });
    line.Open(QStringLiteral("1"), {}, {}, {}, {});
    // The request is in after 4.2 ms (the 5th), answered at once; the answer's 8
    // characters are back 4.2 ms later, read at most as many as asked for.
    line.Write("(01hello");
    clock.advance(200);
    const std::vector<std::pair<qint64, QByteArray>> expected{{10, "(01"}};
    EXPECT_EQ(arrivals, expected);
    EXPECT_EQ((std::pair{line.Read(1024, &ok), ok}), std::pair(QByteArray("hello"), true));
    line.Write("(01K");
    line.Close();
    clock.advance(200);
    EXPECT_EQ(arrivals.size(), 1u) << "a closed line tells of nothing";
}

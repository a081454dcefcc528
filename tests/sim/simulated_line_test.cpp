// The simulated unit behind the port seam. A cut cable and a pulled adapter show in the
// connection tests (tests/connection), which lose the line by them.

#include "simulated_line.h"
#include "virtual_clock.h"

#include <gtest/gtest.h>

using namespace mqx;
using namespace mqx::sim;

static const QString kAny = QStringLiteral("1");

TEST(SimulatedLine, ReadsWhatTheUnitsSentByTheClocksTimeUntilPurgedOrClosed) {
    UnitSimulator sim;
    test::VirtualClock clock;
    SimulatedLine line(sim, clock);
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.Write("(01hello"), -1) << "a closed port writes nothing";
    ASSERT_EQ(line.Open(kAny, {}, {}, {}, {}), 0);
    EXPECT_EQ(line.Write("(01hello"), 0);
    EXPECT_EQ(line.bytesToWrite(), 8) << "the request is on its way at 1920 characters a second";
    bool ok = false;
    EXPECT_EQ(line.Read(1024, &ok), "");
    EXPECT_TRUE(ok);
    clock.advance(2);
    EXPECT_EQ(line.bytesToWrite(), 8 - 2 * 1920 / 1000);
    clock.advance(3);
    EXPECT_EQ(line.bytesToWrite(), 0);
    // It ends in silence after its 4.2 ms on the wire; the answer takes as long.
    clock.advance(UnitSimulator::kSilenceMs + 5);
    EXPECT_EQ(line.Read(3), "(01");
    EXPECT_EQ(line.Read(1024), "hello");
    EXPECT_EQ(line.Read(1024), "");

    sim.setPacing(false);
    line.Write("(01X");
    clock.advance(40);
    line.PurgeInput();
    EXPECT_EQ(line.Read(1024), "");
    line.Write("(01K");
    clock.advance(40);
    line.Close();
    EXPECT_EQ(line.Read(1024, &ok), "");
    EXPECT_FALSE(ok);
    line.Open(kAny, {}, {}, {}, {});
    EXPECT_EQ(line.Read(1024), "") << "what was sent while the port was closed is gone";
    line.Write("(01K");
    clock.advance(40);
    EXPECT_EQ(line.Read(1024), "(01KE");
}

TEST(SimulatedLine, ToldOfAnArrivalOnceARunOfCharactersHasComeIn) {
    UnitSimulator sim;
    test::VirtualClock clock;
    SimulatedLine line(sim, clock, &clock);
    std::vector<std::pair<qint64, QByteArray>> arrivals;
    line.setArrivalHandler([&] { arrivals.emplace_back(clock.nowMs(), line.Read(1024)); });
    line.Open(kAny, {}, {}, {}, {});
    // The request is in after 4.2 ms (the 5th), answered at once; the answer's 8
    // characters are back 4.2 ms later.
    line.Write("(01hello");
    clock.advance(200);
    const std::vector<std::pair<qint64, QByteArray>> expected{{10, "(01hello"}};
    EXPECT_EQ(arrivals, expected);
    line.Write("(01K");
    line.Close();
    clock.advance(200);
    EXPECT_EQ(arrivals.size(), 1u) << "a closed line tells of nothing";
}

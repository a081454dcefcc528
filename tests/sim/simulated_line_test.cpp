#include "simulated_line.h"

#include <gtest/gtest.h>

using namespace mqx;
using namespace mqx::sim;

namespace {

class ManualClock : public Clock {
public:
    qint64 nowMs() const override { return m_now; }
    void advance(qint64 ms) { m_now += ms; }

private:
    qint64 m_now = 0;
};

const QString kAny = QStringLiteral("1");

} // namespace

TEST(SimulatedLine, ReadsWhatTheUnitsSentByTheClocksTime) {
    UnitSimulator sim;
    ManualClock clock;
    SimulatedLine line(sim, clock);
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.Write("(01hello"), -1) << "a closed port writes nothing";

    ASSERT_EQ(
        line.Open(kAny, QStringLiteral("19200"), QStringLiteral("0"), QStringLiteral("8"), kAny),
        0);
    EXPECT_EQ(line.Write("(01hello"), 0);
    bool ok = false;
    EXPECT_EQ(line.Read(1024, &ok), "");
    EXPECT_TRUE(ok);
    clock.advance(UnitSimulator::kSilenceMs + 5);
    EXPECT_EQ(line.Read(3), "(01");
    EXPECT_EQ(line.Read(1024), "hello");
    EXPECT_EQ(line.Read(1024), "");
}

TEST(SimulatedLine, PurgeAndCloseDiscardWhatHasArrived) {
    UnitSimulator sim;
    sim.setPacing(false);
    ManualClock clock;
    SimulatedLine line(sim, clock);
    line.Open(kAny, {}, {}, {}, {});
    line.Write("(01X");
    clock.advance(40);
    line.PurgeInput();
    EXPECT_EQ(line.Read(1024), "");

    line.Write("(01K");
    clock.advance(40);
    line.Close();
    bool ok = true;
    EXPECT_EQ(line.Read(1024, &ok), "");
    EXPECT_FALSE(ok);
    line.Open(kAny, {}, {}, {}, {});
    EXPECT_EQ(line.Read(1024), "") << "what was sent while the port was closed is gone";
    line.Write("(01K");
    clock.advance(40);
    EXPECT_EQ(line.Read(1024), "(01KE");
}

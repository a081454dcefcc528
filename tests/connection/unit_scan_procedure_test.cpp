// "Find units" against simulated lines: which IDs are found and listed how, that every unit
// greeted is told bye, and how long 99 IDs take at the line's real pace.

#include "connection/unit_scan_procedure.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

// One line of simulated units per case.
struct ScanBench : UnitBench {
    explicit ScanBench(std::vector<int> ids) : UnitBench(std::move(ids)) {
        SetUp();
        sim.setFrameObserver(
            [this](sim::UnitSimulator::Direction direction, QByteArrayView frame, qint64) {
                const QByteArray f = frame.toByteArray();
                if (direction == sim::UnitSimulator::Direction::Received) {
                    received.push_back(f);
                    if (cancelOn == f)
                        scan.cancel();
                }
            });
    }
    void TestBody() override {}

    UnitScanProcedure scan{session, engine, clock};
    QByteArray cancelOn; // the request on whose arrival the operator stops the scan
};

std::vector<int> ids(const std::vector<FoundUnit>& found) {
    std::vector<int> list;
    for (const FoundUnit& unit : found)
        list.push_back(unit.id);
    return list;
}

TEST(UnitScan, FindsTheUnitsOnTheLineAndLeavesNoneGreeted) {
    struct Case {
        const char* name;
        std::vector<int> units;
        QByteArray cancelOn;
        std::vector<int> found;
        int lastGreeted;
        ProcedureOutcome outcome;
        bool garbledHello = false; // the units take the hello but echo it garbled
    };
    const Case cases[] = {
        {"three units", {3, 17, 99}, {}, {3, 17, 99}, 99, ProcedureOutcome::Ok},
        {"an empty line", {}, {}, {}, 99, ProcedureOutcome::Ok},
        {"stopped on a silent ID", {3, 17, 99}, "(10hello", {3}, 10, ProcedureOutcome::Cancel},
        {"stopped while a unit answers",
         {3, 17, 99},
         "(17hello",
         {3, 17},
         17,
         ProcedureOutcome::Cancel},
        {"garbled echoes", {3, 17, 99}, {}, {}, 99, ProcedureOutcome::Ok, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScanBench bench(c.units);
        bench.cancelOn = c.cancelOn;
        if (bench.sim.unit(17))
            bench.sim.unit(17)->handle("Y" + QByteArray("Stage left.").leftJustified(256, '.'));
        if (c.garbledHello)
            bench.sim.setFault(sim::UnitCommand::Hello, {sim::LineFault::Kind::Garbled});
        std::vector<int> progress;
        bench.scan.setProgressCallback([&](int id) { progress.push_back(id); });
        ASSERT_TRUE(bench.scan.start(QStringLiteral("1")));
        ASSERT_TRUE(bench.runToEnd(bench.scan));
        EXPECT_EQ(bench.scan.outcome(), c.outcome);

        EXPECT_EQ(ids(bench.scan.found()), c.found);
        if (c.found.size() == 3) {
            EXPECT_EQ(UnitScanProcedure::unitText(bench.scan.found()[1]),
                      QStringLiteral("ID 17  Stage left"));
        }
        // At the line's pace 96 silent IDs, each greeted and told bye, and three units fit
        // inside half a minute.
        EXPECT_LT(bench.clock.nowMs(), 30000);
        EXPECT_EQ(progress.size(), static_cast<std::size_t>(c.lastGreeted));
        EXPECT_EQ(bench.count(QStringLiteral("(%1hello")
                                  .arg(c.lastGreeted + 1, 2, 10, QLatin1Char('0'))
                                  .toLatin1()),
                  0)
            << "nothing greeted after the stop";
        // Every ID greeted, answered or not, was told bye before the next ID was greeted.
        QByteArray greeted;
        for (const QByteArray& frame : bench.received) {
            if (frame.endsWith("hello")) {
                EXPECT_TRUE(greeted.isEmpty()) << greeted.constData() << " left greeted";
                greeted = frame.left(3);
            } else if (frame == greeted + "bye") {
                greeted.clear();
            }
        }
        EXPECT_TRUE(greeted.isEmpty()) << greeted.constData() << " left greeted";
        EXPECT_FALSE(bench.line.isOpen());
        EXPECT_EQ(bench.session.ConnectedUnitId, 0);
    }
}

} // namespace
} // namespace mqx::test

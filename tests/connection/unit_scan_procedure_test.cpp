
#include "connection/unit_scan_procedure.h"
#include "unit_bench.h"

namespace mqx::test {
namespace {

TEST(UnitScan, FindsTheUnitsOnTheLineAndLeavesNoneGreeted) {
    constexpr auto Ok = ProcedureOutcome::Ok, Cancel = ProcedureOutcome::Cancel;
    const struct {
        const char* name;
        std::vector<int> units;
        QByteArray cancelOn;
        std::vector<int> found;
        int lastGreeted;
        ProcedureOutcome outcome;
        bool garbledHello = false; // the units take the hello but echo it garbled
    } cases[] = {
        {"three units", {3, 17, 99}, {}, {3, 17, 99}, 99, Ok},
        {"an empty line", {}, {}, {}, 99, Ok},
        {"stopped on a silent ID", {3, 17, 99}, "(10hello", {3}, 10, Cancel},
        {"stopped while a unit answers", {3, 17, 99}, "(17hello", {3, 17}, 17, Cancel},
        {"garbled echoes", {3, 17, 99}, {}, {}, 99, Ok, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UnitBench bench(c.units);
        bench.SetUp();
        UnitScanProcedure scan{bench.session, bench.engine, bench.clock};
        bench.onReceived = [&](const QByteArray& frame) {
            if (frame == c.cancelOn) // the operator stops the scan as this request arrives
                scan.cancel();
        };
        if (bench.sim.unit(17))
            bench.sim.unit(17)->handle("Y" + QByteArray("Stage left.").leftJustified(256, '.'));
        if (c.garbledHello)
            bench.sim.setFault(sim::UnitCommand::Hello, {K::Garbled});
        std::vector<int> progress;
        scan.setProgressCallback([&](int id) { progress.push_back(id); });
        ASSERT_TRUE(scan.start(QStringLiteral("1")) && bench.runToEnd(scan));
        EXPECT_EQ(scan.outcome(), c.outcome);
        std::vector<int> found;
        for (const FoundUnit& unit : scan.found())
            found.push_back(unit.id);
        EXPECT_EQ(found, c.found);
        EXPECT_TRUE(found.size() != 3 ||
                    UnitScanProcedure::unitText(scan.found()[1]) == "ID 17  Stage left");
        // 96 silent IDs and three units, each greeted and told bye, in half a minute.
        EXPECT_TRUE(bench.clock.nowMs() < 30000 && int(progress.size()) == c.lastGreeted);
        const QString next =
            QStringLiteral("(%1hello").arg(c.lastGreeted + 1, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(bench.count(next.toLatin1()), 0) << "nothing greeted after the stop";
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
        EXPECT_FALSE(bench.line.isOpen() || bench.session.ConnectedUnitId != 0);
    }
}

} // namespace
} // namespace mqx::test

// How long the Program List takes to read the 50 slots of a unit, against the time its
// characters need on the wire at 1920 characters a second. The controller's own list
// procedure runs against the simulated unit pacing both directions, on the virtual clock,
// from a connected unit with metering on: levoff, 50 pinfget, then levon on Exit.
//
// Two units: one whose 50 slots all hold a program (every answer a whole header), and
// the simulator's fresh unit with 44 empty slots (most answers short error replies).
// Figures are printed, never judged.

#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "bench_doubles.h"

#include "connection/connect_procedure.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"
#include "program/program_list_procedure.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

using namespace mqx;

void run(const char* what, bool everySlotUsed) {
    test::VirtualClock clock;
    sim::UnitSimulator simulator{{1}};
    sim::SimulatedLine simulated{simulator, clock, &clock};
    CountingLine line{simulated};
    Session session;
    QuietPrompts prompts;
    LinkEngine engine{line, clock, session};
    if (everySlotUsed)
        for (int n = 1; n <= sim::kSlotCount; ++n) {
            simulator.unit(1)->slot(n) = simulator.unit(1)->currentProgram();
            simulator.unit(1)->slot(n).empty_flag = 0;
        }

    ConnectProcedure connect(session, engine, prompts, clock);
    connect.start(QStringLiteral("1"), 1);
    if (!clock.runUntil([&] { return connect.hasEnded(); }, 60000) ||
        connect.outcome() != ProcedureOutcome::Ok) {
        std::printf("%-40s FAILED to connect\n", what);
        return;
    }
    // Metering runs, as it does once the controller is connected.
    engine.setMeteringOn(true);
    engine.watchUnit(true);
    engine.IssueCommand(CmdLevon);
    clock.advance(1000);

    line.characters = 0;
    const qint64 start = clock.nowMs();
    ProgramListProcedure list(session, engine, prompts, clock);
    list.start();
    clock.runUntil([&] { return list.phase() != ProgramListProcedure::Phase::Reading; }, 120000);
    const bool read = list.phase() == ProgramListProcedure::Phase::Ready && list.slotsRead() == 50;
    const qint64 readMs = clock.nowMs() - start;
    const qint64 readCharacters = line.characters;
    list.exit();
    clock.runUntil([&] { return list.hasEnded(); }, 60000);

    const double seconds = static_cast<double>(readMs) / 1000.0;
    const double wire =
        static_cast<double>(readCharacters) / static_cast<double>(kLineCharactersPerSecond);
    std::printf("%-40s %7.3f s for %6lld characters (wire %7.3f s): ratio %.3f%s\n", what, seconds,
                static_cast<long long>(readCharacters), wire, seconds / wire,
                read ? "" : "  FAILED");
    const double all = static_cast<double>(clock.nowMs() - start) / 1000.0;
    const double allWire =
        static_cast<double>(line.characters) / static_cast<double>(kLineCharactersPerSecond);
    std::printf("%-40s %7.3f s for %6lld characters (wire %7.3f s): ratio %.3f\n",
                "  with levon on Exit", all, static_cast<long long>(line.characters), allWire,
                all / allWire);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::printf("Program List against the paced simulated unit on virtual time; "
                "ratio = time / wire time\n");
    run("program list, 50 slots used (levoff+50)", true);
    run("program list, fresh unit (6 used)", false);
    return 0;
}

// How close whole sequences of exchanges come to the time their characters need on the
// wire, run by the controller's own procedures against the simulated unit pacing both
// directions at 1920 characters a second, on the virtual clock:
//
//   greeting:            hello, devinfget, pnllock, bye (what `mqxtool info` does)
//   download:            the greeting's three, pdatget, bye (`mqxtool download`)
//   upload:              the greeting's three, pdatset, bye (`mqxtool upload`)
//   50 pinfget:          one program header after another, as a program list reads them
//
// Each prints the time taken, the wire time of every character written and read, and their
// ratio. Figures are printed, never judged.

#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "bench_doubles.h"

#include "connection/connect_procedure.h"
#include "connection/disconnect_procedure.h"
#include "connection/select_data_procedure.h"
#include "core/program_record.h"
#include "core/prompts.h"
#include "core/session.h"
#include "link/link_engine.h"
#include "link/link_procedure.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

using namespace mqx;

// Reads the headers of programs 1..count one after another, as a program list does.
class InfoListProcedure : public LinkProcedure {
public:
    enum TimerId : int { IssueTimer = 70, ReplyTimer = 71 };
    InfoListProcedure(LinkEngine& engine, TimerSource& timers, int count)
        : LinkProcedure(engine, timers), m_count(count) {}
    void start() {
        if (begin())
            step(IssueTimer);
    }
    int failures = 0;

private:
    void step(int id) override {
        if (id == IssueTimer) {
            engine().setProgramArg(++m_number);
            engine().IssueCommand(CmdPinfget);
            startTimer(ReplyTimer);
            return;
        }
        if (!pollDone(id))
            return;
        if (!engine().succeeded() || !engine().CheckReply(CmdPinfget).isMatch())
            ++failures;
        if (m_number == m_count)
            return finish(ProcedureOutcome::Ok);
        startTimer(IssueTimer);
    }
    int m_count;
    int m_number = 0;
};

struct Bench {
    test::VirtualClock clock;
    sim::UnitSimulator simulator{{1}};
    sim::SimulatedLine simulated{simulator, clock, &clock};
    CountingLine line{simulated};
    Session session;
    QuietPrompts prompts;
    LinkEngine engine{line, clock, session};

    bool run(LinkProcedure& procedure) {
        return clock.runUntil([&] { return procedure.hasEnded(); }, 120000) &&
               procedure.outcome() == ProcedureOutcome::Ok;
    }
    bool connect() {
        ConnectProcedure connect(session, engine, prompts, clock);
        connect.start(QStringLiteral("1"), 1);
        return run(connect);
    }
    bool transfer(TransferDirection direction) {
        SelectDataProcedure select(session, engine, prompts, clock);
        select.start(direction);
        return run(select);
    }
    bool disconnect() {
        DisconnectProcedure disconnect(session, engine, prompts, clock);
        disconnect.start();
        const bool ok = run(disconnect) && disconnect.completed();
        session.ConnectedUnitId = 0;
        return ok;
    }
    void print(const char* what, qint64 startMs, bool ok) const {
        const double seconds = static_cast<double>(clock.nowMs() - startMs) / 1000.0;
        const double wire =
            static_cast<double>(line.characters) / static_cast<double>(kLineCharactersPerSecond);
        std::printf("%-34s %7.3f s for %6lld characters (wire %7.3f s): ratio %.3f%s\n", what,
                    seconds, static_cast<long long>(line.characters), wire, seconds / wire,
                    ok ? "" : "  FAILED");
    }
};

void greeting() {
    Bench b;
    const bool ok = b.connect() && b.disconnect();
    b.print("greeting (hello..bye)", 0, ok);
}

void withTransfer(TransferDirection direction, const char* what) {
    Bench b;
    const bool ok = b.connect() && b.transfer(direction) && b.disconnect();
    b.print(what, 0, ok);
}

void infoList() {
    Bench b;
    // Every slot holds a program, so that each answer is a whole header.
    for (int n = 1; n <= sim::kSlotCount; ++n) {
        b.simulator.unit(1)->slot(n) = b.simulator.unit(1)->currentProgram();
        b.simulator.unit(1)->slot(n).empty_flag = 0;
    }
    if (!b.connect()) {
        b.print("50 pinfget in a row", 0, false);
        return;
    }
    b.line.characters = 0;
    const qint64 start = b.clock.nowMs();
    InfoListProcedure list(b.engine, b.clock, 50);
    list.start();
    const bool ok = b.run(list) && list.failures == 0;
    b.print("50 pinfget in a row", start, ok);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    std::printf("Paced simulated unit on virtual time; ratio = time / wire time\n");
    greeting();
    withTransfer(TransferDirection::Download, "greeting + download + goodbye");
    withTransfer(TransferDirection::Upload, "greeting + upload + goodbye");
    infoList();
    return 0;
}

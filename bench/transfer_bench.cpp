// How long a whole program download (pdatget, 1030 characters back) takes through the
// link engine, set against the 0.536 s those characters need on the wire at 19200 baud
// (ten bits a character): once on the virtual clock against the simulator pacing its
// answer, once in real time through QSerialPort against mqx-sim on a pseudo-terminal.
// The time also holds the request's own characters on the wire and whatever the engine
// takes to see the reply's end (the port's arrival event, at worst its 50 ms poll); the
// ratio says how much. Figures are printed, never judged.

#include "run_events.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "core/prompts.h"
#include "link/hardware_serial_port.h"
#include "link/link_engine.h"
#include "link/qt_timer_source.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

using namespace mqx;

constexpr int kReplyCharacters = 1030;
constexpr double kWireSeconds = kReplyCharacters * 10.0 / 19200.0;

// The mean download time of each run, for the summary after the table.
std::optional<double> g_virtualSeconds;
std::optional<double> g_realSeconds;

class PrintedPrompts : public Prompts {
public:
    void message(const QString& title, const QString& text, PromptIcon) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool confirm(const QString& title, const QString& text, PromptIcon icon) override {
        message(title, text, icon);
        return false;
    }
};

void report(benchmark::State& state, double totalSeconds, int failures) {
    const double mean = totalSeconds / static_cast<double>(state.iterations());
    state.counters["download_s"] = mean;
    state.counters["ratio_to_wire"] = mean / kWireSeconds;
    state.counters["failures"] = failures;
}

void PdatgetOnVirtualClock(benchmark::State& state) {
    test::VirtualClock clock;
    sim::UnitSimulator simulator({1});
    sim::SimulatedLine line(simulator, clock, &clock);
    int unitId = 1;
    MeterLevels meters;
    LinkEngine engine(line, clock, unitId, meters);
    engine.OpenLink(QStringLiteral("1"));
    engine.setProgramArg(0);

    double total = 0;
    int failures = 0;
    for (auto _ : state) {
        const qint64 start = clock.nowMs();
        engine.IssueCommand(CmdPdatget);
        clock.runUntil([&] { return engine.done(); }, 30000);
        total += static_cast<double>(clock.nowMs() - start) / 1000.0;
        if (!engine.succeeded() || !engine.CheckReply(CmdPdatget).isMatch())
            ++failures;
    }
    report(state, total, failures);
    g_virtualSeconds = total / static_cast<double>(state.iterations());
}

void PdatgetOverPseudoTerminal(benchmark::State& state) {
    QProcess sim;
    sim.start(QStringLiteral(MQX_SIM_PATH), {});
    QByteArray firstLine;
    const QDeadlineTimer patience(5000);
    if (sim.waitForStarted(5000))
        while (!firstLine.contains('\n') && !patience.hasExpired() &&
               sim.waitForReadyRead(static_cast<int>(patience.remainingTime())))
            firstLine += sim.readAllStandardOutput();
    const QString path = QString::fromLocal8Bit(firstLine.trimmed());
    if (path.isEmpty()) {
        state.SkipWithError("mqx-sim gave no pseudo-terminal");
        return;
    }

    PrintedPrompts prompts;
    HardwareSerialPort port(prompts);
    QtTimerSource timers;
    int unitId = 1;
    MeterLevels meters;
    {
        LinkEngine engine(port, timers, unitId, meters);
        if (engine.OpenLink(path) != 1) {
            state.SkipWithError("the pseudo-terminal did not open");
            return;
        }
        engine.setProgramArg(0);
        double total = 0;
        int failures = 0;
        for (auto _ : state) {
            QElapsedTimer elapsed;
            elapsed.start();
            engine.IssueCommand(CmdPdatget);
            const bool ended = runEventsUntil([&] { return engine.done(); }, 15000);
            const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
            state.SetIterationTime(seconds);
            total += seconds;
            if (!ended || !engine.succeeded() || !engine.CheckReply(CmdPdatget).isMatch())
                ++failures;
        }
        report(state, total, failures);
        g_realSeconds = total / static_cast<double>(state.iterations());
        engine.CloseLink();
    }
    sim.terminate();
    sim.waitForFinished(5000);
}

BENCHMARK(PdatgetOnVirtualClock)->Unit(benchmark::kMicrosecond);
BENCHMARK(PdatgetOverPseudoTerminal)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

void printSummary(const char* what, const std::optional<double>& seconds) {
    if (!seconds)
        return;
    std::printf("pdatget (%d characters) %s: %.3f s, wire time %.3f s, ratio %.3f\n",
                kReplyCharacters, what, *seconds, kWireSeconds, *seconds / kWireSeconds);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary("through the engine, paced simulator on virtual time", g_virtualSeconds);
    printSummary("through QSerialPort and mqx-sim in real time", g_realSeconds);
    return 0;
}

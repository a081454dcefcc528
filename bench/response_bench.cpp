// Cost of the response curves as the graphs recompute them on every repaint, and of
// building the crossover table at start-up.

#include "core/program_record.h"
#include "graphs/crossover_table.h"
#include "graphs/output_response.h"
#include "graphs/peq_response.h"

#include <benchmark/benchmark.h>

namespace {

using namespace mqx;

// Every band and filter in use, so that no curve takes the flat shortcut.
ProgramRecord busyProgram() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    for (int b = 0; b < kPeqBandCount; ++b)
        for (int ch = 0; ch < kInputCount; ++ch)
            r.peq_band[static_cast<std::size_t>(b)][static_cast<std::size_t>(ch)] =
                EqBand{static_cast<std::uint8_t>(1 + b % 5), static_cast<std::uint8_t>(10 + 10 * b),
                       static_cast<std::uint8_t>(b % 2 ? 36 : 12), 46};
    for (int c = 0; c < kOutputCount; ++c) {
        OutputChannel& out = r.out[static_cast<std::size_t>(c)];
        out.hpf_type = static_cast<std::uint8_t>(2 * c);
        out.hpf_freq = static_cast<std::uint8_t>(20 + 10 * c);
        out.lpf_type = static_cast<std::uint8_t>(2 * c + 1);
        out.lpf_freq = static_cast<std::uint8_t>(60 + 10 * c);
        for (int e = 0; e < kOutputEqCount; ++e)
            out.eq[static_cast<std::size_t>(e)] =
                EqBand{static_cast<std::uint8_t>(1 + (c + e) % 5),
                       static_cast<std::uint8_t>(30 + 20 * e), 30, 40};
    }
    return r;
}

void CrossoverTableGeneration(benchmark::State& state) {
    for (auto _ : state) {
        const CrossoverTable table;
        benchmark::DoNotOptimize(&table);
    }
}
BENCHMARK(CrossoverTableGeneration)->Unit(benchmark::kMicrosecond);

// One PEQ graph repaint: eleven band curves and their sum.
void PeqRepaintCurves(benchmark::State& state) {
    const ProgramRecord record = busyProgram();
    for (auto _ : state) {
        PeqCurves curves = PeqResponse(record, 0);
        benchmark::DoNotOptimize(curves.sum.data());
    }
}
BENCHMARK(PeqRepaintCurves)->Unit(benchmark::kMicrosecond);

// One output page repaint: six channels of five element curves and a sum each.
void OutputPageCurves(benchmark::State& state) {
    const ProgramRecord record = busyProgram();
    const CrossoverTable& table = SharedCrossoverTable();
    for (auto _ : state) {
        for (const OutputChannel& channel : record.out) {
            OutputCurves curves = OutputResponse(channel, table);
            benchmark::DoNotOptimize(curves.sum.data());
        }
    }
}
BENCHMARK(OutputPageCurves)->Unit(benchmark::kMicrosecond);

} // namespace

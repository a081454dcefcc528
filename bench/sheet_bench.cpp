// Time to write a setup sheet: the whole PDF of a PEQ-mode program with every band in use
// (eleven pages, nine plots), and one plot drawn as mqxtool's PNG.

#include "core/program_record.h"
#include "pages/setup_sheet.h"
#include "pages/sheet_plots.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace mqx;

ProgramRecord busyProgram() {
    ProgramRecord r{};
    ApplyRecordDefaults(r);
    r.eq_mode = 1;
    for (int b = 0; b < kPeqBandCount; ++b)
        for (int ch = 0; ch < kInputCount; ++ch)
            r.peq_band[static_cast<std::size_t>(b)][static_cast<std::size_t>(ch)] =
                EqBand{static_cast<std::uint8_t>(1 + b % 5), static_cast<std::uint8_t>(10 + 10 * b),
                       static_cast<std::uint8_t>(b % 2 ? 36 : 12), 46};
    for (int c = 0; c < kOutputCount; ++c)
        for (int e = 0; e < kOutputEqCount; ++e)
            r.out[static_cast<std::size_t>(c)].eq[static_cast<std::size_t>(e)] =
                EqBand{static_cast<std::uint8_t>(1 + (c + e) % 5),
                       static_cast<std::uint8_t>(30 + 20 * e), 30, 40};
    return r;
}

void WriteSheet(benchmark::State& state) {
    const ProgramRecord record = busyProgram();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteSetupSheet(path, record, 3, QStringLiteral("today")).ok);
}
BENCHMARK(WriteSheet)->Unit(benchmark::kMillisecond);

void DrawOutputPng(benchmark::State& state) {
    const ProgramRecord record = busyProgram();
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderResponsePlot(OutputChannelPlot(record, 0), {1000, 560}));
}
BENCHMARK(DrawOutputPng)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

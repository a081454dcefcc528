// The Output page's graph on the window thread: one repaint rendered into an image with
// all six channels displayed (each channel's five element curves and its sum computed from
// the record, markers, the selected element's line and handles, frame), at 1x and 2x
// device pixels, with every channel's filters changed between frames.
//
// Figures are printed, never judged.

#include "virtual_clock.h"

#include "bench_doubles.h"

#include "core/prompts.h"
#include "core/session.h"
#include "link/parameter_edit_sink.h"
#include "pages/output_graph.h"
#include "pages/output_page.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

using namespace mqx;

namespace {

// Every channel with both crossovers and three EQs on, all shown on output A's graph.
void busyProgram(Session& session) {
    ApplyDefaults(session);
    ProgramRecord& r = session.CurrentRecord();
    for (int c = 0; c < kOutputCount; ++c) {
        OutputChannel& o = r.out[static_cast<std::size_t>(c)];
        o.hpf_type = static_cast<std::uint8_t>(c * 2);
        o.hpf_freq = static_cast<std::uint8_t>(10 + c * 5);
        o.lpf_type = static_cast<std::uint8_t>(11 - c);
        o.lpf_freq = static_cast<std::uint8_t>(100 - c * 4);
        for (int k = 0; k < kOutputEqCount; ++k)
            o.eq[static_cast<std::size_t>(k)] = {static_cast<std::uint8_t>(1 + (c + k) % 5),
                                                 static_cast<std::uint8_t>(30 + 20 * k + c),
                                                 static_cast<std::uint8_t>(10 + 5 * k + c),
                                                 static_cast<std::uint8_t>(20 + 9 * k)};
        o.level = static_cast<std::uint8_t>(170 + c);
    }
    r.out[0].display_mask = 0x1f; // B..F besides A's own
}

void outputGraphRepaint(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    Session session;
    busyProgram(session);
    NoEdits sink;
    QuietPrompts prompts;
    test::VirtualClock clock;
    OutputPage page(session, sink, prompts, clock, 0);
    page.filters().pressBandButton(ElementEq2);
    OutputGraph* graph = page.graph();
    graph->render(ratio); // the background is painted once per ratio and kept
    int level = 0;
    for (auto _ : state) {
        const auto value = static_cast<std::uint8_t>(level++ % 49);
        for (auto& o : session.CurrentRecord().out)
            o.eq[1].level = value;
        const QImage image = graph->render(ratio);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(outputGraphRepaint)->Arg(1)->Arg(2)->ArgName("ratio")->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

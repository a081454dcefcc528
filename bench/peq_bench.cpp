// The PEQ page's graph on the window thread:
//
//   repaint:  the whole graph rendered into one image (the band curves that changed and
//             the sum computed from the record, markers, the selected band's curve and
//             handles, frame), at 1x and 2x device pixels, with one band or all eleven
//             changed since the last frame;
//   drag:     one handle drag step from the mouse move event on the graph to the frame
//             written by the link engine (graph, editor, parameter edit, engine), against
//             the simulated unit on the virtual clock.
//
// Figures are printed, never judged.

#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "bench_doubles.h"

#include "core/prompts.h"
#include "core/session.h"
#include "link/engine_edit_sink.h"
#include "link/link_engine.h"
#include "pages/peq_graph.h"
#include "pages/peq_page.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

using namespace mqx;

namespace {

// Eleven active bands of every type, band 4 selected.
void busyProgram(Session& session) {
    ApplyDefaults(session);
    ProgramRecord& r = session.CurrentRecord();
    r.eq_mode = 1;
    r.peq_link = 0;
    for (int b = 0; b < kPeqBands; ++b)
        r.peq_band[static_cast<std::size_t>(b)][0] = {
            static_cast<std::uint8_t>(1 + b % 5), static_cast<std::uint8_t>(10 + b * 10),
            static_cast<std::uint8_t>(12 + (b * 7) % 25), static_cast<std::uint8_t>(20 + b * 4)};
}

void graphRepaint(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    Session session;
    busyProgram(session);
    NoEdits sink;
    QuietPrompts prompts;
    test::VirtualClock clock;
    PeqPage page(session, sink, prompts, clock, 0);
    page.editor().pressBandButton(4);
    PeqGraph* graph = page.graph();
    graph->render(ratio); // the background is painted once per ratio and kept
    // Second argument 0: one band changes between frames, as while it is dragged, and only
    // its curve is computed again; 1: every band changes, as after a recall or a flat.
    const bool allBands = state.range(1) == 1;
    int level = 0;
    for (auto _ : state) {
        const auto value = static_cast<std::uint8_t>(level++ % 49);
        for (int b = allBands ? 0 : 4; b <= (allBands ? kPeqBands - 1 : 4); ++b)
            session.CurrentRecord().peq_band[static_cast<std::size_t>(b)][0].level = value;
        const QImage image = graph->render(ratio);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(graphRepaint)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->ArgNames({"ratio", "allBands"})
    ->Unit(benchmark::kMicrosecond);

void handleDragStep(benchmark::State& state) {
    test::VirtualClock clock;
    sim::UnitSimulator unit{{1}};
    sim::SimulatedLine line{unit, clock};
    Session session;
    busyProgram(session);
    session.ConnectedUnitId = 1;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    QuietPrompts prompts;
    if (engine.OpenLink(QStringLiteral("1")) != 1) {
        state.SkipWithError("the simulated line did not open");
        return;
    }
    PeqPage page(session, sink, prompts, clock, 0);
    page.show();
    page.editor().pressBandButton(4);
    PeqGraph* graph = page.graph();
    const BandHandles h = page.editor().handles();
    const QPoint centre(h.x, h.y);
    const auto send = [&](QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, graph->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(graph, &event);
    };
    send(QEvent::MouseButtonPress, centre);
    bool right = true;
    for (auto _ : state) {
        // Three pixels is one frequency step: every move changes the band and sends.
        send(QEvent::MouseMove, centre + QPoint(right ? 3 : 0, 0));
        right = !right;
    }
    send(QEvent::MouseButtonRelease, centre);
    state.counters["freq"] = session.CurrentRecord().peq_band[4][0].freq;
}
BENCHMARK(handleDragStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

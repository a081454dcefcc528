// The GEQ page's costs on the window thread:
//
//   paint:  the 31 band faders and the level fader painted into one image, as the page
//           is shown after a tab change or a flat, at 1x and at 2x device pixels;
//   step:   one fader step from the mouse move event to the frame written by the link
//           engine (the page, the editor, the parameter edit and the engine's frame),
//           against the simulated unit on the virtual clock.
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
#include "pages/fader.h"
#include "pages/geq_page.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace mqx;

namespace {

void paintFaders(benchmark::State& state) {
    const qreal ratio = static_cast<qreal>(state.range(0));
    QImage image(QSize(680, 312) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    const FaderGeometry band = GeqBandFader();
    const FaderGeometry level = LevelFader();
    int shift = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        for (int b = 0; b < kGeqBands; ++b)
            Fader::paint(p, QPoint(GeqLayout::bandTrackLeft(b), GeqLayout::kBandTrackTop), band,
                         KnobTopOf(band, (b * 7 + shift) % 49), b == 5, false);
        Fader::paint(p, QPoint(GeqLayout::kLevelTrackLeft, GeqLayout::kLevelTrackTop), level,
                     KnobTopOf(level, 181), false, false);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
        ++shift;
    }
}
BENCHMARK(paintFaders)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void faderStep(benchmark::State& state) {
    test::VirtualClock clock;
    sim::UnitSimulator unit{{1}};
    sim::SimulatedLine line{unit, clock};
    Session session;
    ApplyDefaults(session);
    session.ConnectedUnitId = 1;
    LinkEngine engine{line, clock, session};
    EngineEditSink sink{engine};
    QuietPrompts prompts;
    if (engine.OpenLink(QStringLiteral("1")) != 1) {
        state.SkipWithError("the simulated line did not open");
        return;
    }
    GeqPage page(session, sink, prompts, clock, 0);
    page.show();
    Fader* fader = page.bandFader(15);
    const QPoint knob(fader->width() / 2, fader->knobTop() + fader->geometry().knobHeight / 2);
    const auto send = [&](QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, fader->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(fader, &event);
    };
    send(QEvent::MouseButtonPress, knob);
    bool up = true;
    for (auto _ : state) {
        // Two pixels is one step: every move changes the band and sends one edit.
        send(QEvent::MouseMove, knob + QPoint(0, up ? -2 : 0));
        up = !up;
    }
    send(QEvent::MouseButtonRelease, knob);
    state.counters["band"] = session.CurrentRecord().geq_level[15][0];
}
BENCHMARK(faderStep)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

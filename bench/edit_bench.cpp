// How fast parameter edits reach the simulated unit through the link engine, on the
// virtual clock with the unit pacing both directions at 1920 characters a second:
//
//   burst: 24 different edits made in one moment (what PEQ Flat sends), from the moment
//          they are made until the last character has reached the unit, set against the
//          wire time of their frames;
//   drag:  a fader dragged at 200 steps a second for 2 s; for every frame the unit
//          received, how long after its step it arrived, and for the last step alone.
//
// Figures are printed, never judged.

#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "core/meter_levels.h"
#include "link/link_engine.h"
#include "link/serial_port.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

using namespace mqx;

struct Bench {
    Bench() {
        simulator.setFrameObserver([this](sim::UnitSimulator::Direction direction,
                                          QByteArrayView frame, qint64 ms) {
            if (direction == sim::UnitSimulator::Direction::Received && frame.startsWith("(01$"))
                heard.emplace_back(frame.toByteArray(), ms);
        });
        engine.OpenLink(QStringLiteral("1"));
        engine.setMeteringOn(true);
        engine.IssueCommand(CmdLevon);
        clock.advance(500);
    }
    void edit(const QByteArray& code, const QByteArray& value) {
        engine.arguments().ArgCode = code;
        engine.arguments().ArgValue = value;
        engine.IssueCommand(CmdParedt);
    }
    // Until everything written has reached the unit and nothing waits in the engine.
    void drain() {
        while (engine.waitingCount() > 0 || line.bytesToWrite() > 0)
            clock.advance(1);
    }

    test::VirtualClock clock;
    sim::UnitSimulator simulator{{1}};
    sim::SimulatedLine line{simulator, clock};
    int unitId = 1;
    MeterLevels meters;
    LinkEngine engine{line, clock, unitId, meters};
    std::vector<std::pair<QByteArray, qint64>> heard;
};

void burst() {
    Bench b;
    const qint64 start = b.clock.nowMs();
    qint64 characters = 0;
    for (int channel = 1; channel <= 2; ++channel) {
        for (int band = 0; band < 11; ++band) {
            const QByteArray code = "023" + QByteArray::number(channel) +
                                    QByteArray::number(band).rightJustified(2, '0');
            b.edit(code, "024");
            characters += 4 + code.size() + 3 + 5;
        }
        b.edit("025" + QByteArray::number(channel), "100");
        characters += 4 + 4 + 3 + 5;
    }
    b.drain();
    const double seconds = static_cast<double>(b.clock.nowMs() - start) / 1000.0;
    const double wire = static_cast<double>(characters) / kLineCharactersPerSecond;
    std::printf("burst of 24 edits (%lld characters): %.4f s, wire time %.4f s, ratio %.3f, "
                "%zu of 24 frames heard\n",
                static_cast<long long>(characters), seconds, wire, seconds / wire, b.heard.size());
}

void drag() {
    Bench b;
    std::map<QByteArray, qint64> issuedAt; // by value: unique within the drag
    qint64 lastStep = 0;
    for (int step = 0; step < 400; ++step) {
        // Values step by 7 modulo 206, so that each value names one step.
        const QByteArray value = QByteArray::number(step * 7 % 206).rightJustified(3, '0');
        lastStep = b.clock.nowMs();
        issuedAt[value] = lastStep;
        b.edit("0492", value);
        b.clock.advance(5);
    }
    b.drain();
    b.clock.advance(100);
    double total = 0;
    qint64 worst = 0;
    for (const auto& [frame, ms] : b.heard) {
        const qint64 lag = ms - issuedAt[frame.mid(8, 3)];
        total += static_cast<double>(lag);
        worst = std::max(worst, lag);
    }
    const qint64 last = b.heard.empty() ? -1 : b.heard.back().second - lastStep;
    std::printf("drag of 400 steps at 200 a second: %zu frames reached the unit; lag after "
                "its step: mean %.1f ms, worst %lld ms; last step %lld ms (one frame's wire "
                "time %d ms)\n",
                b.heard.size(), b.heard.empty() ? 0.0 : total / static_cast<double>(b.heard.size()),
                static_cast<long long>(worst), static_cast<long long>(last), WireTimeMs(16));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    burst();
    drag();
    return 0;
}

// How fast parameter edits reach the simulated unit through the link engine, on the
// virtual clock with the unit pacing both directions at 1920 characters a second:
//
//   burst: 24 different edits made in one moment (what PEQ Flat sends), from the moment
//          they are made until the unit has taken the last of them, set against the wire
//          time of the characters up to that edit;
//   drag:  a fader dragged at 200 steps a second for 2 s; for every frame the unit
//          received, how long after its step it arrived, and for the last step alone.
//
// Both once on the virtual clock against the simulated unit in-process, and once in real
// time through QSerialPort against mqx-sim on a pseudo-terminal, whose log tells when the
// unit had each frame. Figures are printed, never judged.

#include "run_events.h"
#include "simulated_line.h"
#include "unit_simulator.h"
#include "virtual_clock.h"

#include "core/meter_levels.h"
#include "core/prompts.h"
#include "link/hardware_serial_port.h"
#include "link/link_engine.h"
#include "link/qt_timer_source.h"
#include "link/serial_port.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

using namespace mqx;

using Heard = std::vector<std::pair<QByteArray, qint64>>; // edit frames and when the unit had them
using Steps = std::vector<std::pair<QByteArray, qint64>>; // values and when they were made

// The 24 edits of a burst, and the characters on the line up to the last edit's value.
std::vector<std::pair<QByteArray, QByteArray>> burstEdits(qint64* characters) {
    std::vector<std::pair<QByteArray, QByteArray>> edits;
    for (int channel = 1; channel <= 2; ++channel) {
        for (int band = 0; band < 11; ++band)
            edits.emplace_back("023" + QByteArray::number(channel) +
                                   QByteArray::number(band).rightJustified(2, '0'),
                               "024");
        edits.emplace_back("025" + QByteArray::number(channel), "100");
    }
    *characters = 0;
    for (const auto& [code, value] : edits)
        *characters += 4 + code.size() + value.size() + 5; // head, code, value, levon
    *characters -= 5;
    return edits;
}

QByteArray dragValue(int step) {
    // Values step by 7 modulo 206, so that steps close in time differ in value.
    return QByteArray::number(step * 7 % 206).rightJustified(3, '0');
}

void printBurst(const char* where, const Heard& heard, qint64 startMs, qint64 characters) {
    if (heard.empty()) {
        std::printf("burst of 24 edits %s: nothing reached the unit\n", where);
        return;
    }
    const double seconds = static_cast<double>(heard.back().second - startMs) / 1000.0;
    const double wire = static_cast<double>(characters) / kLineCharactersPerSecond;
    std::printf("burst of 24 edits %s: %.4f s until the unit had the last, wire time %.4f s, "
                "ratio %.3f; %zu of 24 frames heard\n",
                where, seconds, wire, seconds / wire, heard.size());
}

void printDrag(const char* where, const Heard& heard, const Steps& steps) {
    double total = 0;
    qint64 worst = 0;
    for (const auto& [frame, ms] : heard) {
        // The newest step with this value made before the unit had it.
        const auto step = std::find_if(steps.rbegin(), steps.rend(), [&](const auto& s) {
            return s.first == frame.mid(8, 3) && s.second <= ms;
        });
        const qint64 lag = step == steps.rend() ? 0 : ms - step->second;
        total += static_cast<double>(lag);
        worst = std::max(worst, lag);
    }
    const bool lastArrived = !heard.empty() && heard.back().first.mid(8, 3) == steps.back().first;
    const qint64 last = lastArrived ? heard.back().second - steps.back().second : -1;
    std::printf("drag of 400 steps at 200 a second %s: %zu frames reached the unit; lag after "
                "its step: mean %.1f ms, worst %lld ms; last step %lld ms (one frame's wire "
                "time %d ms)\n",
                where, heard.size(),
                heard.empty() ? 0.0 : total / static_cast<double>(heard.size()),
                static_cast<long long>(worst), static_cast<long long>(last), WireTimeMs(16));
}

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

void burstOnVirtualClock() {
    Bench b;
    qint64 characters = 0;
    const qint64 start = b.clock.nowMs();
    for (const auto& [code, value] : burstEdits(&characters))
        b.edit(code, value);
    b.drain();
    b.clock.advance(100); // the unit's frame observer hears the last one on the next read
    printBurst("on virtual time", b.heard, start, characters);
}

void dragOnVirtualClock() {
    Bench b;
    Steps steps;
    for (int step = 0; step < 400; ++step) {
        steps.emplace_back(dragValue(step), b.clock.nowMs());
        b.edit("0492", steps.back().first);
        b.clock.advance(5);
    }
    b.drain();
    b.clock.advance(100);
    printDrag("on virtual time", b.heard, steps);
}

class NoPrompts : public Prompts {
public:
    void message(const QString& title, const QString& text, PromptIcon) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool confirm(const QString&, const QString&, PromptIcon) override { return false; }
};

// mqx-sim with a log, the real port on its pseudo-terminal, metering on.
class RealBench {
public:
    RealBench() {
        m_log = m_dir.filePath(QStringLiteral("frames.log"));
        m_sim.start(QStringLiteral(MQX_SIM_PATH), {QStringLiteral("--log"), m_log});
        QByteArray firstLine;
        const QDeadlineTimer patience(5000);
        if (m_sim.waitForStarted(5000))
            while (!firstLine.contains('\n') && !patience.hasExpired() &&
                   m_sim.waitForReadyRead(static_cast<int>(patience.remainingTime())))
                firstLine += m_sim.readAllStandardOutput();
        const QString path = QString::fromLocal8Bit(firstLine.trimmed());
        m_ready = !path.isEmpty() && engine.OpenLink(path) == 1;
        if (!m_ready)
            return;
        engine.setMeteringOn(true);
        engine.IssueCommand(CmdLevon);
        runEventsUntil([] { return false; }, 500);
    }
    ~RealBench() {
        engine.CloseLink();
        m_sim.terminate();
        m_sim.waitForFinished(5000);
    }
    bool ready() const { return m_ready; }
    void edit(const QByteArray& code, const QByteArray& value) {
        engine.arguments().ArgCode = code;
        engine.arguments().ArgValue = value;
        engine.IssueCommand(CmdParedt);
    }
    void drain() {
        runEventsUntil([&] { return engine.waitingCount() == 0 && port.bytesToWrite() == 0; },
                       10000);
        runEventsUntil([] { return false; }, 300); // the unit logs a frame once it has ended
    }
    // The edit frames the unit logged, with the wall-clock time it had them. A line holds
    // the wall-clock time it was written and mqx-sim's own time of the frame, which runs
    // a poll of up to 2 ms ahead of the writing; the smallest difference of the two over
    // the whole log puts the unit's times on the wall clock.
    Heard heard() const {
        std::vector<std::pair<QByteArray, qint64>> frames; // on mqx-sim's clock
        qint64 offset = std::numeric_limits<qint64>::max();
        QFile log(m_log);
        if (!log.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        while (!log.atEnd()) {
            const QList<QByteArray> fields = log.readLine().trimmed().split(' ');
            if (fields.size() != 4 || !fields[1].endsWith("ms"))
                continue;
            const qint64 wall =
                QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODateWithMs)
                    .toMSecsSinceEpoch();
            const qint64 unitMs = fields[1].chopped(2).toLongLong();
            offset = std::min(offset, wall - unitMs);
            if (fields[2] == "recv" && fields[3].startsWith("(01$"))
                frames.emplace_back(fields[3], unitMs);
        }
        Heard out;
        for (const auto& [frame, unitMs] : frames)
            out.emplace_back(frame, unitMs + offset);
        return out;
    }

    NoPrompts prompts;
    HardwareSerialPort port{prompts};
    QtTimerSource timers;
    int unitId = 1;
    MeterLevels meters;
    LinkEngine engine{port, timers, unitId, meters};

private:
    QTemporaryDir m_dir;
    QString m_log;
    QProcess m_sim;
    bool m_ready = false;
};

qint64 wallMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

void burstOverPseudoTerminal() {
    RealBench b;
    if (!b.ready()) {
        std::printf("burst over mqx-sim: mqx-sim did not start\n");
        return;
    }
    qint64 characters = 0;
    const qint64 start = wallMs();
    for (const auto& [code, value] : burstEdits(&characters))
        b.edit(code, value);
    b.drain();
    printBurst("through QSerialPort and mqx-sim in real time", b.heard(), start, characters);
}

void dragOverPseudoTerminal() {
    RealBench b;
    if (!b.ready()) {
        std::printf("drag over mqx-sim: mqx-sim did not start\n");
        return;
    }
    Steps steps;
    QEventLoop loop;
    QTimer fader;
    fader.setTimerType(Qt::PreciseTimer);
    QObject::connect(&fader, &QTimer::timeout, &loop, [&] {
        steps.emplace_back(dragValue(static_cast<int>(steps.size())), wallMs());
        b.edit("0492", steps.back().first);
        if (steps.size() == 400)
            loop.quit();
    });
    fader.start(5);
    loop.exec();
    fader.stop();
    b.drain();
    printDrag("through QSerialPort and mqx-sim in real time", b.heard(), steps);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    burstOnVirtualClock();
    dragOnVirtualClock();
    burstOverPseudoTerminal();
    dragOverPseudoTerminal();
    return 0;
}

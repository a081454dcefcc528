// mqx-sim: simulated MQX-T410 units on a pseudo-terminal. The device path is the first
// line of standard output; the program answers on it until SIGTERM or SIGINT.

#include "own_link.h"
#include "pty_server.h"
#include "sim_options.h"
#include "steady_clock.h"
#include "termination_watcher.h"
#include "unit_simulator.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTextStream>

#include <cstdio>

using namespace mqx::sim;

namespace {

// Frames are ASCII; anything else is shown as \xNN so that one frame stays one line.
QByteArray printable(QByteArrayView frame) {
    QByteArray out;
    for (char c : frame) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127 && c != '\\') {
            out.append(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", u);
            out.append(buffer);
        }
    }
    return out;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const SimOptionsResult parsed = ParseSimOptions(QCoreApplication::arguments());
    if (!parsed.options) {
        (parsed.exitCode == 0 ? out : err) << parsed.message << (parsed.exitCode ? "\n" : "");
        return parsed.exitCode;
    }
    const SimOptions& options = *parsed.options;

    UnitSimulator simulator(options.ids);
    simulator.setPacing(options.pacing);
    for (const FaultOption& injected : options.faults)
        simulator.setFault(injected.command, injected.fault);

    QFile log;
    if (!options.logPath.isEmpty()) {
        log.setFileName(options.logPath);
        if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            err << "mqx-sim: cannot write the log " << options.logPath << "\n";
            return 1;
        }
        simulator.setFrameObserver(
            [&log](UnitSimulator::Direction direction, QByteArrayView frame, qint64 ms) {
                const QByteArray line =
                    QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toLatin1() + ' ' +
                    QByteArray::number(ms) + "ms " +
                    (direction == UnitSimulator::Direction::Received ? "recv " : "sent ") +
                    printable(frame) + '\n';
                log.write(line);
                log.flush();
            });
    }

    SteadyClock clock;
    PtyServer server(simulator, clock);
    QString why;
    if (!server.open(&why)) {
        err << "mqx-sim: " << why << "\n";
        return 1;
    }
    OwnLink link;
    if (!options.linkPath.isEmpty() && !link.make(options.linkPath, server.devicePath(), &why)) {
        err << "mqx-sim: " << why << "\n";
        return 1;
    }

    TerminationWatcher watcher([] { QCoreApplication::quit(); });
    if (!watcher.isValid()) {
        err << "mqx-sim: cannot watch for signals\n";
        return 1;
    }

    out << server.devicePath() << Qt::endl;
    const int code = QCoreApplication::exec();
    link.remove();
    return code;
}

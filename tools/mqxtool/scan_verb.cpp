#include "scan_verb.h"

#include "connection/unit_scan_procedure.h"
#include "stream_prompts.h"
#include "unit_link.h"
#include "unit_verbs.h"

namespace mqx::tool {
namespace {

// A full scan of silent IDs takes about twenty seconds; a minute leaves room for a line
// full of units.
constexpr int kScanLimitSeconds = 60;

} // namespace

void addScanOptions(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("COM port 1..4 or COM1..COM4, a device name such as "
                                     "ttyUSB0, or a device path."),
                      QStringLiteral("DEVICE_OR_COM_NUMBER")});
}

int runScan(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    if (!parser.positionalArguments().isEmpty()) {
        err << "mqxtool: scan takes no arguments; see --help" << Qt::endl;
        return 2;
    }
    if (!parser.isSet(QStringLiteral("port"))) {
        err << "mqxtool: --port DEVICE_OR_COM_NUMBER is required; see --help" << Qt::endl;
        return 2;
    }
    const QString given = parser.value(QStringLiteral("port"));
    const QString port = PortText(given);
    if (port.isEmpty()) {
        err << "mqxtool: --port takes 1..4, COM1..COM4, a device name or a path" << Qt::endl;
        return 2;
    }
    StreamPrompts prompts(err);
    UnitLink unit(prompts, kScanLimitSeconds * 1000);
    UnitScanProcedure scan(unit.session(), unit.engine(), unit.timers());
    std::size_t shown = 0;
    // Each unit is printed as soon as it has been told bye.
    scan.setProgressCallback([&](int) {
        for (; shown < scan.found().size(); ++shown)
            out << UnitScanProcedure::unitText(scan.found()[shown]) << Qt::endl;
    });
    scan.start(port);
    const bool ended = unit.run(scan) || scan.hasEnded();
    if (scan.portFailed())
        return 1;
    if (unit.lineLost()) {
        // The ID being greeted when the device went says nothing about a unit.
        err << "mqxtool: " << unit.lostText().section(QLatin1Char('\n'), 0, 0) << Qt::endl;
        return 1;
    }
    if (!ended) {
        err << "mqxtool: the scan did not finish within " << kScanLimitSeconds << " s" << Qt::endl;
        return 1;
    }
    if (scan.found().empty()) {
        err << "mqxtool: " << UnitScanProcedure::noneFoundText(given) << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace mqx::tool

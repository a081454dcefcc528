#pragma once
// mqxtool's verbs on a unit, through the real serial port and the controller's own
// procedures:
//
//   mqxtool --port DEVICE_OR_COM_NUMBER --id N info
//   mqxtool --port ... --id N download FILE
//   mqxtool --port ... --id N upload FILE
//
// Every failure ends with the controller's message on `err` and exit code 1; the port is
// always closed, and a unit that was greeted is always told bye.

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx::tool {

enum class UnitVerb { Info, Download, Upload };

// What --port names, as the port text the link opens: "1".."4" for 1..4 and COM1..COM4
// (in any case), "/dev/NAME" for a device name such as ttyUSB0, a text holding "/" as the
// path it is. Empty for anything else.
QString PortText(const QString& given);

// The options every unit verb takes: --port, --id and --limit.
void addUnitOptions(QCommandLineParser& parser);

struct UnitOptions {
    QString port;
    int unitId = 0;
    int limitMs = 0;
};
// Reads --port, --id and --limit; false (having said why on `err`) on a usage error.
bool readUnitOptions(const QCommandLineParser& parser, QTextStream& err, UnitOptions& options);

// Returns the exit code: 0 done, 1 the unit or the file failed, 2 a usage error.
int runUnitVerb(UnitVerb verb, const QCommandLineParser& parser, QTextStream& out,
                QTextStream& err);

} // namespace mqx::tool

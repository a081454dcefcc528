#pragma once
// mqxtool scan --port P: greets unit IDs 1..99 on one port, as the Connect dialog's
// "Find units" does, and prints "ID nn  information" for each unit that answered.

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx::tool {

void addScanOptions(QCommandLineParser& parser);

// Returns the exit code: 0 units found, 1 none answered or the port failed, 2 a usage
// error.
int runScan(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

} // namespace mqx::tool

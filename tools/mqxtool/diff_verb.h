#pragma once
// mqxtool diff: the fields in which two programs differ, one line each, as the
// controller's Compare with unit lists them.
//
//   mqxtool diff FILE1 FILE2
//   mqxtool --port DEVICE_OR_COM_NUMBER --id N diff FILE
//
// Exit 0 when the programs are equal, 1 when they differ, 2 when they could not be
// compared (a usage error, a file that does not load, a unit that failed).

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx::tool {

void addDiffOptions(QCommandLineParser& parser);
int runDiff(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

} // namespace mqx::tool

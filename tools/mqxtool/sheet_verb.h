#pragma once
// mqxtool sheet FILE --pdf OUT [--id N]: the setup sheet of a program file, as the
// controller's File > "Export Setup Sheet..." writes it (a QGuiApplication must exist).

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx::tool {

void addSheetOptions(QCommandLineParser& parser);

// Returns the exit code: 0 written, 1 the file did not load or the PDF could not be
// written, 2 a usage error.
int runSheet(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

} // namespace mqx::tool

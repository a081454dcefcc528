#pragma once
// mqxtool: the controller's file and unit operations from the command line. Each verb
// takes its own arguments (QCommandLineParser), writes its results to `out` and its
// one-line failures, naming the file and the reason, to `err`, and returns the exit code.

#include <QStringList>
#include <QTextStream>

namespace mqx::tool {

// arguments[0] is the program name, arguments[1] the verb.
int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace mqx::tool

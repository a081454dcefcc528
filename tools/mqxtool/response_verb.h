#pragma once
// mqxtool response FILE --output N | --peq CH: the curves that the controller's graph of
// one output (1..6) or one input's PEQ (1, 2) shows for a program file, as CSV on `out`,
// or with --png OUT drawn as an image with labelled axes (a QGuiApplication must exist).

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx::tool {

void addResponseOptions(QCommandLineParser& parser);

// Returns the exit code: 0 written, 1 the file did not load, 2 a usage error.
int runResponse(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

} // namespace mqx::tool

#pragma once
// mqxtool's verbs on the programs stored in a unit, through the controller's own program
// procedures:
//
//   mqxtool --port P --id N list [--json]
//   mqxtool --port P --id N recall|delete SLOT
//   mqxtool --port P --id N store SLOT|new
//   mqxtool --port P --id N protect|lock SLOT on|off
//   mqxtool --port P --id N name|comment TEXT
//
// Each prints the unit's own outcome text (failures on standard error) and exits 1 when
// the operation failed, 2 on a usage error.

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx {
class ProgramTable;
}

namespace mqx::tool {

enum class ProgramVerb { List, Recall, Store, Delete, Protect, Lock, Name, Comment };

void addProgramOptions(QCommandLineParser& parser);
int runProgramVerb(ProgramVerb verb, const QCommandLineParser& parser, QTextStream& out,
                   QTextStream& err);

// The list as JSON: one object a slot with slot, name, comment, protected, recall-locked
// and used.
QByteArray ProgramListJson(const ProgramTable& programs, int count);

} // namespace mqx::tool

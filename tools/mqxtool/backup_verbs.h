#pragma once
// Whole-unit backup and restore:
//
//   mqxtool --port P --id N backup DIR --yes
//   mqxtool --port P --id N restore DIR --yes
//
// DIR holds current.mqx (the unit's current program), slot-NN.mqx for every stored
// program, and manifest.json (slot, name, comment, protection, recall lock, file). A
// backup has to recall each slot to read its data, so the unit's outputs change while it
// runs; both verbs refuse to start without --yes. Every file is written whole or not at
// all and the manifest last, so an interrupted backup leaves no manifest; the verb says
// at which slot it stopped.

#include <QCommandLineParser>
#include <QTextStream>

namespace mqx::tool {

void addBackupOptions(QCommandLineParser& parser);
int runBackup(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);
int runRestore(const QCommandLineParser& parser, QTextStream& out, QTextStream& err);

} // namespace mqx::tool

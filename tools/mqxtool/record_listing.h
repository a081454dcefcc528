#pragma once
// Every field of a record by name, with its step and, where a scale applies, its text.

#include "core/program_record.h"

#include <QByteArray>
#include <QString>
#include <QTextStream>

namespace mqx::tool {

// One line per field: "out[1].hpf_freq = 29 (100.0Hz)".
QString ListRecord(const ProgramRecord& record);
// The same as one JSON object: steps as numbers, texts as strings.
QByteArray RecordJson(const ProgramRecord& record);
// Reads a program file into `record`; on failure says why on `err`, naming the file.
bool LoadOrSay(const QString& file, ProgramRecord& record, QTextStream& err);

} // namespace mqx::tool

#pragma once
// How a field of the record is named and shown to the operator outside its page: in the
// Edit menu's undo texts, in the comparison with a unit and in mqxtool's diff. Names come
// from the record's field table (RecordFields()), values from the field's scale and unit,
// so a field added to the table is named and shown here without a second list.
//
//   "out[2].level" --FieldLabel--> "OUT-3 Level"
//   step 175       --FieldValueText--> "-3.0 dB"

#include "program/record_text.h"

#include <QString>
#include <QStringList>

namespace mqx {

QString FieldLabel(const RecordField& field);
QString FieldValueText(const ProgramRecord& record, const RecordField& field);

// The page a field is edited on: "Input", "GEQ", "PEQ", "Compressor", "Delay", "OUT-3",
// or "Program" for the header and the texts.
QString FieldPage(const RecordField& field);

// The field that holds record byte `offset`, or nullptr past the record's end.
const RecordField* FieldAt(int offset);

// One line for every field carried to a unit in which the two records differ, in the
// record's order: "OUT-3 Level: PC -3.0 dB, unit 0.0 dB". The record number and the
// empty flag are left out: they say where a record sits, not what it sounds like.
std::vector<const RecordField*> DiffFields(const ProgramRecord& a, const ProgramRecord& b);
QStringList DiffRecords(const ProgramRecord& pc, const ProgramRecord& unit,
                        const QString& firstName = QStringLiteral("PC"),
                        const QString& secondName = QStringLiteral("unit"));

} // namespace mqx

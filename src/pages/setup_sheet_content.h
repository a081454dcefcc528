#pragma once
// What a setup sheet says about a program, page by page of the controller: the rows of
// labels and values, each value in the unit and text its page shows (field_labels.h),
// and which plot goes with the section. The PDF writer (setup_sheet.h) only lays these
// out, so the sheet's content is checked without drawing anything.
//
//   ProgramRecord --SetupSheetSections--> Input | GEQ or PEQ and Compressor | Delay |
//                                         OUT-1 .. OUT-6

#include "core/program_record.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace mqx {

struct SheetRow {
    QString label;
    QStringList values; // one per column of the section
};

enum class SheetPlot { None, InputEq, Output };

struct SheetSection {
    QString title;
    QStringList columns; // the value columns' heads; empty for a single unnamed column
    std::vector<SheetRow> rows;
    SheetPlot plot = SheetPlot::None;
    int channel = 0; // the output of a SheetPlot::Output
};

// The header's lines: program number, name, comment, unit ID (0: none) and date.
std::vector<SheetRow> SetupSheetHeader(const ProgramRecord& record, int unitId,
                                       const QString& date);

std::vector<SheetSection> SetupSheetSections(const ProgramRecord& record);

} // namespace mqx

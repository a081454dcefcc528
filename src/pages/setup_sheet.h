#pragma once
// The setup sheet as a PDF: the header and the two overview plots (the six outputs' sums,
// the inputs' equalisers) on the first page, then one page for each section of
// setup_sheet_content.h with its plot. A4, or Letter where the locale measures in inches.

#include "core/program_record.h"

#include <QLocale>
#include <QPageSize>
#include <QString>

namespace mqx {

QPageSize::PageSizeId SheetPageSize(const QLocale& locale);

struct SheetResult {
    bool ok = false;
    QString error;
    explicit operator bool() const { return ok; }
};

// Writes the sheet of `record` to `path`; `unitId` 0 for a program that no unit holds.
SheetResult WriteSetupSheet(const QString& path, const ProgramRecord& record, int unitId,
                            const QString& date, const QLocale& locale = QLocale());

} // namespace mqx

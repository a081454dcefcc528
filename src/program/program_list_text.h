#pragma once
// The program list as the dialog shows it and as it is printed, from the headers of
// records 1..50.
//
// On screen, one line a slot:  " 07 : L :   :Stage left..........."
//                               lock  protection  name (21 characters)
// On paper, on a page 600 units to the inch: a title, column heads, a rule, then one line
// a slot 110 units apart.

#include "core/program_record.h"

#include <QString>

#include <vector>

namespace mqx {

class ProgramTable;

inline constexpr int kProgramSlots = 50;

// Line n (1..50) of the list box.
QString ProgramListLine(const ProgramRecord& record, int n);

struct PrintedText {
    int x = 0;
    int y = 0; // the top of the text
    QString text;
    friend bool operator==(const PrintedText&, const PrintedText&) = default;
};

// Everything the printed list holds, in page units of 1/600 inch, for unit `unitId`.
std::vector<PrintedText> PrintedProgramList(const ProgramTable& programs, int unitId);

// The area the printed list covers, from the page's top left corner, in the same units.
inline constexpr int kPrintedPageWidth = 4800;
inline constexpr int kPrintedPageHeight = 6400;

} // namespace mqx

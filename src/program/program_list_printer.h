#pragma once
// The printed program list: the printer dialog (a PDF file is one of its printers), then
// one page, the list's layout scaled to fit the page.

#include "program/program_list_text.h"

class QPagedPaintDevice;
class QWidget;

namespace mqx {

// Paints `page` onto `device` `copies` times, one sheet each, scaled to its printable
// area. False when painting could not begin (a printer that failed, a file that cannot be
// written).
bool PaintProgramList(QPagedPaintDevice& device, const std::vector<PrintedText>& page,
                      int copies = 1);

// The printer dialog over `parent`, then the printout as document "ProgramList", in as
// many copies as asked for. False when the operator cancelled or printing failed.
bool PrintProgramList(QWidget* parent, const std::vector<PrintedText>& page);

} // namespace mqx

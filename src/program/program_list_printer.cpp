#include "program/program_list_printer.h"

#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace mqx {
namespace {

// The lines are 110 page units apart; a face a little smaller keeps them apart.
constexpr int kTextHeight = 84;

} // namespace

bool PaintProgramList(QPagedPaintDevice& device, const std::vector<PrintedText>& page, int copies) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRect area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const double scale = std::min(static_cast<double>(area.width()) / kPrintedPageWidth,
                                  static_cast<double>(area.height()) / kPrintedPageHeight);
    painter.scale(scale, scale);
    // The columns line up only in a face whose characters are all as wide.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(kTextHeight);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    for (int copy = 0; copy < std::max(copies, 1); ++copy) {
        if (copy > 0 && !device.newPage())
            return false;
        for (const PrintedText& item : page)
            painter.drawText(QPoint(item.x, item.y + ascent), item.text);
    }
    return painter.end();
}

bool PrintProgramList(QWidget* parent, const std::vector<PrintedText>& page) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("ProgramList"));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        // With no printer installed, a PDF file is the one way to print.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir::home().filePath(QStringLiteral("ProgramList.pdf")));
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOptions(dialog.options() & ~(QAbstractPrintDialog::PrintSelection |
                                           QAbstractPrintDialog::PrintPageRange |
                                           QAbstractPrintDialog::PrintCurrentPage));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // A printer that cannot make copies itself (a PDF file) gets one sheet a copy.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    return PaintProgramList(printer, page, copies);
}

} // namespace mqx

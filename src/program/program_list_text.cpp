#include "program/program_list_text.h"

#include "core/program_table.h"
#include "program/program_outcome.h"

namespace mqx {
namespace {

QString nameOf(const ProgramRecord& record) {
    return QString::fromLatin1(record.name.data(), kNameLength);
}

} // namespace

QString ProgramListLine(const ProgramRecord& record, int n) {
    const QString number = QStringLiteral(" %1 :").arg(TwoDigits(n));
    if (record.empty_flag != 0)
        return number + QStringLiteral(" ( not used )");
    return number + (record.recall_lock != 0 ? QStringLiteral(" L :") : QStringLiteral("   :")) +
           (record.write_enable != 0 ? QStringLiteral("   :") : QStringLiteral(" P :")) +
           nameOf(record);
}

std::vector<PrintedText> PrintedProgramList(const ProgramTable& programs, int unitId) {
    std::vector<PrintedText> page;
    page.push_back(
        {400, 300, QStringLiteral("MQX-T410 <ID=%1>   Program List").arg(TwoDigits(unitId))});
    page.push_back(
        {600, 500, QStringLiteral("Number : Name              : Recall Lock : Protection")});
    page.push_back({600, 590, QString(53, u'-')});
    for (int n = 1; n <= kProgramSlots; ++n) {
        const ProgramRecord& record = programs.Record(n);
        QString line = TwoDigits(n) + QStringLiteral(" : ");
        if (record.empty_flag != 0) {
            line += QStringLiteral(" ( not used ) ");
        } else {
            line += nameOf(record);
            line += record.recall_lock != 0 ? QStringLiteral(" :  Locked    ")
                                            : QStringLiteral(" :            ");
            line += record.write_enable == 0 ? QStringLiteral(" : Protected")
                                             : QStringLiteral(" :          ");
        }
        page.push_back({600, 580 + 110 * n, line});
    }
    return page;
}

} // namespace mqx

#include "app/status_texts.h"

#include "core/session.h"
#include "program/record_text.h"

namespace mqx {
namespace {

QString fieldText(const ProgramRecord& record, int offset) {
    for (const RecordField& f : RecordFields())
        if (f.offset == offset)
            return QString::fromLatin1(FieldText(record, f));
    return {};
}

} // namespace

QString StatusPanelText(const Session& session) {
    if (session.ConnectedUnitId == 0)
        return QStringLiteral("Disconnected");
    QString lock;
    if (session.PanelLockState == 'E')
        lock = QStringLiteral("No(PANEL LOCK\nSTATUS IS KEPT WHILE\nCONNECTED)");
    else if (session.PanelLockState == 'D')
        lock = QStringLiteral("Yes");
    else
        lock = QStringLiteral("---");
    return QStringLiteral("MQX-T410 ID = %1\nPanel Lock = %2\n%3")
        .arg(session.ConnectedUnitId, 2, 10, QLatin1Char('0'))
        .arg(lock, QString::fromLatin1(session.DeviceInfoText));
}

QString ProgramInfoText(const ProgramRecord& record) {
    return QStringLiteral("Program number = %1\nName = %2\nRecall Lock = %3\nProtection = %4\n%5\n")
        .arg(record.program_number, 2, 10, QLatin1Char('0'))
        .arg(fieldText(record, offsetof(ProgramRecord, name)),
             record.recall_lock != 0 ? QStringLiteral("Yes") : QStringLiteral("No"),
             record.write_enable != 0 ? QStringLiteral("No") : QStringLiteral("Yes"),
             fieldText(record, offsetof(ProgramRecord, comment)));
}

} // namespace mqx

#include "connection/line_loss_text.h"

namespace mqx {

QString LineLostText(const QString& portText, int unitId) {
    bool number = false;
    const int com = portText.trimmed().toInt(&number);
    const QString port =
        number && com >= 1 && com <= 4 ? QStringLiteral("COM%1").arg(com) : portText;
    return QStringLiteral("Connection lost on %1.\nMQX-T410 ID = %2")
        .arg(port)
        .arg(unitId, 2, 10, QLatin1Char('0'));
}

} // namespace mqx

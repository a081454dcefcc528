#include "link/title_width.h"

#include <QFont>
#include <QFontMetrics>
#include <QWidget>

namespace mqx {

int TitleBarWidth(const QWidget& window) {
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int buttons = 4 * (metrics.height() + 8);
    return metrics.horizontalAdvance(window.windowTitle()) + buttons + 24;
}

} // namespace mqx

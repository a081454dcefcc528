#include "app/artwork.h"

#include "graphs/application_icon.h"
#include "graphs/fitted_text.h"
#include "graphs/transparent_canvas.h"

#include <QPainter>
#include <QPixmap>

namespace mqx {
namespace {

// Every icon is drawn at twice its logical size and scaled down by Qt where needed, so it
// stays sharp on high-density screens.
constexpr int kScale = 2;

QPixmap canvas(int width, int height) {
    return TransparentCanvas(width, height, kScale);
}

} // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        PaintApplicationIcon(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon TabIcon(int index, int eqMode) {
    static const char* const kLabels[kTabIconCount] = {
        "GEQ1", "GEQ2", "PEQ1", "PEQ2", "COMP", "OUT1", "OUT2", "OUT3", "OUT4", "OUT5", "OUT6"};
    if (index < 0 || index >= kTabIconCount)
        return {};
    const bool equaliser = index <= 4;
    const bool active = !equaliser || (index <= 1 ? eqMode == 0 : eqMode != 0);
    const int w = kTabIconSize.width();
    const int h = kTabIconSize.height();
    QPixmap pixmap = canvas(w, h);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Dark enough fills that white labels stay readable; a block out of the signal path
    // is pale with grey lettering, still legible.
    const QColor fill = !active     ? QColor(222, 222, 222)
                        : equaliser ? QColor(36, 96, 168)
                                    : QColor(28, 112, 58);
    p.setPen(QPen(active ? fill.darker(150) : QColor(160, 160, 160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
    p.setFont(ArtworkFont(p.font(), kSmallestTextPixels, true));
    p.setPen(active ? QColor(Qt::white) : QColor(88, 88, 88));
    DrawFittedText(p, QRectF(2, 0, w - 4, h), Qt::AlignCenter, QLatin1StringView(kLabels[index]));
    return QIcon(pixmap);
}

} // namespace mqx

#include "app/artwork.h"

#include "graphs/transparent_canvas.h"

#include <QPainter>
#include <QPainterPath>
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
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        // A rack unit with two input and six output level lamps.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 44, 52));
        p.drawRoundedRect(QRectF(0.5 * u, 3 * u, 15 * u, 10 * u), 1.5 * u, 1.5 * u);
        for (int i = 0; i < 8; ++i) {
            p.setBrush(i < 2 ? QColor(255, 153, 0) : QColor(0, 220, 0));
            const qreal x = (i < 2 ? 2 : 3) * u + i * 1.4 * u;
            p.drawRect(QRectF(x, 6 * u, 0.9 * u, 4 * u));
        }
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
    QPixmap pixmap = canvas(28, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = !active     ? QColor(200, 200, 200)
                        : equaliser ? QColor(70, 130, 200)
                                    : QColor(60, 150, 90);
    p.setPen(QPen(active ? fill.darker(150) : QColor(160, 160, 160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 27, 15), 3, 3);
    QFont font = p.font();
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.setPen(active ? Qt::white : QColor(140, 140, 140));
    p.drawText(QRectF(0, 0, 28, 16), Qt::AlignCenter, QLatin1StringView(kLabels[index]));
    return QIcon(pixmap);
}

QIcon MuteIcon(bool muted) {
    QPixmap pixmap = canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(2, 6);
    speaker.lineTo(5, 6);
    speaker.lineTo(9, 2.5);
    speaker.lineTo(9, 13.5);
    speaker.lineTo(5, 10);
    speaker.lineTo(2, 10);
    speaker.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(muted ? QColor(200, 30, 30) : QColor(0, 150, 60));
    p.drawPath(speaker);
    p.setPen(
        QPen(muted ? QColor(200, 30, 30) : QColor(0, 150, 60), 1.4, Qt::SolidLine, Qt::RoundCap));
    if (muted) {
        p.drawLine(QPointF(11, 5.5), QPointF(15, 10.5));
        p.drawLine(QPointF(15, 5.5), QPointF(11, 10.5));
    } else {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 5, 5, 6), -60 * 16, 120 * 16);
        p.drawArc(QRectF(8, 2.5, 8, 11), -60 * 16, 120 * 16);
    }
    return QIcon(pixmap);
}

} // namespace mqx

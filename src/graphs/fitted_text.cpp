#include "graphs/fitted_text.h"

#include <QFontMetricsF>
#include <QPainter>

namespace mqx {

QFont ArtworkFont(const QFont& base, int pixels, bool bold) {
    QFont f = base;
    f.setPixelSize(qMax(pixels, kSmallestTextPixels));
    f.setBold(bold);
    return f;
}

void DrawFittedText(QPainter& p, const QRectF& rect, int flags, const QString& text) {
    const qreal width = QFontMetricsF(p.font()).horizontalAdvance(text);
    if (width <= rect.width() || width <= 0) {
        p.drawText(rect, flags, text);
        return;
    }
    // Narrowed about the rectangle's left edge: the rectangle is widened by the same
    // factor, so the alignment flags still place the text inside the original one.
    const qreal squeeze = rect.width() / width;
    p.save();
    p.translate(rect.left(), 0);
    p.scale(squeeze, 1);
    p.drawText(QRectF(0, rect.top(), rect.width() / squeeze, rect.height()), flags, text);
    p.restore();
}

} // namespace mqx

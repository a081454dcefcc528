#include "pages/page_artwork.h"

#include "graphs/fitted_text.h"
#include "graphs/transparent_canvas.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace mqx {
namespace {

// Drawn at four times the logical size so the pixmaps stay crisp on dense screens.
constexpr int kScale = 4;

QPixmap canvas(int width, int height) {
    return TransparentCanvas(width, height, kScale);
}

// Relative luminance as the usual contrast rules define it.
qreal luminance(const QColor& c) {
    const auto channel = [](qreal v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Black or white, whichever reads better on `fill`: the channel colours are fixed, and
// pure red or magenta is too light for white letters and too dark for grey ones.
QColor letteringOn(const QColor& fill) {
    const qreal l = luminance(fill);
    return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? QColor(Qt::black) : QColor(Qt::white);
}

QPixmap tile(const QString& text, const QColor& colour) {
    QPixmap pixmap = canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(140), 1.0));
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setFont(ArtworkFont(p.font(), 12, true));
    p.setPen(letteringOn(colour));
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, text);
    return pixmap;
}

} // namespace

QColor ChannelColour(int channel) {
    const auto& rgb = kChannelRgb.at(static_cast<std::size_t>(qBound(0, channel, 5)));
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QIcon MutingIcon(bool muted) {
    QPixmap pixmap = canvas(kMutingIconSize.width(), kMutingIconSize.height());
    if (muted) {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(ArtworkFont(p.font(), 12, true));
        // A deep red: it must stand out on the darker face of a pressed button too.
        p.setPen(QColor(176, 0, 0));
        DrawFittedText(p, QRectF(QPointF(0, 0), QSizeF(kMutingIconSize)), Qt::AlignCenter,
                       QStringLiteral("Muting"));
    }
    return QIcon(pixmap);
}

QPixmap ChannelLetterTile(int channel) {
    return tile(QString(QChar(u'A' + qBound(0, channel, 5))), ChannelColour(channel));
}

QPixmap InputNumberTile(int input) {
    return tile(QString::number(qBound(0, input, 1) + 1), QColor(70, 90, 130));
}

QIcon PeqBandIcon(int band, bool active, bool selected) {
    const int w = kPeqBandIconSize.width();
    const int h = kPeqBandIconSize.height();
    QPixmap pixmap = canvas(w, h);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(selected ? QColor(230, 0, 0)
                  : active ? QColor(20, 90, 40)
                           : QColor(120, 120, 120),
                  selected ? 2.0 : 1.0));
    p.setBrush(active ? QColor(24, 30, 36) : QColor(205, 205, 205));
    p.drawRoundedRect(plate, 3, 3);
    // The glyph: a bell over a base line when active, the flat base line alone when Off.
    const qreal base = h - 6.5;
    QPainterPath glyph;
    glyph.moveTo(3, base);
    if (active) {
        glyph.cubicTo(w * 0.35, base, w * 0.38, base - 8, w * 0.5, base - 8);
        glyph.cubicTo(w * 0.62, base - 8, w * 0.65, base, w - 3, base);
    } else {
        glyph.lineTo(w - 3, base);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(active ? QColor(0, 230, 0) : QColor(140, 140, 140), 1.5));
    p.drawPath(glyph);
    p.setFont(ArtworkFont(p.font(), 11, true));
    p.setPen(selected ? QColor(255, 60, 60) : active ? QColor(255, 255, 255) : QColor(60, 60, 60));
    p.drawText(QRectF(0, 1, w, 12), Qt::AlignCenter, QString::number(band + 1));
    return QIcon(pixmap);
}

QIcon OutputBandIcon(int element, bool on, bool selected) {
    const int w = kOutputBandIconSize.width();
    const int h = kOutputBandIconSize.height();
    QPixmap pixmap = canvas(w, h);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(selected ? QColor(230, 0, 0)
                  : on     ? QColor(20, 90, 40)
                           : QColor(120, 120, 120),
                  selected ? 2.0 : 1.0));
    p.setBrush(on ? QColor(24, 30, 36) : QColor(205, 205, 205));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
    const qreal base = h - 5.5;
    const qreal top = base - 7;
    QPainterPath glyph;
    if (element == 0) { // a high-pass: rising, then flat
        glyph.moveTo(4, base);
        glyph.cubicTo(w * 0.35, base, w * 0.35, top, w * 0.55, top);
        glyph.lineTo(w - 4, top);
    } else if (element == 1) { // a low-pass: flat, then falling
        glyph.moveTo(4, top);
        glyph.lineTo(w * 0.45, top);
        glyph.cubicTo(w * 0.65, top, w * 0.65, base, w - 4, base);
    } else { // an equaliser band: a bell
        glyph.moveTo(4, base);
        glyph.cubicTo(w * 0.35, base, w * 0.38, top, w * 0.5, top);
        glyph.cubicTo(w * 0.62, top, w * 0.65, base, w - 4, base);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(on ? QColor(0, 230, 0) : QColor(140, 140, 140), 1.5));
    p.drawPath(glyph);
    static const std::array<const char*, 5> kNames = {"HPF", "LPF", "EQ1", "EQ2", "EQ3"};
    p.setFont(ArtworkFont(p.font(), 10, true));
    p.setPen(selected ? QColor(255, 60, 60) : on ? QColor(255, 255, 255) : QColor(60, 60, 60));
    p.drawText(QRectF(0, 1, w, 11), Qt::AlignCenter,
               QString::fromLatin1(kNames[static_cast<std::size_t>(std::clamp(element, 0, 4))]));
    return QIcon(pixmap);
}

void PaintDelayArrows(QPainter& p, const QRectF& rect, int pressed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal half = rect.height() / 2;
    for (int i = 0; i < 2; ++i) {
        const QRectF r(rect.left(), rect.top() + i * half, rect.width(), half);
        const bool down = pressed == i + 1;
        p.setPen(QPen(QColor(120, 120, 120), 1.0));
        p.setBrush(down ? QColor(150, 170, 200) : QColor(225, 225, 225));
        p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        const qreal cx = r.center().x() + (down ? 0.5 : 0);
        const qreal cy = r.center().y() + (down ? 0.5 : 0);
        const qreal w = r.width() * 0.28;
        const qreal h = r.height() * 0.22;
        QPainterPath arrow;
        if (i == 0) {
            arrow.moveTo(cx - w, cy + h);
            arrow.lineTo(cx + w, cy + h);
            arrow.lineTo(cx, cy - h);
        } else {
            arrow.moveTo(cx - w, cy - h);
            arrow.lineTo(cx + w, cy - h);
            arrow.lineTo(cx, cy + h);
        }
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 40));
        p.drawPath(arrow);
    }
    p.restore();
}

void KeepTextLegibleWhenDisabled(QWidget* box) {
    QPalette palette = box->palette();
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
    box->setPalette(palette);
}

void PaintLamp(QPainter& p, const QRectF& rect, const QColor& colour, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    if (lit) {
        QLinearGradient glow(r.topLeft(), r.bottomLeft());
        glow.setColorAt(0, colour.lighter(150));
        glow.setColorAt(1, colour);
        p.setBrush(glow);
        p.setPen(QPen(colour.darker(130), 1.0));
    } else {
        p.setBrush(QColor(58, 58, 58));
        p.setPen(QPen(QColor(30, 30, 30), 1.0));
    }
    p.drawRoundedRect(r, 2, 2);
    p.restore();
}

} // namespace mqx

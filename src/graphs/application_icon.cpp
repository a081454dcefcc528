#include "graphs/application_icon.h"

#include <QColor>
#include <QPainter>
#include <QRectF>

#include <vector>

namespace mqx {
namespace {

// On a grid of 16 units.
constexpr double kGrid = 16.0;

struct IconPart {
    QRectF rect;
    double radius;
    QColor colour;
};

std::vector<IconPart> parts() {
    std::vector<IconPart> list{{QRectF(0.5, 3, 15, 10), 1.5, QColor(40, 44, 52)}};
    for (int i = 0; i < 8; ++i) {
        const double x = (i < 2 ? 2 : 3) + i * 1.4;
        list.push_back({QRectF(x, 6, 0.9, 4), 0, i < 2 ? QColor(255, 153, 0) : QColor(0, 220, 0)});
    }
    return list;
}

} // namespace

void PaintApplicationIcon(QPainter& painter, double size) {
    const double u = size / kGrid;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const IconPart& part : parts()) {
        painter.setBrush(part.colour);
        const QRectF r(part.rect.x() * u, part.rect.y() * u, part.rect.width() * u,
                       part.rect.height() * u);
        if (part.radius > 0)
            painter.drawRoundedRect(r, part.radius * u, part.radius * u);
        else
            painter.drawRect(r);
    }
    painter.restore();
}

QByteArray ApplicationIconSvg() {
    QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
                     "viewBox=\"0 0 16 16\">\n";
    for (const IconPart& part : parts()) {
        svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                   .arg(part.rect.x())
                   .arg(part.rect.y())
                   .arg(part.rect.width())
                   .arg(part.rect.height())
                   .toLatin1();
        if (part.radius > 0)
            svg += QStringLiteral(" rx=\"%1\"").arg(part.radius).toLatin1();
        svg += " fill=\"" + part.colour.name().toLatin1() + "\"/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

} // namespace mqx

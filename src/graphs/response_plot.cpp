#include "graphs/response_plot.h"

#include "graphs/frequency_grid.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace mqx {
namespace {

constexpr double kLowHz = 20.0;
constexpr double kHighHz = 20000.0;

QString hzText(double hz) {
    return hz >= 1000 ? QString::number(hz / 1000) + u'k' : QString::number(hz);
}

} // namespace

std::vector<QPointF> GridPoints(const ResponseCurve& curve) {
    std::vector<QPointF> points;
    points.reserve(kGridPoints);
    for (int i = 0; i < kGridPoints; ++i)
        points.emplace_back(FrequencyGrid()[static_cast<std::size_t>(i)],
                            curve[static_cast<std::size_t>(i)]);
    return points;
}

void DrawResponsePlot(QPainter& painter, const QRectF& rect, const ResponsePlot& plot) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(std::clamp(rect.height() / 28, 5.0, 9.0));
    font.setStyleStrategy(QFont::PreferNoShaping); // no ligatures in a PDF's text
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const qreal line = metrics.height();

    // Room for the title and legend above, the dB labels and axis name to the left, the
    // frequency labels and axis name below.
    const QRectF area =
        rect.adjusted(metrics.horizontalAdvance(QStringLiteral("-100")) + line * 1.6, line * 2.4,
                      -line * 0.6, -line * 2.6);
    const double logLow = std::log10(kLowHz);
    const double logSpan = std::log10(kHighHz) - logLow;
    const auto xOf = [&](double hz) {
        return area.left() + (std::log10(hz) - logLow) / logSpan * area.width();
    };
    const auto yOf = [&](double db) {
        const double clamped = std::clamp(db, double(plot.lowestDb), double(plot.highestDb));
        return area.bottom() -
               (clamped - plot.lowestDb) / (plot.highestDb - plot.lowestDb) * area.height();
    };

    painter.setPen(Qt::black);
    painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), line * 1.2),
                     Qt::AlignLeft | Qt::AlignVCenter, plot.title);

    // Grid: every 1-2-5 decade line labelled, the others faint.
    const QPen major(QColor(150, 150, 150), 0.6);
    const QPen minor(QColor(215, 215, 215), 0.4);
    for (double decade = 10; decade <= kHighHz; decade *= 10) {
        for (int m = 1; m <= 9; ++m) {
            const double hz = decade * m;
            if (hz < kLowHz || hz > kHighHz)
                continue;
            const bool labelled = m == 1 || m == 2 || m == 5;
            painter.setPen(labelled ? major : minor);
            painter.drawLine(QPointF(xOf(hz), area.top()), QPointF(xOf(hz), area.bottom()));
            if (labelled) {
                painter.setPen(Qt::black);
                painter.drawText(
                    QRectF(xOf(hz) - line * 2, area.bottom() + line * 0.2, line * 4, line),
                    Qt::AlignHCenter | Qt::AlignTop, hzText(hz));
            }
        }
    }
    for (int db = plot.lowestDb; db <= plot.highestDb; db += plot.stepDb) {
        painter.setPen(db == 0 ? QPen(Qt::black, 0.6) : major);
        painter.drawLine(QPointF(area.left(), yOf(db)), QPointF(area.right(), yOf(db)));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(rect.left(), yOf(db) - line / 2, area.left() - rect.left() - 3, line),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(db));
    }
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawRect(area);
    painter.drawText(QRectF(area.left(), rect.bottom() - line * 1.2, area.width(), line * 1.2),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Frequency (Hz)"));
    painter.save();
    painter.translate(rect.left() + line * 0.1, area.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height() / 2, 0, area.height(), line * 1.2),
                     Qt::AlignHCenter | Qt::AlignTop, plot.valueAxis);
    painter.restore();

    // Curves, clipped to the plot, then the legend in their colours.
    painter.save();
    painter.setClipRect(area);
    for (const PlotCurve& curve : plot.curves) {
        QPainterPath path;
        for (const QPointF& p : curve.points) {
            const QPointF at(xOf(p.x()), yOf(p.y()));
            if (path.elementCount() == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
        painter.setPen(QPen(curve.colour, curve.width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        if (curve.markers) {
            painter.setBrush(curve.colour);
            for (const QPointF& p : curve.points)
                painter.drawEllipse(QPointF(xOf(p.x()), yOf(p.y())), curve.width * 1.3,
                                    curve.width * 1.3);
        }
    }
    painter.restore();
    qreal x = area.right();
    for (auto it = plot.curves.rbegin(); it != plot.curves.rend(); ++it) {
        if (it->name.isEmpty())
            continue;
        const qreal w = metrics.horizontalAdvance(it->name);
        x -= w;
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x, rect.top() + line * 1.2, w, line), Qt::AlignVCenter, it->name);
        x -= line * 1.4;
        painter.setPen(QPen(it->colour, 2.5));
        painter.drawLine(QPointF(x, rect.top() + line * 1.7),
                         QPointF(x + line, rect.top() + line * 1.7));
        x -= line * 0.8;
    }
    painter.restore();
}

QImage RenderResponsePlot(const ResponsePlot& plot, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawResponsePlot(painter, QRectF(QPointF(8, 8), QSizeF(size) - QSizeF(16, 16)), plot);
    return image;
}

} // namespace mqx

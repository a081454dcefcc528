#pragma once
// Response curves drawn for paper and files rather than for the screen: a titled plot
// with a logarithmic frequency axis and a dB axis, both labelled, gridded and scaled to
// whatever rectangle it is given. The setup sheet (a QPdfWriter) and mqxtool's PNG
// images draw through the same function, so a report and a sheet show the same plot.

#include "graphs/response_curve.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace mqx {

struct PlotCurve {
    QString name;
    QColor colour;
    std::vector<QPointF> points; // (frequency in Hz, value in dB), frequencies rising
    qreal width = 1.5;           // in points of the painter's device
    bool markers = false;        // a dot at every point (the GEQ bands)
};

struct ResponsePlot {
    QString title;
    QString valueAxis = QStringLiteral("Level (dB)");
    int lowestDb = -24;
    int highestDb = 24;
    int stepDb = 6;
    std::vector<PlotCurve> curves;
};

// A curve over every point of FrequencyGrid(); values below the plot rest on its floor.
std::vector<QPointF> GridPoints(const ResponseCurve& curve);

// The plot with its axes, labels and legend inside `rect` (device units of `painter`).
void DrawResponsePlot(QPainter& painter, const QRectF& rect, const ResponsePlot& plot);

// The plot alone as an image of `size` pixels on white.
QImage RenderResponsePlot(const ResponsePlot& plot, QSize size);

} // namespace mqx

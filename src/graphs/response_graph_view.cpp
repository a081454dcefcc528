#include "graphs/response_graph_view.h"

#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace mqx {
namespace {

const QColor kPanel(24, 27, 32);
const QColor kPlot(12, 14, 17);
const QColor kMinorGrid(38, 43, 50);
const QColor kMajorGrid(70, 78, 90);
const QColor kZeroLine(110, 118, 130);
const QColor kLabel(200, 206, 214);
const QColor kFrame(128, 128, 128);
const QColor kCyan(0, 255, 255);

struct FrequencyLabel {
    double hz;
    const char* text;
};
constexpr std::array<FrequencyLabel, 10> kFrequencyLabels = {{
    {20, "20"},
    {50, "50"},
    {100, "100"},
    {200, "200"},
    {500, "500"},
    {1000, "1k"},
    {2000, "2k"},
    {5000, "5k"},
    {10000, "10k"},
    {20000, "20k"},
}};

double xOfHz(const GraphScale& s, double hz) {
    return s.originX + kGridIndexOf100Hz + 120.0 * std::log10(hz / 100.0);
}

// A dB grid line every this many dB: the first of 3, 6, 12 that leaves room for a label.
int dbStep(const GraphScale& s) {
    for (int step : {3, 6, 12})
        if (step * s.pxPerDb >= 20)
            return step;
    return 24;
}

QFont labelFont(const QFont& base, int pixels) {
    QFont f = base;
    f.setPixelSize(pixels);
    return f;
}

QString hzText(double hz) {
    if (hz >= 10000)
        return QString::number(hz / 1000, 'f', 1) + QStringLiteral(" kHz");
    if (hz >= 1000)
        return QString::number(hz / 1000, 'f', 2) + QStringLiteral(" kHz");
    if (hz >= 100)
        return QString::number(hz, 'f', 0) + QStringLiteral(" Hz");
    return QString::number(hz, 'f', 1) + QStringLiteral(" Hz");
}

} // namespace

ResponseGraphView::ResponseGraphView(const GraphScale& scale, QWidget* parent)
    : QWidget(parent), m_scale(scale) {
    setFixedSize(scale.width, scale.height);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ResponseGraphView::paintBackground(QPainter& p) const {
    const GraphScale& s = m_scale;
    p.fillRect(QRect(0, 0, s.width, s.height), kPanel);
    const QRectF plot(s.originX, s.top, kGridPoints, s.bottom - s.top);
    p.fillRect(plot, kPlot);

    // Vertical lines at 1, 2, ... 9 of every decade; the labelled ones brighter.
    for (double decade = 10; decade <= 10000; decade *= 10)
        for (int m = 1; m <= 9; ++m) {
            const double x = std::floor(xOfHz(s, decade * m)) + 0.5;
            if (x < plot.left() || x > plot.right())
                continue;
            p.setPen(QPen(m == 1 ? kMajorGrid : kMinorGrid, 1));
            p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    // Horizontal lines and their dB labels.
    const int step = dbStep(s);
    p.setFont(labelFont(p.font(), 10));
    for (int db = s.lowestDb; db <= s.highestDb; db += step) {
        const double y = s.zeroY - db * s.pxPerDb + 0.5;
        p.setPen(QPen(db == 0 ? kZeroLine : kMinorGrid, 1));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(kLabel);
        const QString text = db > 0 ? QStringLiteral("+%1").arg(db) : QString::number(db);
        p.drawText(QRectF(0, y - 7, s.originX - 4, 14), Qt::AlignRight | Qt::AlignVCenter, text);
    }
    p.drawText(QRectF(0, s.bottom + 14, s.originX - 4, 11), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("dB"));
    for (const FrequencyLabel& l : kFrequencyLabels) {
        const double x = std::floor(xOfHz(s, l.hz)) + 0.5;
        p.drawText(QRectF(x - 20, s.bottom + 2, 40, 12), Qt::AlignCenter,
                   QString::fromLatin1(l.text));
    }
    p.drawText(QRectF(s.right() - 30, s.bottom + 14, 30, 11), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Hz"));
}

const QImage& ResponseGraphView::background(qreal ratio) {
    if (m_background.isNull() || m_background.devicePixelRatio() != ratio) {
        m_background = QImage(QSize(m_scale.width, m_scale.height) * ratio,
                              QImage::Format_ARGB32_Premultiplied);
        m_background.setDevicePixelRatio(ratio);
        QPainter p(&m_background);
        p.setFont(font());
        paintBackground(p);
    }
    return m_background;
}

QImage ResponseGraphView::render(qreal ratio) {
    QImage image = background(ratio).copy();
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    p.setFont(font());
    paintContent(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kFrame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(m_scale.originX + 0.5, m_scale.top + 0.5, kGridPoints - 1,
                      m_scale.bottom - m_scale.top));
    paintReadout(p);
    return image;
}

QString ResponseGraphView::readoutText(int gridIndex) const {
    if (gridIndex < 0 || gridIndex >= kGridPoints)
        return {};
    const double db = readoutDb(gridIndex);
    const QString gain = db <= kSilenceDb / 2
                             ? QStringLiteral("-Inf dB")
                             : QString::asprintf("%+.1f dB", std::abs(db) < 0.05 ? 0.0 : db);
    return hzText(FrequencyGrid()[static_cast<std::size_t>(gridIndex)]) + QStringLiteral("   ") +
           gain;
}

void ResponseGraphView::paintReadout(QPainter& p) const {
    if (!m_pointer)
        return;
    const int i = GridIndexAt(m_scale, m_pointer->x());
    if (i < 0 || m_pointer->y() < m_scale.top || m_pointer->y() > m_scale.bottom)
        return;
    const double x = m_scale.originX + i + 0.5;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1, Qt::DotLine));
    p.drawLine(QPointF(x, m_scale.top + 1), QPointF(x, m_scale.bottom));
    const double y = CurveY(m_scale, readoutDb(i)) + 0.5;
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(x, y), 3, 3);

    const QString text = readoutText(i);
    p.setFont(labelFont(font(), 11));
    const QFontMetrics fm(p.font());
    const int w = fm.horizontalAdvance(text) + 10;
    const int h = fm.height() + 4;
    // Top right of the plot, or top left while the pointer is under that corner.
    const bool left = x > m_scale.right() - w - 12;
    const QRectF box(left ? m_scale.originX + 4 : m_scale.right() - w - 4, m_scale.top + 4, w, h);
    p.setPen(QPen(QColor(90, 98, 110), 1));
    p.setBrush(QColor(0, 0, 0, 200));
    p.drawRoundedRect(box, 3, 3);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
}

void ResponseGraphView::drawCurve(QPainter& p, const GraphScale& s, const ResponseCurve& curve,
                                  const QColor& colour, qreal width) {
    std::array<int, kGridPoints> y;
    for (std::size_t i = 0; i < y.size(); ++i)
        y[i] = CurveY(s, curve[i]);
    // The inner points of a level run (0 dB far from every band, a clamped edge) draw
    // nothing the run's ends do not; the stroker's cost grows with every point handed to it.
    std::array<QPointF, kGridPoints> points;
    std::size_t count = 0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (i > 0 && i + 1 < y.size() && y[i - 1] == y[i] && y[i + 1] == y[i])
            continue;
        points[count++] = QPointF(s.originX + static_cast<int>(i) + 0.5, y[i] + 0.5);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin));
    p.drawPolyline(points.data(), static_cast<int>(count));
}

void ResponseGraphView::drawCentreLine(QPainter& p, const GraphScale& s, int x) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(kCyan, 1));
    p.drawLine(QPointF(x + 0.5, s.top), QPointF(x + 0.5, s.bottom + 1));
}

void ResponseGraphView::drawHandles(QPainter& p, const BandHandles& h, bool dragging) {
    if (!h.centre)
        return;
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF centre(h.x + 0.5, h.y + 0.5);
    if (h.q) {
        p.setPen(QPen(kCyan, 1));
        p.drawLine(QPointF(h.leftX + 0.5, centre.y()), QPointF(h.rightX + 0.5, centre.y()));
        // Two small arrowheads pointing outward: they spread as the band widens.
        p.setPen(QPen(QColor(10, 40, 40), 1));
        p.setBrush(kCyan);
        for (int side : {-1, 1}) {
            const double x = (side < 0 ? h.leftX : h.rightX) + 0.5;
            const std::array<QPointF, 3> tip = {QPointF(x + side * 3.5, centre.y()),
                                                QPointF(x - side * 2.5, centre.y() - 4.5),
                                                QPointF(x - side * 2.5, centre.y() + 4.5)};
            p.drawPolygon(tip.data(), 3);
        }
    }
    p.setPen(QPen(QColor(20, 20, 20), 1.5));
    p.setBrush(dragging ? QColor(255, 230, 0) : QColor(255, 255, 255));
    p.drawEllipse(centre, 4.5, 4.5);
}

void ResponseGraphView::drawMarker(QPainter& p, const GraphScale& s, int gridIndex,
                                   const QString& label, bool selected) {
    // A marker is a small piece of text; painting text costs more than the rest of a frame,
    // so each face is painted once per pixel ratio and then copied.
    constexpr int kSize = 13;
    const qreal ratio = p.device() != nullptr ? p.device()->devicePixelRatioF() : 1.0;
    static QHash<QString, QImage> faces;
    const QString key = label + (selected ? u'*' : u' ') + QString::number(ratio);
    auto face = faces.constFind(key);
    if (face == faces.constEnd()) {
        QImage image(QSize(kSize, kSize) * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter m(&image);
        m.setRenderHint(QPainter::Antialiasing, true);
        const QRectF box(0.5, 0.5, kSize - 1, kSize - 1);
        m.setPen(QPen(selected ? QColor(255, 255, 255) : QColor(20, 20, 20), 1));
        m.setBrush(selected ? QColor(220, 0, 0) : QColor(205, 210, 218));
        m.drawRoundedRect(box, 2.5, 2.5);
        QFont f = p.font();
        f.setPixelSize(label.size() > 1 ? 8 : 10);
        f.setBold(true);
        m.setFont(f);
        m.setPen(selected ? Qt::white : QColor(10, 10, 10));
        m.drawText(box, Qt::AlignCenter, label);
        m.end();
        face = faces.insert(key, image);
    }
    p.drawImage(QPointF(s.markerLeft + gridIndex, s.markerTop), *face);
}

void ResponseGraphView::paintEvent(QPaintEvent*) {
    const QImage image = render(devicePixelRatioF());
    QPainter p(this);
    p.drawImage(QPointF(0, 0), image);
}

void ResponseGraphView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = pointerPressed(event->position().toPoint());
    update();
}

void ResponseGraphView::mouseMoveEvent(QMouseEvent* event) {
    m_pointer = event->position().toPoint();
    if (m_pressed)
        pointerMoved(*m_pointer);
    update();
}

void ResponseGraphView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_pressed)
        pointerReleased();
    m_pressed = false;
    update();
}

void ResponseGraphView::leaveEvent(QEvent*) {
    m_pointer.reset();
    update();
}

} // namespace mqx

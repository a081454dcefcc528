#include "pages/transfer_curve_view.h"

#include "graphs/fitted_text.h"
#include "pages/compressor_geometry.h"

#include <QEvent>
#include <QPainter>

namespace mqx {
namespace {

const QColor kPanel(34, 38, 44);
const QColor kWell(8, 10, 12);
const QColor kGrid(52, 58, 66);
const QColor kGridZero(96, 104, 114);
const QColor kLabel(190, 196, 204);
const QColor kIn1(255, 0, 255);
const QColor kIn2(0, 255, 255);

constexpr int kRightMargin = 6;
constexpr int kBottomMargin = 30;
constexpr QSize kSize(TransferCurveView::kOrigin.x() + kTransferGraphSize + kRightMargin,
                      TransferCurveView::kOrigin.y() + kTransferGraphSize + kBottomMargin);

QImage paintBackground(const QFont& base, qreal dpr) {
    QImage image(kSize * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(kPanel);
    QPainter p(&image);
    p.setFont(ArtworkFont(base, 11, false));
    const QPoint o = TransferCurveView::kOrigin;
    p.fillRect(QRect(o + kTransferClip.topLeft(), kTransferClip.size()), kWell);
    // A line every 10 dB on both axes, 0 dBFS brighter; the labels every 20 dB.
    for (int db = 0; db >= -70; db -= 10) {
        const int x = o.x() + TransferX(db);
        const int y = o.y() + TransferY(db);
        p.setPen(db == 0 ? kGridZero : kGrid);
        p.drawLine(x, o.y() + kTransferMargin, x, o.y() + kTransferMargin + kTransferSide);
        p.drawLine(o.x() + kTransferMargin, y, o.x() + kTransferMargin + kTransferSide, y);
        if (db % 20 != 0)
            continue;
        p.setPen(kLabel);
        const QString text = QString::number(db);
        DrawFittedText(p, QRectF(0, y - 7, o.x() - 3, 14), Qt::AlignRight | Qt::AlignVCenter, text);
        DrawFittedText(p, QRectF(x - 14, o.y() + kTransferGraphSize, 28, 14), Qt::AlignCenter,
                       text);
    }
    p.setPen(kLabel);
    DrawFittedText(p, QRectF(0, 0, kSize.width(), o.y()), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Output [dBFS]"));
    DrawFittedText(p, QRectF(o.x(), o.y() + kTransferGraphSize + 14, kTransferGraphSize, 16),
                   Qt::AlignCenter, QStringLiteral("Input [dBFS]"));
    return image;
}

} // namespace

TransferCurveView::TransferCurveView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize TransferCurveView::sizeHint() const {
    return kSize;
}

void TransferCurveView::setCurves(const std::array<Curve, 2>& curves) {
    if (curves == m_curves)
        return;
    m_curves = curves;
    update();
}

const QImage& TransferCurveView::background(qreal dpr) const {
    if (m_background.isNull() || m_background.devicePixelRatio() != dpr)
        m_background = paintBackground(font(), dpr);
    return m_background;
}

QImage TransferCurveView::picture(qreal dpr) const {
    QImage image = background(dpr).copy();
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    p.translate(kOrigin);
    p.setFont(ArtworkFont(font(), 11, true));
    for (int ch = 0; ch < 2; ++ch) {
        const Curve& c = m_curves[static_cast<std::size_t>(ch)];
        if (!c.shown)
            continue;
        const QColor colour = ch == 0 ? kIn1 : kIn2;
        // The channel's name in its colour, in the corner no curve reaches at 0 dB gain.
        p.setClipping(false);
        p.setPen(colour);
        p.drawText(QRect(kTransferMargin + 4, kTransferMargin + 2 + ch * 14, 40, 14),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   ch == 0 ? QStringLiteral("IN-1") : QStringLiteral("IN-2"));
        p.setClipRect(kTransferClip);
        p.setPen(QPen(colour, 1));
        const TransferCurve t = TransferCurvePoints(c.threshold, c.ratio, c.gain);
        const QPoint points[] = {t.start, t.knee, t.end};
        p.drawPolyline(points, 3);
    }
    return image;
}

void TransferCurveView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        m_background = QImage();
    QWidget::changeEvent(event);
}

void TransferCurveView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), picture(devicePixelRatio()));
}

} // namespace mqx

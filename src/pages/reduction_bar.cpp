#include "pages/reduction_bar.h"

#include "pages/compressor_geometry.h"

#include <QPainter>

namespace mqx {

namespace {
constexpr QSize kSize(kReductionBarRight + 3, kReductionBarBottom + 2);
} // namespace

ReductionBar::ReductionBar(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ReductionBar::setMeter(int meter) {
    if (meter == m_meter)
        return;
    m_meter = meter;
    update();
}

QImage ReductionBar::picture(qreal dpr) const {
    QImage image(kSize * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(QColor(8, 10, 12));
    QPainter p(&image);
    // The travel of the bar, dimly, so an empty bar still reads as one.
    const QRect travel = ReductionBarRect(0);
    p.fillRect(travel, QColor(0, 40, 0));
    p.fillRect(ReductionBarRect(m_meter), QColor(0, 255, 0));
    return image;
}

void ReductionBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), picture(devicePixelRatio()));
}

} // namespace mqx

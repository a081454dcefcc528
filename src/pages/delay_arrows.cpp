#include "pages/delay_arrows.h"

#include "pages/page_artwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace mqx {

DelayArrows::DelayArrows(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, 2 * kArrowHeight);
    setCursor(Qt::ArrowCursor);
}

QRect DelayArrows::arrowRect(bool up) const {
    return {0, up ? 0 : kArrowHeight, kWidth, kArrowHeight};
}

void DelayArrows::setPressedImage(int pressed) {
    if (pressed == m_pressedImage)
        return;
    m_pressedImage = pressed;
    update();
}

void DelayArrows::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintDelayArrows(p, QRectF(0, 0, kWidth, 2 * kArrowHeight), m_pressedImage);
}

void DelayArrows::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_held)
        return;
    const QPoint at = event->position().toPoint();
    for (bool up : {true, false}) {
        if (arrowRect(up).contains(at)) {
            m_held = true;
            m_heldUp = up;
            m_inside = true;
            Q_EMIT arrowPressed(up);
            return;
        }
    }
}

// A quick second click is one more press, not something else.
void DelayArrows::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void DelayArrows::mouseMoveEvent(QMouseEvent* event) {
    if (!m_held)
        return;
    const bool inside = arrowRect(m_heldUp).contains(event->position().toPoint());
    if (inside != m_inside) {
        m_inside = inside;
        Q_EMIT pointerInside(inside);
    }
}

void DelayArrows::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_held)
        return;
    m_held = false;
    Q_EMIT arrowReleased();
}

// Hidden while held (the tab changed under the pointer): no release will come, so the
// hold ends here and the delay still goes to the unit.
void DelayArrows::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!m_held)
        return;
    m_held = false;
    Q_EMIT arrowReleased();
}

} // namespace mqx

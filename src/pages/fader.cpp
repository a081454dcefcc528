#include "pages/fader.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWheelEvent>

namespace mqx {

int StepsOfKey(int key) {
    switch (key) {
    case Qt::Key_Up:
        return 1;
    case Qt::Key_Down:
        return -1;
    case Qt::Key_PageUp:
        return 10;
    case Qt::Key_PageDown:
        return -10;
    default:
        return 0;
    }
}

int WheelNotches(int angle, int& rest) {
    constexpr int kNotch = 120;
    rest += angle;
    const int notches = rest / kNotch;
    rest -= notches * kNotch;
    return notches;
}

Fader::Fader(const FaderGeometry& geometry, QWidget* parent)
    : QWidget(parent), m_geometry(geometry) {
    setFixedSize(geometry.trackWidth, geometry.trackHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Fader::setKnobTop(int top) {
    if (top == m_knobTop)
        return;
    m_knobTop = top;
    update();
}

void Fader::setHighlighted(bool on) {
    if (on == m_highlighted)
        return;
    m_highlighted = on;
    update();
}

void Fader::paint(QPainter& p, QPoint origin, const FaderGeometry& g, int knobTop, bool highlighted,
                  bool focused) {
    const QRectF track(origin.x(), origin.y(), g.trackWidth, g.trackHeight);
    p.fillRect(track, highlighted ? QColor(255, 236, 170) : QColor(226, 226, 226));
    // The slot the knob rides in, from the highest to the lowest knob centre.
    const double cx = track.center().x();
    const double slotTop = origin.y() + g.minTop + g.knobHeight / 2.0;
    const double slotBottom =
        origin.y() + (g.hasInf() ? g.infTop : g.maxTop + 1) + g.knobHeight / 2.0;
    p.fillRect(QRectF(cx - 1.5, slotTop, 3, slotBottom - slotTop), QColor(40, 40, 40));
    // Scale marks either side of the slot; the reference step's mark is longer.
    if (g.markEvery > 0) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        for (int step = g.referenceStep % g.markEvery; step <= g.highestStep; step += g.markEvery) {
            if (step < g.lowestStep || (g.hasInf() && step == 0))
                continue;
            const double y = origin.y() + KnobTopOf(g, step) + g.knobHeight / 2.0;
            const double reach = step == g.referenceStep ? 8 : 5;
            p.drawLine(QPointF(cx - reach, y), QPointF(cx - 3, y));
            p.drawLine(QPointF(cx + 3, y), QPointF(cx + reach, y));
        }
    }
    // The knob: a raised cap with a line across its centre.
    const QRectF knob(origin.x() + (g.trackWidth - g.knobWidth) / 2.0, origin.y() + knobTop,
                      g.knobWidth, g.knobHeight);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.setBrush(QColor(90, 96, 110));
    p.drawRoundedRect(knob.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    p.setPen(QPen(QColor(250, 250, 250), 1.5));
    const double my = knob.center().y();
    p.drawLine(QPointF(knob.left() + 2, my), QPointF(knob.right() - 2, my));
    p.setRenderHint(QPainter::Antialiasing, false);
    if (focused) {
        p.setPen(QPen(QColor(0, 90, 200), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(track.adjusted(0, 0, -1, -1));
    }
}

void Fader::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paint(p, QPoint(0, 0), m_geometry, m_knobTop, m_highlighted, hasFocus());
}

void Fader::keyPressEvent(QKeyEvent* event) {
    if (const int steps = StepsOfKey(event->key()); steps != 0) {
        Q_EMIT stepped(steps);
        return;
    }
    QWidget::keyPressEvent(event);
}

void Fader::wheelEvent(QWheelEvent* event) {
    if (const int notches = WheelNotches(event->angleDelta().y(), m_wheelRest); notches != 0)
        Q_EMIT stepped(notches);
    event->accept();
}

// The page handles the pointer in its own coordinates (a curve drag crosses faders); a
// fader only takes the focus, so the keys go where the operator last pointed.
void Fader::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->ignore();
}
void Fader::mouseDoubleClickEvent(QMouseEvent* event) {
    event->ignore();
}
void Fader::mouseMoveEvent(QMouseEvent* event) {
    event->ignore();
}
void Fader::mouseReleaseEvent(QMouseEvent* event) {
    event->ignore();
}

} // namespace mqx

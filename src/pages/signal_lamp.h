#pragma once
// The small lamp beside an equaliser page's channel tile.

#include "pages/page_artwork.h"

#include <QPainter>
#include <QWidget>

namespace mqx {

// Lit while the channel's equaliser meter shows a signal.
class SignalLamp : public QWidget {
public:
    explicit SignalLamp(QWidget* parent) : QWidget(parent) { setFixedSize(18, 18); }
    void setLit(bool lit) {
        if (lit != m_lit) {
            m_lit = lit;
            update();
        }
    }
    bool isLit() const { return m_lit; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        PaintLamp(p, QRectF(rect()).adjusted(1, 1, -1, -1), QColor(40, 200, 60), m_lit);
    }

private:
    bool m_lit = false;
};

} // namespace mqx

#include "pages/spin_buttons.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace mqx {

SpinButtons::SpinButtons(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    for (QToolButton* b : {m_up, m_down}) {
        b->setArrowType(b == m_up ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 11);
        column->addWidget(b);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { Q_EMIT stepped(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { Q_EMIT stepped(false); });
    setFixedSize(16, 22);
}

} // namespace mqx

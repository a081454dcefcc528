#include "app/mute_row.h"

#include "app/artwork.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

namespace mqx {

MuteRow::MuteRow(QTabBar* tabBar, int firstOutputTab, QWidget* parent)
    : QWidget(parent), m_tabBar(tabBar), m_firstOutputTab(firstOutputTab) {
    m_caption = new QLabel(QStringLiteral("Output Muting"), this);
    for (std::size_t c = 0; c < m_buttons.size(); ++c) {
        auto* b = new QPushButton(QStringLiteral("Muting"), this);
        b->setCheckable(true);
        b->setIcon(MuteIcon(false));
        b->setToolTip(QStringLiteral("Output %1").arg(c + 1));
        const int channel = static_cast<int>(c);
        connect(b, &QPushButton::clicked, this,
                [this, channel](bool checked) { Q_EMIT muteClicked(channel, checked); });
        m_buttons[c] = b;
    }
    m_allMuting = new QPushButton(QStringLiteral("All Muting"), this);
    connect(m_allMuting, &QPushButton::clicked, this, &MuteRow::allMutingClicked);
    setMinimumHeight(m_allMuting->sizeHint().height() + 2);
    m_tabBar->installEventFilter(this);
}

void MuteRow::setMuted(int channel, bool muted) {
    QPushButton* b = m_buttons.at(static_cast<std::size_t>(channel));
    b->setChecked(muted);
    b->setIcon(MuteIcon(muted));
}

bool MuteRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tabBar &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
         event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show))
        place();
    return QWidget::eventFilter(watched, event);
}

void MuteRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    place();
}

// Each button stands over its output's tab, as wide as the tab; the caption fills the
// room to the left and "All Muting" follows the last button.
void MuteRow::place() {
    const int h = height() - 2;
    int right = 0;
    for (std::size_t c = 0; c < m_buttons.size(); ++c) {
        const QRect tab = m_tabBar->tabRect(m_firstOutputTab + static_cast<int>(c));
        const QPoint topLeft = m_tabBar->mapTo(parentWidget(), tab.topLeft());
        const int x = mapFrom(parentWidget(), topLeft).x();
        m_buttons[c]->setGeometry(x, 1, qMax(tab.width(), 24), h);
        right = x + qMax(tab.width(), 24);
    }
    const int firstX = m_buttons[0]->x();
    m_caption->setGeometry(0, 1, qMax(0, firstX - 4), h);
    m_caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_allMuting->setGeometry(right + 6, 1, m_allMuting->sizeHint().width(), h);
}

} // namespace mqx

#include "app/mute_row.h"

#include "pages/page_artwork.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include <limits>

namespace mqx {
namespace {

constexpr int kGap = 6; // between two buttons, at the least
constexpr int kButtonHeight = 26;
constexpr int kFacePadding = 10; // round the face, inside the button's frame

} // namespace

MuteRow::MuteRow(QTabBar* tabBar, int firstOutputTab, QWidget* parent)
    : QWidget(parent), m_tabBar(tabBar), m_firstOutputTab(firstOutputTab) {
    m_caption = new QLabel(QStringLiteral("Output Muting"), this);
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    for (std::size_t c = 0; c < m_buttons.size(); ++c) {
        // The face alone tells the state: blank while the output sounds, the red word
        // while it is muted.
        auto* b = new QPushButton(this);
        b->setCheckable(true);
        b->setIconSize(kMutingIconSize);
        b->setIcon(MutingIcon(false));
        b->setAccessibleName(QStringLiteral("Muting"));
        b->setToolTip(QStringLiteral("Output %1").arg(c + 1));
        const int channel = static_cast<int>(c);
        connect(b, &QPushButton::clicked, this,
                [this, channel](bool checked) { Q_EMIT muteClicked(channel, checked); });
        m_buttons[c] = b;
    }
    m_allMuting = new QPushButton(QStringLiteral("All Muting"), this);
    connect(m_allMuting, &QPushButton::clicked, this, &MuteRow::allMutingClicked);
    setMinimumHeight(m_caption->sizeHint().height() + 2 + kButtonHeight + 2);
    m_tabBar->installEventFilter(this);
}

void MuteRow::setMuted(int channel, bool muted) {
    QPushButton* b = m_buttons.at(static_cast<std::size_t>(channel));
    b->setChecked(muted);
    b->setIcon(MutingIcon(muted));
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

// The buttons stand over their outputs' tabs, all of one size and evenly spaced from the
// first output tab's centre to the last one's, with "Output Muting" over them and "All
// Muting" after them.
void MuteRow::place() {
    const auto centreOf = [this](int c) {
        const QRect tab = m_tabBar->tabRect(m_firstOutputTab + c);
        const QPoint centre = m_tabBar->mapTo(parentWidget(), tab.center());
        return mapFrom(parentWidget(), centre).x();
    };
    int narrowest = std::numeric_limits<int>::max();
    for (int c = 0; c < kOutputs; ++c)
        narrowest = qMin(narrowest, m_tabBar->tabRect(m_firstOutputTab + c).width());
    const int first = centreOf(0);
    const int pitch = qMax((centreOf(kOutputs - 1) - first) / (kOutputs - 1),
                           kMutingIconSize.width() + kFacePadding + kGap);
    const int width = qMax(narrowest, pitch) - kGap;
    const int top = height() - kButtonHeight - 1;
    for (int c = 0; c < kOutputs; ++c)
        m_buttons[static_cast<std::size_t>(c)]->setGeometry(first + c * pitch - width / 2, top,
                                                            width, kButtonHeight);
    const int left = m_buttons.front()->x();
    const int right = m_buttons.back()->geometry().right() + 1;
    m_caption->setGeometry(left, 0, right - left, top - 1);
    m_allMuting->setGeometry(right + 2 * kGap, top, m_allMuting->sizeHint().width(), kButtonHeight);
}

} // namespace mqx

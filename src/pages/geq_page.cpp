#include "pages/geq_page.h"

#include "core/session.h"
#include "pages/entry_box.h"
#include "pages/eq_channel_controls.h"
#include "pages/fader.h"
#include "pages/page_artwork.h"
#include "pages/signal_lamp.h"
#include "program/value_scales.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace mqx {

namespace {

// Where the boxes go, in the same page pixels as the faders.
constexpr int kBoxWidth = 36;
constexpr int kBoxHeight = 20;
constexpr int kFrequencyRowTop = 52;
constexpr int kValueRowTop = 238;
constexpr int kRowStagger = 22; // odd bands one row lower, so neighbours never overlap
constexpr int kLevelBoxTop = 286;
constexpr QSize kPageSize(680, 312);
// A meter byte from this up means the channel carries signal.
constexpr int kSignalMeter = 126;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

QFont boxFont(const QFont& base) {
    QFont f = base;
    f.setPixelSize(11);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

QLabel* caption(const QString& text, const QRect& where, QWidget* parent,
                Qt::Alignment align = Qt::AlignCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    label->setAlignment(align);
    return label;
}

} // namespace

GeqPage::GeqPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
                 int channel, QWidget* parent)
    : QWidget(parent), m_editor(session, sink, prompts, timers, channel) {
    build();
    m_editor.setChangedCallback([this] { refresh(); });
    refresh();
}

void GeqPage::build() {
    setFixedSize(kPageSize);
    const QFont small = boxFont(font());

    caption(QStringLiteral("GEQ ON/OFF"), QRect(40, 10, 84, 24), this, Qt::AlignVCenter);
    m_on = new QPushButton(this);
    m_on->setCheckable(true);
    m_on->setGeometry(126, 10, 56, 24);
    m_link = new QCheckBox(QStringLiteral("GEQ Ch Link"), this);
    m_link->setGeometry(206, 10, 120, 24);
    auto* tile = new QLabel(this);
    tile->setPixmap(InputNumberTile(m_editor.channel()));
    tile->setGeometry(340, 10, 24, 24);
    m_lamp = new SignalLamp(this);
    m_lamp->move(368, 13);
    m_lamp->setAccessibleName(QStringLiteral("Signal"));

    caption(QStringLiteral("[Hz]"), QRect(0, kFrequencyRowTop + 11, 34, kBoxHeight), this);
    caption(QStringLiteral("[dB]"), QRect(0, kValueRowTop + 11, 34, kBoxHeight), this);

    const FaderGeometry band = GeqBandFader();
    for (int b = 0; b < kGeqBands; ++b) {
        const int left = GeqLayout::bandTrackLeft(b);
        const int boxLeft = left + band.trackWidth / 2 - kBoxWidth / 2;
        const int stagger = (b % 2) * kRowStagger;

        auto* freq = new QLineEdit(StepText(Scale::GeqBandFreq, b), this);
        freq->setReadOnly(true);
        freq->setFocusPolicy(Qt::NoFocus);
        freq->setFrame(false);
        freq->setAlignment(Qt::AlignCenter);
        freq->setFont(small);
        freq->setTextMargins(0, 0, 0, 0);
        freq->setGeometry(boxLeft, kFrequencyRowTop + stagger, kBoxWidth, kBoxHeight);
        freq->installEventFilter(this);
        m_freqs[at(b)] = freq;

        auto* fader = new Fader(band, this);
        fader->move(left, GeqLayout::kBandTrackTop);
        fader->setAccessibleName(StepText(Scale::GeqBandFreq, b).trimmed());
        m_faders[at(b)] = fader;

        auto* box = new EntryBox(this);
        box->setAlignment(Qt::AlignCenter);
        box->setFont(small);
        box->setTextMargins(0, 0, 0, 0);
        box->setGeometry(boxLeft, kValueRowTop + stagger, kBoxWidth, kBoxHeight);
        box->installEventFilter(this);
        m_boxes[at(b)] = box;

        const auto step = [this, b](int steps) {
            m_editor.stepBand(b, steps);
            refresh();
        };
        connect(fader, &Fader::stepped, this, step);
        connect(box, &EntryBox::stepped, this, step);
        connect(box, &EntryBox::commitRequested, this, [this, b] { commitBand(b); });
    }

    const FaderGeometry level = LevelFader();
    caption(QStringLiteral("Level"), QRect(596, 14, 70, 22), this);
    m_levelFader = new Fader(level, this);
    m_levelFader->move(GeqLayout::kLevelTrackLeft, GeqLayout::kLevelTrackTop);
    m_levelFader->setAccessibleName(QStringLiteral("Level"));
    m_levelBox = new EntryBox(this);
    m_levelBox->setAlignment(Qt::AlignCenter);
    m_levelBox->setFont(small);
    m_levelBox->setGeometry(GeqLayout::kLevelTrackLeft + level.trackWidth / 2 - 36, kLevelBoxTop,
                            72, 22);
    m_levelBox->installEventFilter(this);
    WireChannelControls(this, m_editor, m_levelFader, m_levelBox, m_on, m_link, m_linkRequest,
                        &GeqPage::refresh, &GeqPage::commitLevel);

    // Reading order: the switches, then each band's fader and box from left to right,
    // then the level.
    QWidget* previous = m_link;
    setTabOrder(m_on, m_link);
    for (int b = 0; b < kGeqBands; ++b) {
        setTabOrder(previous, m_faders[at(b)]);
        setTabOrder(m_faders[at(b)], m_boxes[at(b)]);
        previous = m_boxes[at(b)];
    }
    setTabOrder(previous, m_levelFader);
    setTabOrder(m_levelFader, m_levelBox);
}

void GeqPage::refresh() {
    const bool on = m_editor.isOn();
    m_on->setChecked(on);
    m_on->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
    m_link->setChecked(m_editor.isLinked());
    for (int b = 0; b < kGeqBands; ++b) {
        m_faders[at(b)]->setKnobTop(m_editor.bandKnobTop(b) - GeqLayout::kBandTrackTop);
        EntryBox* box = m_boxes[at(b)];
        // Text being typed stays until the box is left.
        if (!(box->hasFocus() && box->isModified()))
            box->setText(m_editor.bandText(b));
    }
    m_levelFader->setKnobTop(m_editor.levelKnobTop() - GeqLayout::kLevelTrackTop);
    if (!(m_levelBox->hasFocus() && m_levelBox->isModified()))
        m_levelBox->setText(m_editor.levelText());
    showSelection();
    metersChanged();
}

void GeqPage::showSelection() {
    const int selected = m_editor.selectedBand();
    for (int b = 0; b < kGeqBands; ++b) {
        m_faders[at(b)]->setHighlighted(b == selected);
        m_boxes[at(b)]->setReadOnly(b != selected);
    }
}

QSize GeqPage::sizeHint() const {
    return kPageSize;
}
QSize GeqPage::minimumSizeHint() const {
    return kPageSize;
}

bool GeqPage::signalLit() const {
    return m_lamp->isLit();
}

void GeqPage::metersChanged() {
    m_lamp->setLit(m_editor.signalMeter() >= kSignalMeter);
}

void GeqPage::commitBand(int band) {
    EntryBox* box = m_boxes[at(band)];
    if (box->isReadOnly() || !box->isModified())
        return;
    m_lastEdited = box;
    if (box->commitTyped(m_editor.bandText(band), [this, band](const QString& typed) {
            return m_editor.commitBandText(band, typed);
        }))
        refresh();
}

void GeqPage::commitLevel() {
    if (!m_levelBox->isModified())
        return;
    m_lastEdited = m_levelBox;
    if (m_levelBox->commitTyped(m_editor.levelText(), [this](const QString& typed) {
            return m_editor.commitLevelText(typed);
        }))
        refresh();
}

bool GeqPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byOperator = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                                reason == Qt::BacktabFocusReason;
        for (int b = 0; b < kGeqBands; ++b)
            if (watched == m_boxes[at(b)] && byOperator) {
                m_editor.selectBand(b);
                showSelection();
            }
        if (watched == m_levelBox && byOperator && !m_editor.geqMode())
            m_editor.checkMode();
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A frequency box hands the click on to its band's value box.
        for (int b = 0; b < kGeqBands; ++b)
            if (watched == m_freqs[at(b)]) {
                m_boxes[at(b)]->setFocus(Qt::MouseFocusReason);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}

void GeqPage::pointerPressed(QMouseEvent* event, bool doubleClick) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    const bool taken = doubleClick ? m_editor.doubleClick(at.x(), at.y(), ctrl)
                                   : m_editor.press(at.x(), at.y(), ctrl);
    if (!taken)
        setFocus(Qt::MouseFocusReason);
    refresh();
}

void GeqPage::mousePressEvent(QMouseEvent* event) {
    pointerPressed(event, false);
}

void GeqPage::mouseDoubleClickEvent(QMouseEvent* event) {
    pointerPressed(event, true);
}

void GeqPage::mouseMoveEvent(QMouseEvent* event) {
    if (!m_editor.isTracking())
        return;
    const QPoint at = event->position().toPoint();
    m_editor.move(at.x(), at.y());
}

// The release ends every mode, wherever the pointer is: the page holds the pointer from
// the press on, so a release over another window still arrives here.
void GeqPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_editor.release();
    refresh();
}

void GeqPage::showPage() {
    refresh();
}

void GeqPage::leavePage() {
    m_editor.release();
    const QWidget* focused = focusWidget();
    if (focused == m_levelBox) {
        commitLevel();
        return;
    }
    for (int b = 0; b < kGeqBands; ++b)
        if (focused == m_boxes[at(b)])
            commitBand(b);
}

void GeqPage::focusLastEdited() {
    if (m_lastEdited != nullptr)
        m_lastEdited->setFocus(Qt::OtherFocusReason);
}

} // namespace mqx

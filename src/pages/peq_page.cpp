#include "pages/peq_page.h"

#include "core/session.h"
#include "pages/entry_box.h"
#include "pages/eq_channel_controls.h"
#include "pages/fader.h"
#include "pages/page_artwork.h"
#include "pages/peq_graph.h"
#include "pages/signal_lamp.h"
#include "pages/spin_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace mqx {
namespace {

constexpr QSize kPageSize(680, 372);
constexpr int kBandLeft = 10;
constexpr int kBandPitch = 40;
constexpr int kBandTop = 44;
constexpr QPoint kGraphAt(10, 108);
constexpr int kColumnLeft = 460;
constexpr int kLevelBoxTop = 344;
// A meter byte from this up means the channel carries signal.
constexpr int kSignalMeter = 126;

const std::array<const char*, kEqTypeCount> kTypeTexts = {
    " Off", " Peaking", " Bandpass", " Hi-Shelf", " Lo-Shelf", " Notch",
};
const std::array<const char*, 3> kBoxCaptions = {"Frequency", "Q (Bandwidth)", "Level"};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

QLabel* caption(const QString& text, const QRect& where, QWidget* parent,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    label->setAlignment(align);
    return label;
}

bool byOperator(QEvent* event) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
           reason == Qt::BacktabFocusReason;
}

} // namespace

PeqPage::PeqPage(Session& session, ParameterEditSink& sink, Prompts& prompts, TimerSource& timers,
                 int channel, QWidget* parent)
    : QWidget(parent), m_editor(session, sink, prompts, timers, channel) {
    m_bandFace.fill(-1);
    build();
    m_editor.setChangedCallback([this] { refresh(); });
    refresh();
}

void PeqPage::build() {
    setFixedSize(kPageSize);
    caption(QStringLiteral("PEQ ON/OFF"), QRect(10, 10, 84, 24), this);
    m_on = new QPushButton(this);
    m_on->setCheckable(true);
    m_on->setGeometry(96, 10, 56, 24);
    m_link = new QCheckBox(QStringLiteral("PEQ Ch Link"), this);
    m_link->setGeometry(176, 10, 120, 24);
    auto* tile = new QLabel(this);
    tile->setPixmap(InputNumberTile(m_editor.channel()));
    tile->setGeometry(310, 10, 24, 24);
    m_lamp = new SignalLamp(this);
    m_lamp->move(338, 13);
    m_lamp->setAccessibleName(QStringLiteral("Signal"));

    buildBandRow();
    m_graph = new PeqGraph(m_editor, this);
    m_graph->move(kGraphAt);
    buildBoxes();

    caption(QStringLiteral("Level"), QRect(596, 72, 70, 22), this, Qt::AlignCenter);
    m_levelFader = new Fader(LevelFader(), this);
    m_levelFader->move(PeqLayout::kLevelTrackLeft, PeqLayout::kLevelTrackTop);
    m_levelFader->setAccessibleName(QStringLiteral("Level"));
    m_levelBox = new EntryBox(this);
    m_levelBox->setAlignment(Qt::AlignCenter);
    m_levelBox->setGeometry(PeqLayout::kLevelTrackLeft + LevelFader().trackWidth / 2 - 38,
                            kLevelBoxTop, 76, 22);
    m_levelBox->installEventFilter(this);
    WireChannelControls(this, m_editor, m_levelFader, m_levelBox, m_on, m_link, m_linkRequest,
                        &PeqPage::refresh, &PeqPage::commitLevel);

    // Reading order: the switches, the band buttons, their ON/OFF row, the selected band's
    // type and boxes, then the level.
    QWidget* previous = m_link;
    setTabOrder(m_on, m_link);
    for (const auto& row : {m_bands, m_bandOn})
        for (QPushButton* b : row) {
            setTabOrder(previous, b);
            previous = b;
        }
    setTabOrder(previous, m_type);
    previous = m_type;
    for (EntryBox* box : m_boxes) {
        setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, m_levelFader);
    setTabOrder(m_levelFader, m_levelBox);
}

void PeqPage::buildBandRow() {
    for (int b = 0; b < kPeqBands; ++b) {
        const int left = kBandLeft + b * kBandPitch;
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        button->setIconSize(kPeqBandIconSize);
        button->setGeometry(left, kBandTop, 36, 32);
        button->setAccessibleName(QStringLiteral("Band %1").arg(b + 1));
        connect(button, &QPushButton::clicked, this, [this, b] {
            m_editor.pressBandButton(b);
            refresh();
        });
        m_bands[at(b)] = button;

        auto* on = new QPushButton(this);
        on->setCheckable(true);
        on->setGeometry(left, kBandTop + 36, 36, 22);
        on->setAccessibleName(QStringLiteral("Band %1 ON/OFF").arg(b + 1));
        connect(on, &QPushButton::clicked, this, [this, b](bool checked) {
            m_editor.setBandOn(b, checked);
            refresh();
        });
        m_bandOn[at(b)] = on;
    }
}

void PeqPage::buildBoxes() {
    const int top = kGraphAt.y();
    caption(QStringLiteral("Type"), QRect(kColumnLeft, top, 120, 18), this);
    m_type = new QComboBox(this);
    for (const char* text : kTypeTexts)
        m_type->addItem(QString::fromLatin1(text));
    m_type->setGeometry(kColumnLeft, top + 18, 130, 24);
    m_type->installEventFilter(this);
    connect(m_type, &QComboBox::activated, this, [this](int type) {
        m_editor.selectType(type);
        refresh();
    });

    for (int i = 0; i < 3; ++i) {
        const auto which = static_cast<PeqBox>(i);
        const int rowTop = top + 54 + i * 50;
        caption(QString::fromLatin1(kBoxCaptions[at(i)]), QRect(kColumnLeft, rowTop, 130, 18),
                this);
        auto* box = new EntryBox(this);
        box->setGeometry(kColumnLeft, rowTop + 18, 110, 22);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->installEventFilter(this);
        auto* arrows = new SpinButtons(this);
        arrows->move(kColumnLeft + 112, rowTop + 18);
        const auto step = [this, which](int steps) {
            m_editor.stepBox(which, steps);
            refresh();
            if (EntryBox* b = m_boxes[at(static_cast<int>(which))]; b->hasFocus())
                b->selectAll();
        };
        connect(box, &EntryBox::stepped, this, step);
        connect(arrows, &SpinButtons::stepped, this, [step](bool up) { step(up ? 1 : -1); });
        connect(box, &EntryBox::commitRequested, this, [this, which] { commitBox(which); });
        m_boxes[at(i)] = box;
        m_arrows[at(i)] = arrows;
    }
}

void PeqPage::refresh() {
    const bool on = m_editor.isOn();
    m_on->setChecked(on);
    m_on->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
    m_link->setChecked(m_editor.isLinked());
    const int selected = m_editor.selectedBand();
    for (int b = 0; b < kPeqBands; ++b) {
        const bool active = m_editor.bandActive(b);
        // Painting a face costs more than the rest of the page: only a change repaints it.
        const int face = (active ? 1 : 0) + (b == selected ? 2 : 0);
        if (m_bandFace[at(b)] != face) {
            m_bandFace[at(b)] = face;
            m_bands[at(b)]->setIcon(PeqBandIcon(b, active, b == selected));
        }
        m_bands[at(b)]->setChecked(b == selected);
        m_bandOn[at(b)]->setChecked(active);
        m_bandOn[at(b)]->setText(active ? QStringLiteral("ON") : QStringLiteral("OFF"));
    }
    const PeqEnabling enabled = m_editor.enabling();
    m_type->setEnabled(enabled.type);
    m_type->setCurrentIndex(m_editor.selectedType());
    const std::array<bool, 3> boxOn = {enabled.frequency, enabled.q, enabled.level};
    for (int i = 0; i < 3; ++i) {
        EntryBox* box = m_boxes[at(i)];
        box->setEnabled(boxOn[at(i)]);
        m_arrows[at(i)]->setEnabled(boxOn[at(i)]);
        // Text being typed stays until the box is left.
        if (!(box->hasFocus() && box->isModified()))
            box->setText(m_editor.boxText(static_cast<PeqBox>(i)));
    }
    m_levelFader->setKnobTop(m_editor.levelKnobTop() - PeqLayout::kLevelTrackTop);
    if (!(m_levelBox->hasFocus() && m_levelBox->isModified()))
        m_levelBox->setText(m_editor.levelText());
    m_graph->update();
    metersChanged();
}

QSize PeqPage::sizeHint() const {
    return kPageSize;
}
QSize PeqPage::minimumSizeHint() const {
    return kPageSize;
}

bool PeqPage::signalLit() const {
    return m_lamp->isLit();
}

void PeqPage::metersChanged() {
    m_lamp->setLit(m_editor.signalMeter() >= kSignalMeter);
}

void PeqPage::commitBox(PeqBox which) {
    EntryBox* box = m_boxes[at(static_cast<int>(which))];
    if (!box->isEnabled() || !box->isModified())
        return;
    m_lastEdited = box;
    if (box->commitTyped(m_editor.boxText(which), [this, which](const QString& typed) {
            return m_editor.commitBoxText(which, typed);
        }))
        refresh();
}

void PeqPage::commitLevel() {
    if (!m_levelBox->isModified())
        return;
    m_lastEdited = m_levelBox;
    if (m_levelBox->commitTyped(m_editor.levelText(), [this](const QString& typed) {
            return m_editor.commitLevelText(typed);
        }))
        refresh();
}

bool PeqPage::eventFilter(QObject* watched, QEvent* event) {
    // Focusing the type list or the level box in GEQ mode tells the operator why nothing
    // there will take.
    if (event->type() == QEvent::FocusIn && byOperator(event) && !m_editor.peqMode() &&
        (watched == m_type || watched == m_levelBox))
        m_editor.checkMode();
    return QWidget::eventFilter(watched, event);
}

void PeqPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (!m_editor.peqMode()) {
        m_editor.checkMode();
        return;
    }
    if (!m_editor.pressLevel(p.x(), p.y()))
        setFocus(Qt::MouseFocusReason);
    refresh();
}

void PeqPage::mouseMoveEvent(QMouseEvent* event) {
    if (!m_editor.isLevelTracking())
        return;
    const QPoint p = event->position().toPoint();
    m_editor.moveLevel(p.x(), p.y());
    refresh();
}

// The page holds the pointer from the press on, so a release over another window still
// ends the drag here.
void PeqPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_editor.releaseLevel();
    refresh();
}

void PeqPage::showPage() {
    refresh();
}

void PeqPage::leavePage() {
    m_editor.releaseLevel();
    m_editor.releaseGraph();
    const QWidget* focused = focusWidget();
    if (focused == m_levelBox) {
        commitLevel();
        return;
    }
    for (int i = 0; i < 3; ++i)
        if (focused == m_boxes[at(i)])
            commitBox(static_cast<PeqBox>(i));
}

void PeqPage::focusLastEdited() {
    if (m_lastEdited != nullptr)
        m_lastEdited->setFocus(Qt::OtherFocusReason);
}

} // namespace mqx

#include "pages/output_page.h"

#include "core/session.h"
#include "pages/channel_strip.h"
#include "pages/delay_arrows.h"
#include "pages/entry_box.h"
#include "pages/fader.h"
#include "pages/output_graph.h"
#include "pages/page_artwork.h"
#include "pages/spin_buttons.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace mqx {
namespace {

constexpr QSize kPageSize(700, 372);
constexpr QPoint kGraphAt(10, 112);
constexpr int kColumnLeft = 455;
constexpr int kBandTop = 112;
constexpr int kBandPitch = 35;
constexpr int kLevelBoxTop = 292;
constexpr std::array<DelayBox, 4> kDelayKinds = {DelayBox::Ms, DelayBox::Metres, DelayBox::Feet,
                                                 DelayBox::Inches};
const std::array<const char*, 3> kBoxCaptions = {"Freq.", "Q(BW)", "Level"};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}
std::size_t at(DelayBox kind) {
    return static_cast<std::size_t>(kind);
}

QLabel* caption(const QString& text, const QRect& where, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(where);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

EntryBox* entryBox(const QRect& where, QWidget* parent) {
    auto* box = new EntryBox(parent);
    box->setGeometry(where);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

} // namespace

OutputPage::OutputPage(Session& session, ParameterEditSink& sink, Prompts& prompts,
                       TimerSource& timers, int channel, QWidget* parent)
    : QWidget(parent), m_editor(session, sink, prompts, timers, channel),
      m_filters(session, sink, prompts, channel), m_session(session) {
    m_bandFace.fill(-1);
    build();
    m_editor.setChangedCallback([this] {
        refresh();
        showDelayArrows();
    });
    showUnits();
    refresh();
}

OutputPage::~OutputPage() = default;

void OutputPage::build() {
    setFixedSize(kPageSize);
    buildChannelRows();
    m_graph = new OutputGraph(m_filters, this);
    m_graph->move(kGraphAt);
    m_graph->setDraggedCallback([this] { refresh(); });
    buildFilterColumn();

    caption(QStringLiteral("CH Level"), QRect(OutputLayout::kLevelTrackLeft - 14, 14, 60, 22),
            this);
    m_levelFader = new Fader(LevelFader(), this);
    m_levelFader->move(OutputLayout::kLevelTrackLeft, OutputLayout::kLevelTrackTop);
    m_levelFader->setAccessibleName(QStringLiteral("CH Level"));
    m_levelBox = entryBox(QRect(OutputLayout::kLevelTrackLeft + LevelFader().trackWidth / 2 - 38,
                                kLevelBoxTop, 76, 22),
                          this);
    m_levelBox->setAlignment(Qt::AlignCenter);
    const auto stepLevel = [this](int steps) {
        m_editor.stepLevel(steps);
        refresh();
    };
    connect(m_levelFader, &Fader::stepped, this, stepLevel);
    connect(m_levelBox, &EntryBox::stepped, this, stepLevel);
    connect(m_levelBox, &EntryBox::commitRequested, this, &OutputPage::commitLevel);

    // Reading order: the channel's rows left to right, then the filter section, then the
    // level.
    QList<QWidget*> order = {m_source, m_phase, m_limiter};
    for (DelayBox kind : kDelayKinds)
        order << m_delay[at(kind)];
    for (const auto& row : {m_bands, m_bandOn})
        for (QPushButton* b : row)
            order << b;
    order << m_type;
    for (EntryBox* box : m_boxes)
        order << box;
    order << m_levelFader << m_levelBox;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void OutputPage::buildChannelRows() {
    caption(QStringLiteral("Source"), QRect(10, 8, 50, 24), this);
    m_source = new QComboBox(this);
    m_source->addItems({QStringLiteral("IN-1"), QStringLiteral("IN-2"), QStringLiteral("MIX")});
    m_source->setGeometry(62, 8, 74, 24);
    connect(m_source, &QComboBox::activated, this, [this](int item) {
        m_editor.selectSourceItem(item);
        refresh();
    });

    caption(QStringLiteral("Phase"), QRect(148, 8, 44, 24), this);
    m_phase = new QPushButton(this);
    m_phase->setCheckable(true);
    m_phase->setGeometry(194, 8, 72, 24);
    connect(m_phase, &QPushButton::clicked, this, [this](bool checked) {
        m_editor.setPhase(checked);
        refresh();
    });

    caption(QStringLiteral("Peak Limiter"), QRect(280, 8, 80, 24), this);
    m_limiter = entryBox(QRect(362, 9, 82, 22), this);
    m_limiterArrows = new SpinButtons(this);
    m_limiterArrows->move(446, 9);
    const auto stepLimiter = [this](int steps) {
        m_editor.stepLimiter(steps);
        refresh();
    };
    connect(m_limiter, &EntryBox::stepped, this, stepLimiter);
    connect(m_limiterArrows, &SpinButtons::stepped, this,
            [stepLimiter](bool up) { stepLimiter(up ? 1 : -1); });
    connect(m_limiter, &EntryBox::commitRequested, this, &OutputPage::commitLimiter);

    caption(QStringLiteral("Delay"), QRect(10, 40, 50, 24), this);
    m_delay[at(DelayBox::Ms)] = entryBox(QRect(62, 41, 84, 22), this);
    caption(QStringLiteral("[msec]"), QRect(148, 40, 44, 24), this);
    m_delay[at(DelayBox::Metres)] = entryBox(QRect(194, 41, 84, 22), this);
    m_delay[at(DelayBox::Feet)] = entryBox(QRect(194, 41, 46, 22), this);
    m_delay[at(DelayBox::Inches)] = entryBox(QRect(242, 41, 56, 22), this);
    m_distanceUnit = caption({}, QRect(302, 40, 62, 24), this);
    m_delayArrows = new DelayArrows(this);
    m_delayArrows->move(366, 41);
    for (DelayBox kind : kDelayKinds) {
        connect(m_delay[at(kind)], &EntryBox::commitRequested, this,
                [this, kind] { commitDelay(kind); });
        connect(m_delay[at(kind)], &EntryBox::stepped, this, [this](int steps) {
            m_editor.delay().stepDelay(m_editor.delayTarget(), steps);
            refresh();
        });
    }
    connect(m_delayArrows, &DelayArrows::arrowPressed, this, &OutputPage::pressDelayArrow);
    connect(m_delayArrows, &DelayArrows::pointerInside, this, [this](bool inside) {
        m_editor.delay().setPointerInside(inside);
        showDelayArrows();
    });
    connect(m_delayArrows, &DelayArrows::arrowReleased, this, [this] {
        m_editor.delay().releaseArrow();
        showDelayArrows();
    });

    caption(QStringLiteral("Link Ch"), QRect(10, 74, 50, 24), this);
    m_link = new ChannelStrip(ChannelStrip::Kind::LinkIndicator, this);
    m_link->move(62, 73);
    m_link->setAccessibleName(QStringLiteral("Link Ch"));
    connect(m_link, &ChannelStrip::clicked, this, [this] {
        // A box being typed in is taken before the dialog changes what it shows.
        if (!takeTyping())
            return;
        if (m_linkRequest)
            m_linkRequest();
        refresh();
    });
    caption(QStringLiteral("Display Ch"), QRect(206, 74, 70, 24), this);
    m_display = new ChannelStrip(ChannelStrip::Kind::DisplaySelector, this);
    m_display->move(278, 70);
    m_display->setAccessibleName(QStringLiteral("Display Ch"));
    connect(m_display, &ChannelStrip::channelClicked, this, [this](int c) {
        m_editor.toggleDisplay(c);
        refresh();
    });
}

void OutputPage::buildFilterColumn() {
    for (int e = 0; e < kOutputElements; ++e) {
        const int left = kColumnLeft + e * kBandPitch;
        auto* button = new QPushButton(this);
        button->setCheckable(true);
        button->setIconSize(kOutputBandIconSize);
        button->setGeometry(left, kBandTop, 34, 30);
        static const std::array<const char*, kOutputElements> kNames = {"HPF", "LPF", "EQ1", "EQ2",
                                                                        "EQ3"};
        button->setAccessibleName(QString::fromLatin1(kNames[at(e)]));
        connect(button, &QPushButton::clicked, this, [this, e] {
            m_filters.pressBandButton(e);
            refresh();
        });
        m_bands[at(e)] = button;

        auto* on = new QPushButton(this);
        on->setCheckable(true);
        on->setGeometry(left, kBandTop + 33, 34, 20);
        on->setAccessibleName(QString::fromLatin1(kNames[at(e)]) + QStringLiteral(" ON/OFF"));
        connect(on, &QPushButton::clicked, this, [this, e](bool checked) {
            m_filters.setOn(e, checked);
            refresh();
        });
        m_bandOn[at(e)] = on;
    }

    const int top = kBandTop + 60;
    caption(QStringLiteral("Type"), QRect(kColumnLeft, top, 120, 18), this);
    m_type = new QComboBox(this);
    m_type->setGeometry(kColumnLeft, top + 18, 172, 24);
    connect(m_type, &QComboBox::activated, this, [this](int type) {
        m_filters.selectType(type);
        refresh();
    });
    for (int i = 0; i < 3; ++i) {
        const auto which = static_cast<FilterBox>(i);
        const int rowTop = top + 46 + i * 42;
        caption(QString::fromLatin1(kBoxCaptions[at(i)]), QRect(kColumnLeft, rowTop, 120, 18),
                this);
        auto* box = entryBox(QRect(kColumnLeft, rowTop + 18, 130, 22), this);
        auto* arrows = new SpinButtons(this);
        arrows->move(kColumnLeft + 132, rowTop + 18);
        const auto step = [this, which](int steps) {
            m_filters.stepBox(which, steps);
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

void OutputPage::showUnits() {
    const bool feet = ShowsFeetInches(m_session.settings.delayUnit);
    m_delay[at(DelayBox::Metres)]->setVisible(!feet);
    m_delay[at(DelayBox::Feet)]->setVisible(feet);
    m_delay[at(DelayBox::Inches)]->setVisible(feet);
    m_distanceUnit->setText(feet ? QStringLiteral("[ft./in.]") : QStringLiteral("[meters]"));
}

void OutputPage::refresh() {
    const OutputChannel& o = m_editor.output();
    m_source->setCurrentIndex(ItemOfSource(o.source));
    m_phase->setChecked(o.phase == 1);
    m_phase->setText(o.phase == 1 ? QStringLiteral("Inverse") : QStringLiteral("Normal"));
    const auto show = [](EntryBox* box, const QString& text) {
        // Text being typed stays until the box is left.
        if (!(box->hasFocus() && box->isModified()))
            box->setText(text);
    };
    show(m_limiter, m_editor.limiterText());
    show(m_delay[at(DelayBox::Ms)], DelayMsText(o.delay));
    show(m_delay[at(DelayBox::Metres)], DelayMetresText(o.delay));
    show(m_delay[at(DelayBox::Feet)], DelayFeetText(o.delay));
    show(m_delay[at(DelayBox::Inches)], DelayInchesText(o.delay));
    m_levelFader->setKnobTop(m_editor.levelKnobTop() - OutputLayout::kLevelTrackTop);
    show(m_levelBox, m_editor.levelText());
    m_link->setMask(o.link_mask | OutputBit(m_editor.channel()));
    m_display->setMask(o.display_mask | OutputBit(m_editor.channel()));

    const int selected = m_filters.selected();
    for (int e = 0; e < kOutputElements; ++e) {
        const bool shown = m_filters.showsOn(e);
        const int face = (shown ? 1 : 0) + (e == selected ? 2 : 0);
        if (m_bandFace[at(e)] != face) {
            m_bandFace[at(e)] = face;
            m_bands[at(e)]->setIcon(OutputBandIcon(e, shown, e == selected));
        }
        m_bands[at(e)]->setChecked(e == selected);
        const bool on = m_filters.isOn(e);
        m_bandOn[at(e)]->setChecked(on);
        m_bandOn[at(e)]->setText(on ? QStringLiteral("ON") : QStringLiteral("OFF"));
        m_bandOn[at(e)]->setEnabled(shown);
    }
    const FilterEnabling enabled = m_filters.enabling();
    const int listFor = selected < 0 ? -1 : selected <= ElementLpf ? 0 : 1;
    if (listFor != m_typeListFor) {
        m_typeListFor = listFor;
        m_type->clear();
        m_type->addItems(m_filters.typeTexts());
    }
    m_type->setEnabled(enabled.type);
    m_type->setCurrentIndex(m_filters.selectedType());
    const std::array<bool, 3> boxOn = {enabled.frequency, enabled.q, enabled.level};
    for (int i = 0; i < 3; ++i) {
        m_boxes[at(i)]->setEnabled(boxOn[at(i)]);
        m_arrows[at(i)]->setEnabled(boxOn[at(i)]);
        show(m_boxes[at(i)], m_filters.boxText(static_cast<FilterBox>(i)));
    }
    m_graph->update();
}

void OutputPage::showDelayArrows() {
    DelayEditor& d = m_editor.delay();
    m_delayArrows->setPressedImage(d.showsPressed() ? (d.pressedUp() ? 1 : 2) : 0);
}

// A box being typed in is taken first; false when it refused the text and keeps the focus.
bool OutputPage::takeTyping() {
    if (QWidget* typing = focusWidget()) {
        typing->clearFocus();
        if (focusWidget() != nullptr)
            return false;
    }
    return true;
}

void OutputPage::pressDelayArrow(bool up) {
    if (!takeTyping()) {
        m_delayArrows->endHold();
        return;
    }
    m_editor.delay().pressArrow(m_editor.delayTarget(), up);
    refresh();
    showDelayArrows();
}

QSize OutputPage::sizeHint() const {
    return kPageSize;
}
QSize OutputPage::minimumSizeHint() const {
    return kPageSize;
}

void OutputPage::commitLimiter() {
    if (!m_limiter->isModified())
        return;
    m_lastEdited = m_limiter;
    if (m_limiter->commitTyped(m_editor.limiterText(), [this](const QString& typed) {
            return m_editor.commitLimiterText(typed);
        }))
        refresh();
}

void OutputPage::commitLevel() {
    if (!m_levelBox->isModified())
        return;
    m_lastEdited = m_levelBox;
    if (m_levelBox->commitTyped(m_editor.levelText(), [this](const QString& typed) {
            return m_editor.commitLevelText(typed);
        }))
        refresh();
}

void OutputPage::commitDelay(DelayBox kind) {
    EntryBox* box = m_delay[at(kind)];
    if (!box->isModified())
        return;
    const QString typed = box->text();
    box->setModified(false);
    m_lastEdited = box;
    // The box shows the record again before a refusal is reported, so the message never
    // stands over the text it refuses.
    refresh();
    const bool accepted = m_editor.delay().commitEntry(m_editor.delayTarget(), kind, typed);
    refresh();
    if (!accepted)
        box->setFocus(Qt::OtherFocusReason);
}

void OutputPage::commitBox(FilterBox which) {
    EntryBox* box = m_boxes[at(static_cast<int>(which))];
    if (!box->isEnabled() || !box->isModified())
        return;
    m_lastEdited = box;
    if (box->commitTyped(m_filters.boxText(which), [this, which](const QString& typed) {
            return m_filters.commitBoxText(which, typed);
        }))
        refresh();
}

void OutputPage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    if (!m_editor.pressLevel(p.x(), p.y()))
        setFocus(Qt::MouseFocusReason);
    refresh();
}

void OutputPage::mouseMoveEvent(QMouseEvent* event) {
    if (!m_editor.isLevelTracking())
        return;
    const QPoint p = event->position().toPoint();
    m_editor.moveLevel(p.x(), p.y());
    refresh();
}

// The page holds the pointer from the press on, so a release over another window still
// ends the drag here.
void OutputPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_editor.releaseLevel();
    refresh();
}

void OutputPage::showPage() {
    showUnits();
    refresh();
    showDelayArrows();
}

void OutputPage::leavePage() {
    m_editor.releaseLevel();
    m_filters.releaseGraph();
    if (m_editor.delay().isPressed()) {
        m_editor.delay().releaseArrow();
        showDelayArrows();
    }
    QWidget* focused = focusWidget();
    if (focused == m_levelBox)
        commitLevel();
    else if (focused == m_limiter)
        commitLimiter();
    for (DelayBox kind : kDelayKinds)
        if (focused == m_delay[at(kind)])
            commitDelay(kind);
    for (int i = 0; i < 3; ++i)
        if (focused == m_boxes[at(i)])
            commitBox(static_cast<FilterBox>(i));
}

void OutputPage::focusLastEdited() {
    if (m_lastEdited != nullptr && m_lastEdited->isVisible())
        m_lastEdited->setFocus(Qt::OtherFocusReason);
}

} // namespace mqx

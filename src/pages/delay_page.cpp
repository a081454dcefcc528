#include "pages/delay_page.h"

#include "core/session.h"
#include "pages/delay_arrows.h"
#include "pages/entry_box.h"
#include "pages/page_artwork.h"
#include "program/value_scales.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mqx {
namespace {

constexpr std::array<DelayBox, 4> kKinds = {DelayBox::Ms, DelayBox::Metres, DelayBox::Feet,
                                            DelayBox::Inches};
constexpr int kMsWidth = 74;
constexpr int kFeetWidth = 44;
constexpr int kInchWidth = 52;

std::size_t at(DelayBox kind) {
    return static_cast<std::size_t>(kind);
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* tileLabel(const QPixmap& tile, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(tile);
    label->setFixedSize(18, 18);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

template <typename Box>
Box* valueBox(int width, QWidget* parent) {
    auto* box = new Box(parent);
    box->setFixedWidth(width);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLineEdit* readOnlyBox(int width, QWidget* parent) {
    QLineEdit* box = valueBox<QLineEdit>(width, parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

DelayPage::DelayPage(Session& session, ParameterEditSink& sink, Prompts& prompts,
                     TimerSource& timers, QWidget* parent)
    : QWidget(parent), m_session(session), m_editor(session, sink, prompts, timers) {
    for (int i = 0; i < 8; ++i)
        m_rows[static_cast<std::size_t>(i)].target =
            i < kInputCount ? DelayTarget{DelayGroup::Master, i}
                            : DelayTarget{DelayGroup::Channel, i - kInputCount};
    build();
    m_editor.setChangedCallback([this] { refresh(); });
    showPage();
}

DelayPage::~DelayPage() = default;

// Columns of a row: tile, source, ms, feet or metres, inches, arrows, then for outputs the
// total in ms, feet or metres, inches, and the tile again.
void DelayPage::buildRow(Row& row, QGridLayout* grid, int gridRow, int firstColumn) {
    QWidget* parent = grid->parentWidget();
    const bool channel = row.target.group == DelayGroup::Channel;
    const int c = firstColumn;
    grid->addWidget(
        tileLabel(channel ? ChannelLetterTile(row.target.index) : InputNumberTile(row.target.index),
                  parent),
        gridRow, c);
    if (channel) {
        row.source = readOnlyBox(40, parent);
        row.source->setEnabled(false);
        KeepTextLegibleWhenDisabled(row.source);
        row.source->setAlignment(Qt::AlignCenter);
        grid->addWidget(row.source, gridRow, c + 1);
    }
    row.boxes[at(DelayBox::Ms)] = valueBox<EntryBox>(kMsWidth, parent);
    row.boxes[at(DelayBox::Metres)] = valueBox<EntryBox>(kMsWidth, parent);
    row.boxes[at(DelayBox::Feet)] = valueBox<EntryBox>(kFeetWidth, parent);
    row.boxes[at(DelayBox::Inches)] = valueBox<EntryBox>(kInchWidth, parent);
    grid->addWidget(row.boxes[at(DelayBox::Ms)], gridRow, c + 2);
    grid->addWidget(row.boxes[at(DelayBox::Metres)], gridRow, c + 3, 1, 2, Qt::AlignLeft);
    grid->addWidget(row.boxes[at(DelayBox::Feet)], gridRow, c + 3);
    grid->addWidget(row.boxes[at(DelayBox::Inches)], gridRow, c + 4);
    row.arrows = new DelayArrows(parent);
    grid->addWidget(row.arrows, gridRow, c + 5);
    if (channel) {
        row.totals[at(DelayBox::Ms)] = readOnlyBox(kMsWidth, parent);
        row.totals[at(DelayBox::Metres)] = readOnlyBox(kMsWidth, parent);
        row.totals[at(DelayBox::Feet)] = readOnlyBox(kFeetWidth, parent);
        row.totals[at(DelayBox::Inches)] = readOnlyBox(kInchWidth, parent);
        grid->addWidget(row.totals[at(DelayBox::Ms)], gridRow, c + 6);
        grid->addWidget(row.totals[at(DelayBox::Metres)], gridRow, c + 7, 1, 2, Qt::AlignLeft);
        grid->addWidget(row.totals[at(DelayBox::Feet)], gridRow, c + 7);
        grid->addWidget(row.totals[at(DelayBox::Inches)], gridRow, c + 8);
        grid->addWidget(tileLabel(ChannelLetterTile(row.target.index), parent), gridRow, c + 9);
    }

    for (DelayBox kind : kKinds) {
        connect(row.boxes[at(kind)], &EntryBox::commitRequested, this,
                [this, &row, kind] { commit(row, kind); });
        connect(row.boxes[at(kind)], &EntryBox::stepped, this, [this, &row](int steps) {
            m_editor.stepDelay(row.target, steps);
            refresh();
        });
    }
    connect(row.arrows, &DelayArrows::arrowPressed, this,
            [this, &row](bool up) { press(row, up); });
    connect(row.arrows, &DelayArrows::pointerInside, this, [this](bool inside) {
        m_editor.setPointerInside(inside);
        showArrows();
    });
    connect(row.arrows, &DelayArrows::arrowReleased, this, [this] {
        m_editor.releaseArrow();
        showArrows();
    });
}

void DelayPage::build() {
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 8);
    page->setSpacing(12);

    auto* left = new QVBoxLayout;
    auto* master = new QGroupBox(QStringLiteral("Master Delay"), this);
    auto* masterGrid = new QGridLayout(master);
    masterGrid->setHorizontalSpacing(3);
    masterGrid->setVerticalSpacing(3);
    masterGrid->addWidget(heading(QStringLiteral("[msec]"), master), 0, 2);
    m_masterDistance = heading({}, master);
    masterGrid->addWidget(m_masterDistance, 0, 3, 1, 2);
    masterGrid->setColumnMinimumWidth(1, 0);
    for (int i = 0; i < kInputCount; ++i)
        buildRow(m_rows[static_cast<std::size_t>(i)], masterGrid, i + 1, 0);
    left->addWidget(master);
    // What the distance boxes mean, in both units.
    auto* scale = new QLabel(
        QStringLiteral("1000.0 [msec] = 344.0 m\n                  = 1128' 7.307\""), this);
    scale->setContentsMargins(4, 6, 0, 0);
    left->addWidget(scale);
    left->addStretch(1);
    page->addLayout(left);

    auto* outputs = new QWidget(this);
    auto* grid = new QGridLayout(outputs);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);
    grid->addWidget(heading(QStringLiteral("(Source)"), outputs), 0, 1);
    grid->addWidget(heading(QStringLiteral("Channel Delay"), outputs), 0, 2, 1, 4);
    grid->addWidget(heading(QStringLiteral("Delay Total"), outputs), 0, 6, 1, 3);
    grid->addWidget(heading(QStringLiteral("[msec]"), outputs), 1, 2);
    grid->addWidget(heading(QStringLiteral("[msec]"), outputs), 1, 6);
    m_channelDistance = heading({}, outputs);
    m_totalDistance = heading({}, outputs);
    grid->addWidget(m_channelDistance, 1, 3, 1, 2);
    grid->addWidget(m_totalDistance, 1, 7, 1, 2);
    for (int c = 0; c < kOutputCount; ++c)
        buildRow(m_rows[static_cast<std::size_t>(kInputCount + c)], grid, c + 2, 0);
    grid->setRowStretch(kOutputCount + 2, 1);
    page->addWidget(outputs);
    page->addStretch(1);
}

// Only the boxes of the unit in use are shown; their headings say which it is.
void DelayPage::showUnits() {
    m_feetInches = ShowsFeetInches(m_session.settings.delayUnit);
    m_masterDistance->setText(m_feetInches ? QStringLiteral("[ft./in.]")
                                           : QStringLiteral("[meters]"));
    const QString heading =
        m_feetInches ? QStringLiteral("[feet/inches]") : QStringLiteral("[meters]");
    m_channelDistance->setText(heading);
    m_totalDistance->setText(heading);
    for (Row& row : m_rows) {
        row.boxes[at(DelayBox::Metres)]->setVisible(!m_feetInches);
        row.boxes[at(DelayBox::Feet)]->setVisible(m_feetInches);
        row.boxes[at(DelayBox::Inches)]->setVisible(m_feetInches);
        if (row.target.group != DelayGroup::Channel)
            continue;
        row.totals[at(DelayBox::Metres)]->setVisible(!m_feetInches);
        row.totals[at(DelayBox::Feet)]->setVisible(m_feetInches);
        row.totals[at(DelayBox::Inches)]->setVisible(m_feetInches);
    }
}

void DelayPage::refresh() {
    const ProgramRecord& r = m_session.CurrentRecord();
    for (Row& row : m_rows) {
        const std::uint32_t steps = m_editor.delay(row.target);
        const bool master = row.target.group == DelayGroup::Master;
        row.boxes[at(DelayBox::Ms)]->setText(DelayMsText(steps));
        row.boxes[at(DelayBox::Metres)]->setText(DelayMetresText(steps, master ? 8 : 9));
        row.boxes[at(DelayBox::Feet)]->setText(DelayFeetText(steps));
        row.boxes[at(DelayBox::Inches)]->setText(DelayInchesText(steps));
        if (master)
            continue;
        const int c = row.target.index;
        const std::uint32_t total = m_editor.totalDelay(c);
        row.source->setText(StepText(Scale::SourceName, r.out[static_cast<std::size_t>(c)].source));
        row.totals[at(DelayBox::Ms)]->setText(DelayMsText(total));
        row.totals[at(DelayBox::Metres)]->setText(DelayMetresText(total));
        row.totals[at(DelayBox::Feet)]->setText(DelayFeetText(total));
        row.totals[at(DelayBox::Inches)]->setText(DelayInchesText(total));
    }
}

void DelayPage::showArrows() {
    for (Row& row : m_rows) {
        int image = 0;
        if (m_editor.showsPressed() && m_editor.pressedTarget() == row.target)
            image = m_editor.pressedUp() ? 1 : 2;
        row.arrows->setPressedImage(image);
    }
}

void DelayPage::commit(Row& row, DelayBox kind) {
    EntryBox* box = row.boxes[at(kind)];
    const QString typed = box->text();
    // Every box shows the record again before a refusal is reported, so the message
    // never stands over the text it refuses.
    refresh();
    const bool accepted = m_editor.commitEntry(row.target, kind, typed);
    refresh();
    m_lastEdited = box;
    if (!accepted)
        box->setFocus(Qt::OtherFocusReason);
}

void DelayPage::focusLastEdited() {
    if (m_lastEdited != nullptr && m_lastEdited->isVisible())
        m_lastEdited->setFocus(Qt::OtherFocusReason);
}

// A click on the page itself (or on a heading or frame, which pass it on) takes the box
// being typed in, as leaving the box for any other control would.
void DelayPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void DelayPage::press(Row& row, bool up) {
    // A box being typed in is taken first, so the arrow steps from what was typed. A
    // refusal hands the focus back to the box after its message, and the press ends there.
    if (QWidget* typing = focusWidget()) {
        typing->clearFocus();
        if (focusWidget() != nullptr) {
            row.arrows->endHold();
            return;
        }
    }
    m_editor.pressArrow(row.target, up);
    refresh();
    showArrows();
}

void DelayPage::showPage() {
    showUnits();
    refresh();
    showArrows();
    // Arriving on the page, the operator starts at the first master delay; a page shown
    // again while on show keeps the focus where it is.
    if (!m_onShow && isVisible())
        box({DelayGroup::Master, 0}, DelayBox::Ms)->setFocus(Qt::OtherFocusReason);
    m_onShow = isVisible();
}

void DelayPage::leavePage() {
    m_onShow = false;
    if (QWidget* focused = focusWidget())
        for (Row& row : m_rows)
            for (DelayBox kind : kKinds)
                if (row.boxes[at(kind)] == focused)
                    commit(row, kind);
    if (m_editor.isPressed()) {
        m_editor.releaseArrow();
        showArrows();
    }
}

const DelayPage::Row& DelayPage::rowOf(DelayTarget target) const {
    const int i = target.group == DelayGroup::Master ? target.index : kInputCount + target.index;
    return m_rows.at(static_cast<std::size_t>(i));
}

EntryBox* DelayPage::box(DelayTarget target, DelayBox kind) const {
    return rowOf(target).boxes[at(kind)];
}
DelayArrows* DelayPage::arrows(DelayTarget target) const {
    return rowOf(target).arrows;
}
QLineEdit* DelayPage::sourceBox(int channel) const {
    return rowOf({DelayGroup::Channel, channel}).source;
}
QLineEdit* DelayPage::totalBox(int channel, DelayBox kind) const {
    return rowOf({DelayGroup::Channel, channel}).totals[at(kind)];
}
QString DelayPage::distanceHeading() const {
    return m_channelDistance->text();
}

} // namespace mqx

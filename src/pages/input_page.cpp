#include "pages/input_page.h"

#include "pages/entry_box.h"
#include "pages/page_artwork.h"
#include "pages/spin_buttons.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mqx {
namespace {

using Box = InputEditor::Box;
constexpr std::array<Box, 3> kBoxes = {Box::SineLevel, Box::SineFreq, Box::PinkLevel};

std::size_t slot(Box box) {
    return static_cast<std::size_t>(box);
}

// Radio buttons checked from the record. A value with no button (a damaged file) leaves
// every button of the group unchecked, which an exclusive group would not allow.
void checkOnly(QButtonGroup* group, int id) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}

} // namespace

InputPage::InputPage(Session& session, ParameterEditSink& sink, Prompts& prompts, QWidget* parent)
    : QWidget(parent), m_editor(session, sink, prompts) {
    build();
    refresh();
}

void InputPage::build() {
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(12, 10, 12, 10);
    page->setSpacing(14);

    // Left: where the processor's signal comes from.
    auto* left = new QVBoxLayout;
    auto* modeFrame = new QGroupBox(this);
    auto* modeLayout = new QVBoxLayout(modeFrame);
    m_modeGroup = new QButtonGroup(this);
    int id = 0;
    for (const char* text : {"Input", "Signal Genarator"}) {
        auto* b = new QRadioButton(QString::fromLatin1(text), modeFrame);
        m_modeGroup->addButton(b, id++);
        modeLayout->addWidget(b);
    }
    left->addWidget(modeFrame);

    auto* selectBox = new QGroupBox(QStringLiteral("Input Select"), this);
    auto* selectLayout = new QVBoxLayout(selectBox);
    m_selectGroup = new QButtonGroup(this);
    id = 0;
    for (const char* text : {"ANALOG 2CH", "DIGITAL 2CH", "ANALOG MONO MIX", "DIGITAL MONO MIX",
                             "ANALOG+DIGITAL 2CH"}) {
        auto* b = new QRadioButton(QString::fromLatin1(text), selectBox);
        m_selectGroup->addButton(b, id++);
        selectLayout->addWidget(b);
    }
    left->addWidget(selectBox);
    left->addStretch(1);
    page->addLayout(left);

    // Right: the generator, its two waves and its muting.
    auto* generator = new QGroupBox(QStringLiteral("Signal Genarator"), this);
    auto* genLayout = new QVBoxLayout(generator);
    auto* waves = new QHBoxLayout;
    m_waveGroup = new QButtonGroup(this);
    const auto valueRow = [this](QGridLayout* grid, int row, const char* label, Box box,
                                 QWidget* parent) {
        auto* edit = new EntryBox(parent);
        edit->setFixedWidth(96);
        edit->setAlignment(Qt::AlignRight);
        auto* spins = new SpinButtons(parent);
        grid->addWidget(new QLabel(QString::fromLatin1(label), parent), row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(spins, row, 2);
        m_boxes[slot(box)] = edit;
        m_spins[slot(box)] = spins;
    };

    auto* sine = new QGroupBox(QStringLiteral("Sine Wave"), generator);
    auto* sineGrid = new QGridLayout(sine);
    auto* sineButton = new QRadioButton(QStringLiteral("Sine Wave"), sine);
    m_waveGroup->addButton(sineButton, 1);
    sineGrid->addWidget(sineButton, 0, 0, 1, 3);
    valueRow(sineGrid, 1, "Level", Box::SineLevel, sine);
    valueRow(sineGrid, 2, "Freq.", Box::SineFreq, sine);
    waves->addWidget(sine);

    auto* pink = new QGroupBox(QStringLiteral("Pink Noise"), generator);
    auto* pinkGrid = new QGridLayout(pink);
    auto* pinkButton = new QRadioButton(QStringLiteral("Pink Noise"), pink);
    m_waveGroup->addButton(pinkButton, 0);
    pinkGrid->addWidget(pinkButton, 0, 0, 1, 3);
    valueRow(pinkGrid, 1, "Level", Box::PinkLevel, pink);
    pinkGrid->setRowStretch(2, 1);
    waves->addWidget(pink);
    genLayout->addLayout(waves);

    auto* mutingRow = new QHBoxLayout;
    mutingRow->addWidget(new QLabel(QStringLiteral("Muting"), generator));
    m_muting = new QPushButton(generator);
    m_muting->setCheckable(true);
    m_muting->setAccessibleName(QStringLiteral("Off"));
    m_muting->setIconSize(kMutingIconSize);
    m_muting->setFixedSize(64, 26);
    mutingRow->addWidget(m_muting);
    mutingRow->addStretch(1);
    genLayout->addLayout(mutingRow);
    genLayout->addStretch(1);
    page->addWidget(generator, 1);

    connect(m_modeGroup, &QButtonGroup::idClicked, this, [this](int mode) {
        m_editor.selectInputMode(mode);
        refresh();
    });
    connect(m_selectGroup, &QButtonGroup::idClicked, this, [this](int select) {
        m_editor.selectInput(select);
        refresh();
    });
    connect(m_waveGroup, &QButtonGroup::idClicked, this, [this](int wave) {
        m_editor.selectWave(wave == 1);
        refresh();
    });
    connect(m_muting, &QPushButton::clicked, this, [this](bool checked) {
        m_editor.setMuting(checked);
        refresh();
    });
    for (Box b : kBoxes) {
        connect(m_spins[slot(b)], &SpinButtons::stepped, this, [this, b](bool up) {
            m_editor.stepSpin(b, up);
            m_boxes[slot(b)]->setText(m_editor.boxText(b));
        });
        connect(m_boxes[slot(b)], &EntryBox::commitRequested, this, [this, b] { commit(b); });
        // Keys and the wheel step as the arrows do, one click per step.
        connect(m_boxes[slot(b)], &EntryBox::stepped, this, [this, b](int steps) {
            for (int i = 0; i < (steps < 0 ? -steps : steps); ++i)
                m_editor.stepSpin(b, steps > 0);
            m_boxes[slot(b)]->setText(m_editor.boxText(b));
        });
    }
}

void InputPage::refresh() {
    checkOnly(m_modeGroup, m_editor.isGenerator() ? 1 : 0);
    checkOnly(m_selectGroup, m_editor.inputSelect());
    checkOnly(m_waveGroup, m_editor.isSine() ? 1 : 0);
    m_muting->setChecked(m_editor.isMuted());
    m_muting->setIcon(MutingIcon(m_editor.isMuted()));
    for (Box b : kBoxes)
        m_boxes[slot(b)]->setText(m_editor.boxText(b));
}

void InputPage::commit(Box box) {
    EntryBox* edit = m_boxes[slot(box)];
    const QString typed = edit->text();
    // The stored value is back in the box before any message about the typed text, so
    // the operator never reads a refusal over the text it refuses.
    edit->setText(m_editor.boxText(box));
    const bool accepted = m_editor.commitText(box, typed);
    // Accepted text is shown as the scale writes it.
    edit->setText(m_editor.boxText(box));
    m_lastEdited = edit;
    if (!accepted)
        edit->setFocus(Qt::OtherFocusReason);
}

void InputPage::focusLastEdited() {
    if (m_lastEdited != nullptr)
        m_lastEdited->setFocus(Qt::OtherFocusReason);
}

// A click on the page itself (or on a label or frame, which pass it on) takes the box
// being typed in, as leaving the box for any other control would.
void InputPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void InputPage::showPage() {
    refresh();
}

// A box still being typed in when the tab changes (or the window closes) is taken now;
// taking a box that was already taken changes nothing.
void InputPage::leavePage() {
    const QWidget* focused = focusWidget();
    for (Box b : kBoxes)
        if (focused != nullptr && m_boxes[slot(b)] == focused)
            commit(b);
}

EntryBox* InputPage::box(Box box) const {
    return m_boxes[slot(box)];
}
SpinButtons* InputPage::spin(Box box) const {
    return m_spins[slot(box)];
}
QRadioButton* InputPage::inputModeButton(int mode) const {
    return qobject_cast<QRadioButton*>(m_modeGroup->button(mode));
}
QRadioButton* InputPage::inputSelectButton(int select) const {
    return qobject_cast<QRadioButton*>(m_selectGroup->button(select));
}
QRadioButton* InputPage::waveButton(bool sine) const {
    return qobject_cast<QRadioButton*>(m_waveGroup->button(sine ? 1 : 0));
}

} // namespace mqx

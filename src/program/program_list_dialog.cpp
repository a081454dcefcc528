#include "program/program_list_dialog.h"

#include "core/session.h"
#include "link/title_width.h"
#include "program/flag_chooser_dialog.h"
#include "program/program_list_procedure.h"
#include "program/program_list_text.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace mqx {

ProgramListDialog::ProgramListDialog(ProgramListProcedure& procedure, const Session& session,
                                     std::function<void()> print, QWidget* parent)
    : QDialog(parent), m_procedure(procedure), m_session(session), m_print(std::move(print)) {
    setWindowTitle(QStringLiteral("Program List"));
    m_list = new QListWidget(this);
    // The columns of the lines line up only in a face whose characters are all as wide.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_list->setFont(fixed);
    for (int n = 1; n <= kProgramSlots; ++n)
        m_list->addItem(QStringLiteral(" %1 :").arg(n, 2, 10, QLatin1Char('0')));
    // Wide enough for a whole line beside the scroll bar: a cut name would read as another.
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(m_list->font());
    const int scrollBar = m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    m_list->setMinimumSize(metrics.horizontalAdvance(QString(34, u'0')) + scrollBar +
                               2 * m_list->frameWidth() + 16,
                           metrics.lineSpacing() * 16);

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, kProgramSlots);
    m_progress->setFormat(QStringLiteral("%v / %m"));

    const auto makeButton = [this](const char* text) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setAutoDefault(false);
        return b;
    };
    m_printButton = makeButton("Print");
    m_protection = makeButton("Protection");
    m_recallLock = makeButton("Recall Lock");
    m_recall = makeButton("Recall");
    m_delete = makeButton("Delete");
    m_exit = makeButton("Exit");

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_printButton, m_protection, m_recallLock, m_recall, m_delete})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(m_exit);

    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel(QStringLiteral("( L = Recall Lock ,"), this));
    legend->addWidget(new QLabel(QStringLiteral("P = Protection )"), this));
    legend->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(m_list, 1);
    left->addLayout(legend);
    left->addWidget(m_progress);
    auto* row = new QHBoxLayout(this);
    row->addLayout(left, 1);
    row->addLayout(buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { stabilize(0); });
    connect(m_printButton, &QPushButton::clicked, this, [this] {
        if (!m_procedure.isBusy() && m_print)
            m_print();
    });
    connect(m_protection, &QPushButton::clicked, this, [this] { chooseFlag(true); });
    connect(m_recallLock, &QPushButton::clicked, this, [this] { chooseFlag(false); });
    connect(m_recall, &QPushButton::clicked, this, [this] { m_procedure.recall(selectedSlot()); });
    connect(m_delete, &QPushButton::clicked, this, [this] { m_procedure.remove(selectedSlot()); });
    connect(m_exit, &QPushButton::clicked, this, &ProgramListDialog::reject);

    m_procedure.setLineCallback([this](int slot) { showLine(slot); });
    m_procedure.setStateCallback([this](int slot) { stabilize(slot); });
    m_procedure.setFinishedCallback([this](ProcedureOutcome) { done(QDialog::Accepted); });
    stabilize(0);
}

ProgramListDialog::~ProgramListDialog() {
    m_procedure.setLineCallback({});
    m_procedure.setStateCallback({});
    m_procedure.setFinishedCallback({});
}

QPushButton* ProgramListDialog::button(const QString& text) const {
    for (QPushButton* b : {m_printButton, m_protection, m_recallLock, m_recall, m_delete, m_exit})
        if (b->text() == text)
            return b;
    return nullptr;
}

void ProgramListDialog::showEvent(QShowEvent* event) {
    setMinimumWidth(std::max(minimumWidth(), TitleBarWidth(*this)));
    QDialog::showEvent(event);
}

void ProgramListDialog::reject() {
    // Exit and Escape both leave through the procedure, which restarts the meters first.
    m_procedure.exit();
}

int ProgramListDialog::selectedSlot() const {
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    return chosen.isEmpty() ? 0 : m_list->row(chosen.first()) + 1;
}

void ProgramListDialog::showLine(int slot) {
    if (QListWidgetItem* item = m_list->item(slot - 1))
        item->setText(ProgramListLine(m_session.programs.Record(slot), slot));
    m_progress->setValue(m_procedure.slotsRead());
}

void ProgramListDialog::stabilize(int slot) {
    using Phase = ProgramListProcedure::Phase;
    const Phase phase = m_procedure.phase();
    const bool ready = phase == Phase::Ready;
    const bool reading = phase == Phase::Reading || phase == Phase::Idle;
    setCursor(reading ? Qt::WaitCursor : Qt::ArrowCursor);
    m_list->setEnabled(ready);
    m_printButton->setEnabled(ready);
    const bool chosen = ready && selectedSlot() != 0;
    for (QPushButton* b : {m_protection, m_recallLock, m_recall, m_delete})
        b->setEnabled(chosen);
    m_progress->setValue(m_procedure.slotsRead());
    if (phase == Phase::Stopped)
        m_progress->setFormat(QStringLiteral("%v / %m (stopped)"));
    // The line an action was about stays chosen, whatever it did to the list.
    if (ready && slot >= 1 && !m_procedure.isBusy())
        m_list->setCurrentRow(slot - 1);
}

void ProgramListDialog::chooseFlag(bool protection) {
    const int slot = selectedSlot();
    if (slot == 0 || m_procedure.isBusy())
        return;
    const ProgramRecord& record = m_session.programs.Record(slot);
    FlagChooserDialog chooser(protection ? FlagKind::Protection : FlagKind::RecallLock,
                              protection ? record.write_enable : record.recall_lock, this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    if (protection)
        m_procedure.protect(slot, chooser.value());
    else
        m_procedure.lock(slot, chooser.value());
}

} // namespace mqx

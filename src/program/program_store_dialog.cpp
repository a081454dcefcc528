#include "program/program_store_dialog.h"

#include "core/session.h"
#include "link/title_width.h"
#include "program/program_list_text.h"
#include "program/program_outcome.h"
#include "program/program_store_procedure.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace mqx {
namespace {

QPlainTextEdit* informationBox(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    const QFontMetrics metrics(box->font());
    // 256 characters in five lines of about 52.
    box->setMinimumWidth(metrics.horizontalAdvance(QString(52, u'x')));
    box->setFixedHeight(metrics.lineSpacing() * 6 + 2 * box->frameWidth() + 8);
    return box;
}

QLineEdit* readOnlyLine(QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setReadOnly(true);
    return line;
}

} // namespace

ProgramStoreDialog::ProgramStoreDialog(ProgramStoreProcedure& procedure, const Session& session,
                                       QWidget* parent)
    : QDialog(parent), m_procedure(procedure), m_session(session) {
    setWindowTitle(QStringLiteral("Program Store"));

    m_number = readOnlyLine(this);
    m_number->setMaximumWidth(m_number->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                              16);
    m_name = readOnlyLine(this);
    m_information = informationBox(this);
    auto* current = new QGroupBox(QStringLiteral("Current Program"), this);
    auto* currentForm = new QFormLayout(current);
    currentForm->addRow(QStringLiteral("Original Number"), m_number);
    currentForm->addRow(QStringLiteral("Name"), m_name);
    currentForm->addRow(QStringLiteral("Infomation"), m_information);

    m_slots = new QListWidget(this);
    m_slots->addItem(QStringLiteral("New"));
    for (int n = 1; n <= kProgramSlots; ++n)
        m_slots->addItem(TwoDigits(n));
    m_slots->setMaximumWidth(m_slots->fontMetrics().horizontalAdvance(QStringLiteral("New")) * 3 +
                             24);
    auto* select = new QGroupBox(QStringLiteral("Program Select"), this);
    (new QVBoxLayout(select))->addWidget(m_slots);

    m_selectedName = readOnlyLine(this);
    m_selectedInformation = informationBox(this);
    auto* selected = new QGroupBox(QStringLiteral("Selected Program"), this);
    auto* selectedForm = new QFormLayout(selected);
    selectedForm->addRow(QStringLiteral("Name"), m_selectedName);
    selectedForm->addRow(QStringLiteral("Infomation"), m_selectedInformation);

    m_store = new QPushButton(QStringLiteral("Store Exec"), this);
    m_store->setDefault(true);
    m_exit = new QPushButton(QStringLiteral("Exit"), this);
    m_exit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_store);
    buttons->addWidget(m_exit);

    auto* middle = new QHBoxLayout;
    middle->addWidget(select);
    middle->addWidget(selected, 1);
    auto* column = new QVBoxLayout(this);
    column->addWidget(current);
    column->addLayout(middle, 1);
    column->addLayout(buttons);

    connect(m_slots, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            m_procedure.choose(row);
    });
    connect(m_store, &QPushButton::clicked, this, [this] { m_procedure.storeExec(); });
    connect(m_exit, &QPushButton::clicked, this, &ProgramStoreDialog::reject);
    m_procedure.setStateCallback([this] { stabilize(); });
    m_procedure.setFinishedCallback([this](ProcedureOutcome outcome) {
        done(outcome == ProcedureOutcome::Ok ? QDialog::Accepted : QDialog::Rejected);
    });
    showCurrent();
    stabilize();
}

ProgramStoreDialog::~ProgramStoreDialog() {
    m_procedure.setStateCallback({});
    m_procedure.setFinishedCallback({});
}

QString ProgramStoreDialog::selectedName() const {
    return m_selectedName->text();
}
QString ProgramStoreDialog::selectedInformation() const {
    return m_selectedInformation->toPlainText();
}

void ProgramStoreDialog::showEvent(QShowEvent* event) {
    setMinimumWidth(std::max(minimumWidth(), TitleBarWidth(*this)));
    QDialog::showEvent(event);
}

void ProgramStoreDialog::reject() {
    m_procedure.exit();
}

void ProgramStoreDialog::showCurrent() {
    const ProgramRecord& r = m_session.CurrentRecord();
    m_number->setText(TwoDigits(r.program_number));
    m_name->setText(QString::fromLatin1(r.name.data(), kNameLength));
    m_information->setPlainText(QString::fromLatin1(r.comment.data(), kCommentLength));
}

void ProgramStoreDialog::stabilize() {
    showCurrent();
    {
        const QSignalBlocker quiet(m_slots);
        m_slots->setCurrentRow(m_procedure.chosen());
    }
    m_selectedName->setText(m_procedure.selectedName());
    m_selectedInformation->setPlainText(m_procedure.selectedInformation());
    m_store->setEnabled(!m_procedure.isBusy());
    setCursor(m_procedure.isBusy() ? Qt::WaitCursor : Qt::ArrowCursor);
}

} // namespace mqx

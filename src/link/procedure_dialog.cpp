#include "link/procedure_dialog.h"

#include "link/title_width.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include <algorithm>

namespace mqx {

ProcedureDialog::ProcedureDialog(LinkProcedure& procedure, QWidget* parent)
    : QDialog(parent), m_procedure(procedure) {
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ProcedureDialog::onOk);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ProcedureDialog::reject);
    m_procedure.setFinishedCallback([this](ProcedureOutcome outcome) { onFinished(outcome); });
}

ProcedureDialog::~ProcedureDialog() {
    m_procedure.setFinishedCallback({});
}

QPushButton* ProcedureDialog::okButton() const {
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* ProcedureDialog::cancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void ProcedureDialog::onOk() {
    if (!m_procedure.isIdle())
        return;
    greyButtons();
    startProcedure();
}

void ProcedureDialog::reject() {
    if (!m_procedure.isIdle())
        return;
    greyButtons();
    if (!cancelProcedure())
        QDialog::reject();
}

void ProcedureDialog::showEvent(QShowEvent* event) {
    setMinimumWidth(std::max(minimumWidth(), TitleBarWidth(*this)));
    QDialog::showEvent(event);
}

void ProcedureDialog::greyButtons() {
    okButton()->setEnabled(false);
    cancelButton()->setEnabled(false);
}

void ProcedureDialog::onFinished(ProcedureOutcome outcome) {
    done(outcome == ProcedureOutcome::Ok ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace mqx

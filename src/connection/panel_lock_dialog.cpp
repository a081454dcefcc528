#include "connection/panel_lock_dialog.h"

#include "connection/panel_lock_procedure.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mqx {

PanelLockDialog::PanelLockDialog(PanelLockProcedure& procedure, char lockState, QWidget* parent)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    setWindowTitle(QStringLiteral("Panel Operation Lock"));
    m_no = new QRadioButton(QStringLiteral("Pannel Lock = No"), this);
    m_yes = new QRadioButton(QStringLiteral("Pannel Lock = Yes"), this);
    m_no->setChecked(lockState == 'E');
    m_yes->setChecked(lockState == 'D');
    okButton()->setEnabled(false);
    for (QRadioButton* choice : {m_no, m_yes})
        connect(choice, &QRadioButton::clicked, this, [this] {
            if (canStart())
                okButton()->setEnabled(true);
        });

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_no);
    column->addWidget(m_yes);
    column->addSpacing(8);
    column->addWidget(buttons());
}

void PanelLockDialog::startProcedure() {
    m_procedure.start(m_yes->isChecked());
}

} // namespace mqx

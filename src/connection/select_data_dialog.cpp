#include "connection/select_data_dialog.h"

#include "connection/select_data_procedure.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mqx {

SelectDataDialog::SelectDataDialog(SelectDataProcedure& procedure, QWidget* parent)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    setWindowTitle(QStringLiteral("Select Data"));
    m_upload = new QRadioButton(QStringLiteral("Upload Data from PC to MQX-T410"), this);
    m_download = new QRadioButton(QStringLiteral("Download Data from MQX-T410 to PC"), this);
    okButton()->setEnabled(false);
    for (QRadioButton* choice : {m_upload, m_download})
        connect(choice, &QRadioButton::clicked, this, [this] {
            if (canStart())
                okButton()->setEnabled(true);
        });

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_upload);
    column->addWidget(m_download);
    column->addSpacing(8);
    column->addWidget(buttons());
}

void SelectDataDialog::startProcedure() {
    m_procedure.start(m_upload->isChecked() ? TransferDirection::Upload
                                            : TransferDirection::Download);
    if (m_procedure.isRunning())
        cancelButton()->setEnabled(true);
}

void SelectDataDialog::reject() {
    if (!m_procedure.isRunning()) {
        ProcedureDialog::reject();
        return;
    }
    if (m_procedure.cancel())
        cancelButton()->setEnabled(false);
}

bool SelectDataDialog::cancelProcedure() {
    return m_procedure.cancel();
}

} // namespace mqx

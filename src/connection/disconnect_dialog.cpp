#include "connection/disconnect_dialog.h"

#include "connection/disconnect_procedure.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace mqx {

DisconnectDialog::DisconnectDialog(DisconnectProcedure& procedure, QWidget* parent)
    : ProcedureDialog(procedure, parent), m_procedure(procedure) {
    setWindowTitle(QStringLiteral("Disconnect"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Are you sure you want to disconnect?"), this));
    column->addWidget(buttons());
}

void DisconnectDialog::startProcedure() {
    m_procedure.start();
}

} // namespace mqx

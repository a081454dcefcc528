#include "link/connection_dialog_runner.h"

#include "app/prompts.h"
#include "link/connect_dialog.h"
#include "link/device_info_dialog.h"
#include "link/disconnect_dialog.h"
#include "link/panel_lock_dialog.h"
#include "program/select_data_dialog.h"

namespace mqx {

ConnectionDialogRunner::ConnectionDialogRunner(QWidget* owner, Prompts& prompts)
    : m_owner(owner), m_prompts(prompts) {}

bool ConnectionDialogRunner::runConnect(ConnectProcedure& procedure, int port, int unitId) {
    ConnectDialog dialog(procedure, port, unitId, m_owner);
    return dialog.exec() == QDialog::Accepted;
}

bool ConnectionDialogRunner::runDeviceInfo(DeviceInfoProcedure& procedure, int unitId,
                                           const QByteArray& text) {
    DeviceInfoDialog dialog(procedure, unitId, text, m_owner);
    return dialog.exec() == QDialog::Accepted;
}

bool ConnectionDialogRunner::runSelectData(SelectDataProcedure& procedure) {
    SelectDataDialog dialog(procedure, m_owner);
    return dialog.exec() == QDialog::Accepted;
}

bool ConnectionDialogRunner::runDisconnect(DisconnectProcedure& procedure) {
    DisconnectDialog dialog(procedure, m_owner);
    return dialog.exec() == QDialog::Accepted;
}

bool ConnectionDialogRunner::runPanelLock(PanelLockProcedure& procedure, char lockState) {
    PanelLockDialog dialog(procedure, lockState, m_owner);
    return dialog.exec() == QDialog::Accepted;
}

bool ConnectionDialogRunner::runCaution() {
    if (m_caution)
        return m_caution();
    return m_prompts.confirm(QStringLiteral("Caution"),
                             QStringLiteral("After this operation\nparameter values of each PEQ "
                                            "that is set OFF will be cleared.\nAre you sure you "
                                            "want to continue this operation?"),
                             PromptIcon::Exclamation);
}

} // namespace mqx

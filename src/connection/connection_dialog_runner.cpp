#include "connection/connection_dialog_runner.h"

#include "connection/connect_dialog.h"
#include "connection/device_info_dialog.h"
#include "connection/disconnect_dialog.h"
#include "connection/panel_lock_dialog.h"
#include "connection/select_data_dialog.h"
#include "core/prompts.h"

namespace mqx {

ConnectionDialogRunner::ConnectionDialogRunner(QWidget* owner, Prompts& prompts)
    : m_owner(owner), m_prompts(prompts) {}

bool ConnectionDialogRunner::runConnect(ConnectProcedure& procedure, int port, int unitId) {
    ConnectDialog dialog(procedure, port, unitId, m_owner, m_devices ? m_devices() : QStringList());
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

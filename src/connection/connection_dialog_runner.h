#pragma once
// The connection dialogs on screen: each run builds its dialog over the main window and
// shows it modally until its procedure has ended.

#include "connection/connection_dialogs.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace mqx {

class Prompts;

class ConnectionDialogRunner : public ConnectionDialogs {
public:
    ConnectionDialogRunner(QWidget* owner, Prompts& prompts);

    // The Caution dialog of the equaliser pages; until one is given, the same question is
    // asked through the prompts.
    void setCautionDialog(std::function<bool()> caution) { m_caution = std::move(caution); }
    // What COM1..COM4 stand for, asked each time the Connect dialog opens.
    void setPortDevices(std::function<QStringList()> devices) { m_devices = std::move(devices); }

    bool runConnect(ConnectProcedure& procedure, int port, int unitId) override;
    bool runDeviceInfo(DeviceInfoProcedure& procedure, int unitId, const QByteArray& text) override;
    bool runSelectData(SelectDataProcedure& procedure) override;
    bool runDisconnect(DisconnectProcedure& procedure) override;
    bool runPanelLock(PanelLockProcedure& procedure, char lockState) override;
    bool runCaution() override;

private:
    QPointer<QWidget> m_owner;
    Prompts& m_prompts;
    std::function<bool()> m_caution;
    std::function<QStringList()> m_devices;
};

} // namespace mqx

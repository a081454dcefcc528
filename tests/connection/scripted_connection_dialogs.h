#pragma once
// The connection dialogs played by a script: each one makes the operator's scripted
// choice on the procedure it is handed and runs the virtual clock until the procedure
// has ended, as the modal dialog would.

#include "connection/connect_procedure.h"
#include "connection/connection_dialogs.h"
#include "connection/disconnect_procedure.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_procedure.h"
#include "virtual_clock.h"

#include <optional>
#include <string>
#include <vector>

namespace mqx::test {

class ScriptedConnectionDialogs : public ConnectionDialogs {
public:
    explicit ScriptedConnectionDialogs(VirtualClock& clock) : m_clock(clock) {}

    // The script; a missing choice is the dialog's Cancel.
    std::optional<int> connectUnit = 1; // OK with this unit on the preselected port
    bool deviceInfoOk = true;
    QString informationText; // typed in edit mode
    std::optional<TransferDirection> transfer = TransferDirection::Download;
    bool disconnectOk = true;
    std::optional<bool> lock; // Yes (true) or No (false)
    bool cautionOk = true;

    // What was shown, in order, and with what.
    std::vector<std::string> shown;
    int preselectedPort = 0;
    int preselectedUnit = 0;
    char lockStateShown = 0;

    bool runConnect(ConnectProcedure& procedure, int port, int unitId) override {
        shown.push_back("Connect");
        preselectedPort = port;
        preselectedUnit = unitId;
        if (connectUnit)
            procedure.start(port, *connectUnit);
        else
            procedure.cancel();
        return finish(procedure);
    }
    bool runDeviceInfo(DeviceInfoProcedure& procedure, int, const QByteArray&) override {
        shown.push_back(procedure.mode() == DeviceInfoMode::Connection ? "DeviceInfo/connection"
                                                                       : "DeviceInfo/edit");
        if (deviceInfoOk)
            procedure.ok(informationText);
        else
            procedure.cancel();
        return finish(procedure);
    }
    bool runSelectData(SelectDataProcedure& procedure) override {
        shown.push_back("SelectData");
        if (transfer)
            procedure.start(*transfer);
        else
            procedure.cancel();
        return finish(procedure);
    }
    bool runDisconnect(DisconnectProcedure& procedure) override {
        shown.push_back("Disconnect");
        if (!disconnectOk)
            return false;
        procedure.start();
        return finish(procedure);
    }
    bool runPanelLock(PanelLockProcedure& procedure, char lockState) override {
        shown.push_back("PanelLock");
        lockStateShown = lockState;
        if (!lock)
            return false;
        procedure.start(*lock);
        return finish(procedure);
    }
    bool runCaution() override {
        shown.push_back("Caution");
        return cautionOk;
    }

private:
    bool finish(const LinkProcedure& procedure) {
        m_clock.runUntil([&procedure] { return procedure.hasEnded(); }, 60000);
        return procedure.hasEnded() && procedure.outcome() == ProcedureOutcome::Ok;
    }

    VirtualClock& m_clock;
};

} // namespace mqx::test

#pragma once

#include "connection/connect_procedure.h"
#include "connection/connection_dialogs.h"
#include "connection/connection_view.h"
#include "connection/device_info_procedure.h"
#include "connection/disconnect_procedure.h"
#include "connection/panel_lock_procedure.h"
#include "connection/select_data_procedure.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mqx::test {

// Each dialog plays its choice and waits for the procedure; a missing choice is Cancel.
struct ScriptedDialogs : ConnectionDialogs, ConnectionView {
    explicit ScriptedDialogs(std::function<bool(const LinkProcedure&)> w) : wait(std::move(w)) {}
    bool runConnect(ConnectProcedure& procedure, int port, int unitId) override {
        preselected = {port, unitId};
        const bool started =
            connectUnit && (devicePath.isEmpty() ? procedure.start(port, *connectUnit)
                                                 : procedure.start(devicePath, *connectUnit));
        return play("Connect", procedure, started);
    }
    bool runDeviceInfo(DeviceInfoProcedure& procedure, int, const QByteArray&) override {
        const bool edit = procedure.mode() == DeviceInfoMode::Edit;
        return play(edit ? "DeviceInfo/edit" : "DeviceInfo/connection", procedure,
                    deviceInfoOk && procedure.ok(informationText));
    }
    bool runSelectData(SelectDataProcedure& procedure) override {
        return play("SelectData", procedure, transfer && procedure.start(*transfer));
    }
    bool runDisconnect(DisconnectProcedure& procedure) override {
        shown.push_back("Disconnect");
        // It starts once: a second start is refused and changes nothing.
        return disconnectOk && procedure.start() && !procedure.start() && finish(procedure);
    }
    bool runPanelLock(PanelLockProcedure& procedure, char lockState) override {
        lockStateShown = lockState;
        return lock && procedure.start(*lock) && finish(procedure);
    }
    bool runCaution() override {
        shown.push_back("Caution");
        return cautionOk;
    }
    template <class Procedure>
    bool play(const char* dialog, Procedure& procedure, bool chosen) {
        shown.push_back(dialog);
        if (!chosen)
            procedure.cancel();
        return finish(procedure);
    }
    bool finish(const LinkProcedure& procedure) {
        return wait(procedure) && procedure.outcome() == ProcedureOutcome::Ok;
    }
    void leaveTab() override { ++leaves; }
    void refreshAll() override { ++refreshes; }
    void refreshStatus() override { ++statusRefreshes; }
    void metersChanged() override {}

    std::function<bool(const LinkProcedure&)> wait; // until the procedure has ended
    QString devicePath; // a device opened by its path rather than a COM number
    std::optional<int> connectUnit = 1;
    bool deviceInfoOk = true;
    QString informationText;
    std::optional<TransferDirection> transfer = TransferDirection::Download;
    bool disconnectOk = true;
    std::optional<bool> lock;
    bool cautionOk = true;

    std::vector<std::string> shown;
    std::pair<int, int> preselected;
    char lockStateShown = 0;
    int leaves = 0, refreshes = 0, statusRefreshes = 0;
};

} // namespace mqx::test

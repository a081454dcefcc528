#pragma once
// The dialogs the connection commands chain together. Each is shown modally, is handed the
// procedure that does its work, starts it on the operator's choice and returns true when
// it ended with OK. On screen these are the widgets of connection_dialog_runner; in tests
// a script plays the operator.

#include "connection/device_info_procedure.h"

namespace mqx {

class ConnectProcedure;
class DisconnectProcedure;
class PanelLockProcedure;
class SelectDataProcedure;

class ConnectionDialogs {
public:
    virtual ~ConnectionDialogs() = default;

    // Connect: the port and unit lists preselect `port` and `unitId`.
    virtual bool runConnect(ConnectProcedure& procedure, int port, int unitId) = 0;
    // Device Information in the procedure's mode, showing `unitId` and `text`.
    virtual bool runDeviceInfo(DeviceInfoProcedure& procedure, int unitId,
                               const QByteArray& text) = 0;
    virtual bool runSelectData(SelectDataProcedure& procedure) = 0;
    virtual bool runDisconnect(DisconnectProcedure& procedure) = 0;
    // Panel Operation Lock, preselected from `lockState` ('E', 'D' or unknown).
    virtual bool runPanelLock(PanelLockProcedure& procedure, char lockState) = 0;
    // The warning that the OFF buttons' remembered settings are about to be lost.
    virtual bool runCaution() = 0;
};

} // namespace mqx

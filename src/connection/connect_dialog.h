#pragma once
// "Connect": the COM port and the unit ID to greet. OK runs the ConnectProcedure and the
// dialog ends with OK once the unit has answered all of it. Beside each COM entry stands
// the device it opens on this machine, when the caller gives them.

#include "link/procedure_dialog.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace mqx {

class ConnectProcedure;

class ConnectDialog : public ProcedureDialog {
public:
    // `port` 1..4 and `unitId` 1..99 are preselected; `devices` holds what COM1..COM4
    // stand for.
    ConnectDialog(ConnectProcedure& procedure, int port, int unitId, QWidget* parent = nullptr,
                  const QStringList& devices = {});

    QComboBox* portBox() const { return m_ports; }
    QListWidget* unitList() const { return m_units; }
    // The device of the port chosen.
    QLabel* deviceLabel() const { return m_device; }

protected:
    void startProcedure() override;
    bool cancelProcedure() override;

private:
    ConnectProcedure& m_procedure;
    QComboBox* m_ports = nullptr;
    QListWidget* m_units = nullptr;
    QLabel* m_device = nullptr;
};

} // namespace mqx
